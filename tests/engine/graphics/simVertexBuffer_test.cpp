// Vertex buffers on the recording device: creation flags, lock ranges and
// modes, the checked draw, lock failures, and survival of a device loss.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/core/simVertex.h"
#include "engine/graphics/simRendererCaps.h"
#include "engine/graphics/simVertexBuffer.h"
#include "platform/gfx/device.h"
#include "tests/engine/graphics/bufferTestRig.h"

using namespace gfx;

namespace {

class VertexBuffer : public buffertest::BufferRig {};

TEST_F(VertexBuffer, CreationFlagsFollowPoolAndWriteOnly) {
    const uint32_t software = rig.renderer().getCaps()->hardwareLighting ? 0u : D3DUSAGE_SOFTWAREPROCESSING;
    simVertexBuffer dynamic(30, 52, simVertex::kFormat, true, false);
    EXPECT_EQ(dynamic.getUsage(), D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY | software);
    EXPECT_EQ(dynamic.getPool(), 0u);
    EXPECT_EQ(lastCall("CreateVertexBuffer").args,
              (std::vector<uint64_t>{1560, D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY | software, 0x352, 0}));
    simVertexBuffer managed(30, 52, simVertex::kFormat, false, true);
    EXPECT_EQ(managed.getUsage(), software);
    EXPECT_EQ(managed.getPool(), 1u);
    EXPECT_TRUE(managed.isUnregistered());
    EXPECT_FALSE(dynamic.isUnregistered());
}

TEST_F(VertexBuffer, LockRangesAndModeCoercion) {
    simVertexBuffer buffer(30, 52, simVertex::kFormat, true, false);
    struct Case {
        int mode, first, end;
        uint64_t offset, size, flags;
    } cases[] = {
        {2, 0, -1, 0, 1560, 0},                      // the whole buffer
        {1, 10, 20, 520, 520, D3DLOCK_DISCARD},      // a range, discarding
        {3, 0, 1, 0, 52, D3DLOCK_NOOVERWRITE},
        {0, 0, -1, 0, 1560, 0},                      // read-only on a write-only buffer locks plain
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        ASSERT_NE(buffer.lock(c.mode, c.first, c.end), nullptr);
        EXPECT_EQ(lastCall("Lock").args, (std::vector<uint64_t>{buffer.getBuffer().id, c.offset, c.size, c.flags}));
        buffer.unlock();
    }
    // Without dynamic usage every writing lock is plain.
    simVertexBuffer managed(30, 52, simVertex::kFormat, false, true);
    ASSERT_NE(managed.lock(1, 0, -1), nullptr);
    EXPECT_EQ(lastCall("Lock").args.back(), 0u);
    managed.unlock();
    ASSERT_NE(managed.lock(0, 0, -1), nullptr);
    EXPECT_EQ(lastCall("Lock").args.back(), uint64_t(D3DLOCK_READONLY));
    managed.unlock();
    EXPECT_TRUE(errors().empty());
}

TEST_F(VertexBuffer, RefusedLocksReturnNullAndLeaveTheBufferUnlocked) {
    simVertexBuffer buffer(30, 52, simVertex::kFormat, true, false);
    simVertexBuffer empty(0, 52, simVertex::kFormat, true, false);
    EXPECT_FALSE(empty.getBuffer());

    struct Case {
        simVertexBuffer* buffer;
        int mode, first, end;
        const char* error;
    } cases[] = {
        {&empty, 2, 0, -1, "simVertexBuffer::lock - invalid buffer"},
        {&buffer, 2, 0, 31, "simVertexBuffer::lock - out of bounds"},
        {&buffer, 2, -1, 5, "simVertexBuffer::lock - out of bounds"},
        {&buffer, 2, 5, 5, "simVertexBuffer::lock - out of bounds"},
        {&buffer, 2, 0, 0, "simVertexBuffer::lock - out of bounds"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        const size_t before = errors().size();
        EXPECT_EQ(c.buffer->lock(c.mode, c.first, c.end), nullptr);
        ASSERT_EQ(errors().size(), before + 1);
        EXPECT_EQ(errors().back(), c.error);
        EXPECT_FALSE(c.buffer->isLocked());
    }
    // An unknown mode and a device refusal fail the status instead.
    EXPECT_EQ(buffer.lock(7, 0, -1), nullptr);
    EXPECT_EQ(rig.engine.app().getStatusReason(), "simVertexBuffer::lock - invalid flags");
    EXPECT_FALSE(buffer.isLocked());
    rig.recorder->failNext(Recorder::Failure::Lock, D3DERR_INVALIDCALL);
    EXPECT_EQ(buffer.lock(2, 0, -1), nullptr);
    EXPECT_EQ(rig.engine.app().getStatusReason(), "simVertexBuffer::lock - d3d lock failure: D3DERR_INVALIDCALL");
    EXPECT_FALSE(buffer.isLocked());
    // After every refusal the buffer locks again normally.
    EXPECT_NE(buffer.lock(2, 0, -1), nullptr);
    buffer.unlock();
}

TEST_F(VertexBuffer, DoubleLockAndStrayUnlockAreReported) {
    simVertexBuffer buffer(30, 52, simVertex::kFormat, true, false);
    ASSERT_NE(buffer.lock(2, 0, -1), nullptr);
    EXPECT_EQ(buffer.lock(2, 0, -1), nullptr);
    buffer.unlock();
    buffer.unlock();
    EXPECT_EQ(errors(), (std::vector<std::string>{"simVertexBuffer::lock - buffer is already locked",
                                                   "simVertexBuffer::unlock - buffer is not locked"}));
    EXPECT_EQ(rig.recorder->count("Unlock"), 1u);
}

TEST_F(VertexBuffer, RenderCountsAndRefusals) {
    simVertexBuffer buffer(10, 52, simVertex::kFormat, true, false);
    rig.renderer().beginScene(false, false, false);
    const uint32_t trianglesBefore = rig.renderer().getStats().counters[simRenderStats::trianglesDrawn];

    buffer.render(D3DPT_TRIANGLESTRIP, true, -1, 0);  // 10 vertices: 8 triangles
    EXPECT_EQ(lastCall("DrawPrimitive").args, (std::vector<uint64_t>{D3DPT_TRIANGLESTRIP, 0, 8}));
    EXPECT_EQ(rig.state().getStateObject(simRenderState_vertexBuffer), &buffer);
    EXPECT_EQ(lastCall("SetStreamSource").args, (std::vector<uint64_t>{0, buffer.getBuffer().id, 0, 52}));
    EXPECT_EQ(lastCall("SetFVF").args, (std::vector<uint64_t>{0x352}));
    buffer.render(D3DPT_LINELIST, false, 2, 6);
    EXPECT_EQ(lastCall("DrawPrimitive").args, (std::vector<uint64_t>{D3DPT_LINELIST, 6, 2}));
    EXPECT_EQ(rig.renderer().getStats().counters[simRenderStats::trianglesDrawn], trianglesBefore + 8);

    struct Case {
        D3DPRIMITIVETYPE type;
        int count, first;
        const char* error;
    } cases[] = {
        {D3DPRIMITIVETYPE(3), 1, 0, "simVertexBuffer::render - invalid primitive type"},
        {D3DPT_TRIANGLELIST, -1, 0, "simVertexBuffer::render - size does not fit"},
        {D3DPT_TRIANGLELIST, 0, 0, "simVertexBuffer::render - invalid parameters"},
        {D3DPT_TRIANGLELIST, 4, 0, "simVertexBuffer::render - out of bounds"},   // 12 of 10 vertices
        {D3DPT_LINELIST, 2, 7, "simVertexBuffer::render - out of bounds"},       // vertices 7..10
        {D3DPT_TRIANGLESTRIP, 8, 1, "simVertexBuffer::render - out of bounds"},  // vertices 1..10
    };
    const size_t draws = rig.recorder->count("DrawPrimitive");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        buffer.render(c.type, true, c.count, c.first);
        ASSERT_FALSE(errors().empty());
        EXPECT_EQ(errors().back(), c.error);
    }
    EXPECT_EQ(rig.recorder->count("DrawPrimitive"), draws);
    rig.renderer().endScene(false, nullptr);
}

TEST_F(VertexBuffer, CreationFailureLeavesNoBufferAndReportsIt) {
    rig.recorder->failNext(Recorder::Failure::CreateVertexBuffer, D3DERR_OUTOFVIDEOMEMORY);
    simVertexBuffer buffer(30, 52, simVertex::kFormat, true, false);
    EXPECT_FALSE(buffer.getBuffer());
    ASSERT_EQ(errors().size(), 1u);
    EXPECT_EQ(errors()[0], "simVertexBuffer - vertex buffer creation falied: D3DERR_OUTOFVIDEOMEMORY");
    EXPECT_EQ(buffer.lock(2, 0, -1), nullptr);
    EXPECT_FALSE(buffer.isLocked());
}

TEST_F(VertexBuffer, ABufferTooLargeForThe32BitSizeIsRefused) {
    // 82 595 526 vertices of 52 bytes are 4 294 967 352 bytes: cut to 32
    // bits that is a 56-byte buffer, which the first lock would overrun.
    simVertexBuffer buffer(82595526, 52, simVertex::kFormat, true, false);
    EXPECT_FALSE(buffer.getBuffer());
    EXPECT_EQ(rig.recorder->count("CreateVertexBuffer"), 0u);
    ASSERT_EQ(errors().size(), 1u);
    EXPECT_EQ(errors()[0], "simVertexBuffer - vertex buffer creation falied: D3DERR_INVALIDCALL");
    EXPECT_EQ(buffer.lock(2, 0, -1), nullptr);
}

// Writes a numbered pattern into the whole buffer.
void fill(simVertexBuffer& buffer, uint8_t seed) {
    auto* bytes = static_cast<uint8_t*>(buffer.lock(2, 0, -1));
    ASSERT_NE(bytes, nullptr);
    for (int i = 0; i < buffer.getVertexCount() * buffer.getStride(); ++i) bytes[i] = uint8_t(seed + i * 7);
    buffer.unlock();
}

std::vector<uint8_t> contents(Device& device, simVertexBuffer& buffer) {
    void* bytes = nullptr;
    const size_t size = size_t(buffer.getVertexCount()) * size_t(buffer.getStride());
    if (FAILED(device.Lock(buffer.getBuffer(), 0, 0, &bytes, D3DLOCK_READONLY))) return {};
    std::vector<uint8_t> out(static_cast<uint8_t*>(bytes), static_cast<uint8_t*>(bytes) + size);
    device.Unlock(buffer.getBuffer());
    return out;
}

TEST_F(VertexBuffer, ContentsSurviveALostDeviceAndASettingsChange) {
    simVertexBuffer buffer(30, 52, simVertex::kFormat, true, false);
    fill(buffer, 3);
    // A later partial write is kept too.
    auto* part = static_cast<uint8_t*>(buffer.lock(1, 5, 6));
    ASSERT_NE(part, nullptr);
    std::memset(part, 0xAB, 52);
    buffer.unlock();
    const std::vector<uint8_t> before = contents(rig.device(), buffer);

    rig.device().SimulateDeviceLoss();
    rig.graphics().renderFrameDefault();  // Present notes the loss
    rig.graphics().renderFrameDefault();  // the lost-device step resets and restores
    ASSERT_TRUE(rig.state().isValid());
    EXPECT_EQ(rig.device().State(buffer.getBuffer()), ResourceState::Valid);
    EXPECT_EQ(contents(rig.device(), buffer), before);
    EXPECT_FALSE(buffer.hasMemoryCopy());

    rig.renderer().updateDevice();
    EXPECT_EQ(contents(rig.device(), buffer), before);
    EXPECT_TRUE(errors().empty());
}

TEST_F(VertexBuffer, FailedRestoreKeepsTheCopyForTheNextTry) {
    simVertexBuffer buffer(30, 52, simVertex::kFormat, true, false);
    fill(buffer, 9);
    const std::vector<uint8_t> before = contents(rig.device(), buffer);
    buffer.onDeviceReset();
    EXPECT_FALSE(buffer.getBuffer());
    EXPECT_TRUE(buffer.hasMemoryCopy());
    rig.recorder->failNext(Recorder::Failure::CreateVertexBuffer, D3DERR_OUTOFVIDEOMEMORY);
    buffer.onDeviceRestore();
    EXPECT_EQ(rig.engine.app().getStatusReason(),
              "CreateVertexBuffer::onDeviceRestore - invalid call: D3DERR_OUTOFVIDEOMEMORY");
    EXPECT_TRUE(buffer.hasMemoryCopy());
    buffer.onDeviceRestore();
    EXPECT_EQ(contents(rig.device(), buffer), before);
}

TEST_F(VertexBuffer, TheRenderersSharedBuffersHaveTheirLayouts) {
    const simVertexBuffer* b3 = rig.renderer().getVertexBuffer3D();
    const simVertexBuffer* b2 = rig.renderer().getVertexBuffer2D();
    ASSERT_TRUE(b3 && b2);
    EXPECT_EQ(b3->getVertexCount(), 25000);
    EXPECT_EQ(b3->getStride(), 52);
    EXPECT_EQ(b3->getFormat(), 0x352u);
    EXPECT_EQ(b2->getVertexCount(), 25000);
    EXPECT_EQ(b2->getStride(), 28);
    EXPECT_EQ(b2->getFormat(), 0x144u);
}

}  // namespace
