// Index buffers on the recording device: the index size chosen by the
// largest index, the indices as written, the indexed draw and its refusals.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/core/simVertex.h"
#include "engine/graphics/simIndexBuffer.h"
#include "engine/graphics/simVertexBuffer.h"
#include "platform/gfx/device.h"
#include "tests/engine/graphics/bufferTestRig.h"

using namespace gfx;

namespace {

class IndexBuffer : public buffertest::BufferRig {
protected:
    // The indices the device holds, widened.
    std::vector<uint32_t> stored(const simIndexBuffer& buffer) {
        Device& device = *rig.renderer().getDevice();
        void* p = nullptr;
        EXPECT_EQ(device.Lock(buffer.getBuffer(), 0, 0, &p, D3DLOCK_READONLY), D3D_OK);
        std::vector<uint32_t> out(buffer.getIndexCount());
        for (size_t i = 0; i < out.size(); ++i)
            out[i] = buffer.isWide() ? static_cast<const uint32_t*>(p)[i] : static_cast<const uint16_t*>(p)[i];
        device.Unlock(buffer.getBuffer());
        return out;
    }
};

TEST_F(IndexBuffer, IndicesAreStoredInSixteenBitsWhileTheyFit) {
    const struct Case {
        std::vector<uint32_t> indices;
        bool wide;
    } cases[] = {
        {{0, 1, 2, 0, 2, 65535}, false},
        {{0, 1, 2, 0, 2, 65536}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.indices.back());
        simIndexBuffer buffer(c.indices);
        EXPECT_EQ(buffer.isWide(), c.wide);
        EXPECT_EQ(lastCall("CreateIndexBuffer").args,
                  (std::vector<uint64_t>{c.indices.size() * (c.wide ? 4 : 2), D3DUSAGE_WRITEONLY,
                                         uint64_t(c.wide ? D3DFMT_INDEX32 : D3DFMT_INDEX16), D3DPOOL_MANAGED}));
        EXPECT_EQ(stored(buffer), c.indices);
    }
    EXPECT_TRUE(errors().empty());
}

TEST_F(IndexBuffer, DrawsTheVerticesByIndexAndRefusesMoreThanItHolds) {
    simVertexBuffer vertices(4, 52, simVertex::kFormat, true, false);
    simIndexBuffer indices({0, 1, 2, 0, 2, 3});
    rig.renderer().beginScene(false, false, false);
    const uint32_t trianglesBefore = rig.renderer().getStats().counters[simRenderStats::trianglesDrawn];
    indices.render(vertices, D3DPT_TRIANGLELIST, 2);
    EXPECT_EQ(rig.state().getStateObject(simRenderState_vertexBuffer), &vertices);
    EXPECT_EQ(lastCall("SetIndices").args, (std::vector<uint64_t>{indices.getBuffer().id}));
    EXPECT_EQ(lastCall("DrawIndexedPrimitive").args, (std::vector<uint64_t>{D3DPT_TRIANGLELIST, 0, 0, 4, 0, 2}));
    EXPECT_EQ(rig.renderer().getStats().counters[simRenderStats::trianglesDrawn], trianglesBefore + 2);
    EXPECT_EQ(rig.renderer().getDevice()->state().indices, indices.getBuffer());

    for (const int count : {0, 3}) {
        SCOPED_TRACE(count);
        indices.render(vertices, D3DPT_TRIANGLELIST, count);
        ASSERT_FALSE(errors().empty());
        EXPECT_EQ(errors().back(), "simIndexBuffer::render - invalid parameters");
    }
    EXPECT_EQ(rig.recorder->count("DrawIndexedPrimitive"), 1u);
    rig.renderer().endScene(false, nullptr);
}

TEST_F(IndexBuffer, CreationFailureLeavesNoBufferAndReportsIt) {
    rig.recorder->failNext(Recorder::Failure::CreateVertexBuffer, D3DERR_OUTOFVIDEOMEMORY);
    simIndexBuffer buffer({0, 1, 2});
    EXPECT_FALSE(buffer.getBuffer());
    ASSERT_EQ(errors().size(), 1u);
    EXPECT_EQ(errors()[0], "simIndexBuffer - index buffer creation failed: D3DERR_OUTOFVIDEOMEMORY");
}

}  // namespace
