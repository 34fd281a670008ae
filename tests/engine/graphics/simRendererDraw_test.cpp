// The immediate drawing calls on the recording device: the vertices they
// write, snapping, chunking, batches, arcs, and lock failures.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/core/simVertex.h"
#include "engine/graphics/simDrawRecords.h"
#include "engine/graphics/simVertexBuffer.h"
#include "platform/d3dx/d3dxMath.h"
#include "platform/gfx/device.h"
#include "tests/engine/graphics/stateObjects.h"
#include "tests/support/recordingGraphics.h"

using namespace gfx;
using d3dx::Vector2;
using d3dx::Vector3;
using testsupport::RecordingGraphics;

namespace {

class Drawing : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.complete());
        rig.renderer().beginScene(false, false, false);
        rig.recorder->clear();
    }
    void TearDown() override { rig.renderer().endScene(false, nullptr); }

    simRenderer& r() { return rig.renderer(); }

    // The first `count` vertices of a shared buffer as the last draw left them.
    template <class Vertex>
    std::vector<Vertex> vertices(simVertexBuffer* buffer, size_t count) {
        void* bytes = nullptr;
        if (FAILED(rig.device().Lock(buffer->getBuffer(), 0, uint32_t(count * sizeof(Vertex)), &bytes,
                                     D3DLOCK_READONLY)))
            return {};
        std::vector<Vertex> out(static_cast<Vertex*>(bytes), static_cast<Vertex*>(bytes) + count);
        rig.device().Unlock(buffer->getBuffer());
        return out;
    }
    std::vector<simScreenVertex> screen(size_t count) { return vertices<simScreenVertex>(r().getVertexBuffer2D(), count); }
    std::vector<simVertex> world(size_t count) { return vertices<simVertex>(r().getVertexBuffer3D(), count); }

    // The DrawPrimitive calls since the last clear, as (type, first, count).
    std::vector<std::vector<uint64_t>> draws() const {
        std::vector<std::vector<uint64_t>> out;
        for (const auto& call : rig.recorder->calls())
            if (call.name == "DrawPrimitive") out.push_back(call.args);
        return out;
    }

    RecordingGraphics rig;
    graphicstest::FakeTexture texture{TextureHandle{}, TextureHandle{}};
};

using Draws = std::vector<std::vector<uint64_t>>;

TEST_F(Drawing, RectangleCornersSnapToPixelCentres) {
    r().drawRect({10.7f, 20.2f}, {30.9f, 40.0f}, 0xFF112233, &texture);
    EXPECT_EQ(draws(), (Draws{{D3DPT_TRIANGLELIST, 0, 2}}));
    EXPECT_EQ(rig.state().getStateObject(simRenderState_texture0), &texture);
    const auto v = screen(6);
    const float expected[6][4] = {{9.5f, 19.5f, 0, 0}, {29.5f, 19.5f, 1, 0}, {29.5f, 39.5f, 1, 1},
                                  {9.5f, 19.5f, 0, 0}, {29.5f, 39.5f, 1, 1}, {9.5f, 39.5f, 0, 1}};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(v[i].x, expected[i][0]);
        EXPECT_EQ(v[i].y, expected[i][1]);
        EXPECT_EQ(v[i].u, expected[i][2]);
        EXPECT_EQ(v[i].v, expected[i][3]);
        EXPECT_EQ(v[i].z, 0.1f);
        EXPECT_EQ(v[i].rhw, 10.0f);
        EXPECT_EQ(v[i].colour, 0xFF112233u);
    }
}

TEST_F(Drawing, OneCallIsOneDiscardingLockOneBindAndOneDraw) {
    rig.state().setState(simRenderState_vertexBuffer, static_cast<const simRendererStateObject*>(nullptr));
    rig.recorder->clear();
    r().drawRect({0, 0}, {4, 4}, 0, nullptr);
    r().drawRect({0, 0}, {4, 4}, 0, nullptr);
    const uint64_t id = r().getVertexBuffer2D()->getBuffer().id;
    const std::vector<std::string> once = {"Lock(" + std::to_string(id) + ",0,168,8192)",
                                           "Unlock(" + std::to_string(id) + ")", "SetFVF(324)",
                                           "SetStreamSource(0," + std::to_string(id) + ",0,28)", "DrawPrimitive(4,0,2)"};
    std::vector<std::string> calls;
    for (const auto& call : rig.recorder->calls()) calls.push_back(call.text());
    std::vector<std::string> expected = once;
    expected.push_back(once[0]);  // the buffer stays bound for the second call
    expected.push_back(once[1]);
    expected.push_back(once[4]);
    EXPECT_EQ(calls, expected);
}

TEST_F(Drawing, SingleLineKeepsItsPositionsAndLineVectorsTruncate) {
    r().drawLine2D({10.7f, 20.2f}, {30.9f, 40.0f}, 0xFFFFFFFF, nullptr);
    auto v = screen(2);
    EXPECT_EQ(v[0].x, 10.7f);
    EXPECT_EQ(v[0].y, 20.2f);
    EXPECT_EQ(v[1].x, 30.9f);
    r().drawLines2D({simScreenLine({10.7f, 20.2f}, {30.9f, 40.0f}, 1, 2)}, nullptr);
    v = screen(2);
    EXPECT_EQ(v[0].x, 10.0f);
    EXPECT_EQ(v[0].y, 20.0f);
    EXPECT_EQ(v[1].x, 30.0f);
    EXPECT_EQ(v[1].y, 40.0f);
    EXPECT_EQ(v[1].colour, 2u);
    EXPECT_EQ(draws(), (Draws{{D3DPT_LINELIST, 0, 1}, {D3DPT_LINELIST, 0, 1}}));
}

TEST_F(Drawing, LongVectorsAreDrawnInChunksThatFitTheBuffer) {
    std::vector<simScreenRect> rects(5000, simScreenRect({0, 0}, {4, 4}, 0xFFFFFFFF));
    r().drawRects(rects, nullptr);
    EXPECT_EQ(draws(), (Draws{{D3DPT_TRIANGLELIST, 0, 4166 * 2}, {D3DPT_TRIANGLELIST, 0, 834 * 2}}));
    EXPECT_EQ(rig.recorder->count("Lock"), 2u);
    rig.recorder->clear();
    std::vector<simLine3D> lines(30000, simLine3D({0, 0, 0}, {1, 1, 1}, 0xFF00FF00));
    r().drawLines3D(lines, nullptr);
    EXPECT_EQ(draws(), (Draws{{D3DPT_LINELIST, 0, 12500}, {D3DPT_LINELIST, 0, 12500}, {D3DPT_LINELIST, 0, 5000}}));
}

TEST_F(Drawing, AnEmptyVectorDoesNothingAtAll) {
    graphicstest::FakeTexture other{TextureHandle{}, TextureHandle{}};
    rig.state().setState(simRenderState_texture0, &other);
    rig.recorder->clear();
    r().drawRects({}, &texture);
    r().drawTriangles2D({}, &texture);
    r().drawLines2D({}, &texture);
    r().drawLines3D({}, &texture);
    r().drawTriangles3D({}, &texture);
    r().drawQuads3D({}, &texture);
    r().drawBatch(simPrimitiveBatch{}, &texture);
    EXPECT_EQ(rig.recorder->total(), 0u);
    EXPECT_EQ(rig.state().getStateObject(simRenderState_texture0), &other);
}

TEST_F(Drawing, ArcOfFourSegmentsIsADiamondStartingBelowTheCentre) {
    r().drawArc2D({100, 100}, 10, 0xFFFFFFFF, nullptr, 4, 0, 360);
    EXPECT_EQ(draws(), (Draws{{D3DPT_LINELIST, 0, 4}}));
    const auto v = screen(8);
    EXPECT_FLOAT_EQ(v[0].x, 100.0f);
    EXPECT_FLOAT_EQ(v[0].y, 110.0f);  // y grows downwards: straight below
    EXPECT_NEAR(v[1].x, 110.0f, 1e-3);
    EXPECT_NEAR(v[1].y, 100.0f, 1e-3);
    EXPECT_EQ(v[0].u, 0.0f);
    EXPECT_EQ(v[1].u, 1.0f);
    for (int i = 0; i < 3; ++i) {  // each segment starts where the last ended
        EXPECT_EQ(v[2 * i + 1].x, v[2 * i + 2].x);
        EXPECT_EQ(v[2 * i + 1].y, v[2 * i + 2].y);
    }
}

TEST_F(Drawing, ArcSegmentCountsOfNoneOrManyAreSafe) {
    r().drawArc2D({0, 0}, 10, 0, nullptr, 0, 0, 360);
    r().drawArc2D({0, 0}, 10, 0, nullptr, -5, 0, 360);
    r().drawArc3D({0, 0, 0}, 10, 0, nullptr, 0);
    EXPECT_TRUE(draws().empty());
    r().drawArc2D({0, 0}, 10, 0, nullptr, 30000, 0, 360);
    EXPECT_EQ(draws(), (Draws{{D3DPT_LINELIST, 0, 12500}, {D3DPT_LINELIST, 0, 12500}, {D3DPT_LINELIST, 0, 5000}}));
    EXPECT_TRUE(rig.engine.errors.texts().empty());
}

TEST_F(Drawing, AFailedLockDrawsNothingAndLeavesTheBufferUsable) {
    rig.recorder->failNext(Recorder::Failure::Lock, D3DERR_INVALIDCALL, 3);
    r().drawRect({0, 0}, {4, 4}, 0, nullptr);
    r().drawArc2D({0, 0}, 10, 0, nullptr, 8, 0, 360);
    r().drawRects(std::vector<simScreenRect>(5000), nullptr);  // stops at the failed first chunk
    EXPECT_TRUE(draws().empty());
    EXPECT_EQ(rig.engine.app().getStatusReason(), "simVertexBuffer::lock - d3d lock failure: D3DERR_INVALIDCALL");
    EXPECT_FALSE(r().getVertexBuffer2D()->isLocked());
    r().drawRect({0, 0}, {4, 4}, 0, nullptr);
    EXPECT_EQ(draws().size(), 1u);
}

TEST_F(Drawing, BatchedCallsAppendUnsnappedRecordsThatDrawTheSame) {
    std::vector<simScreenTriangle> triangles;
    r().drawRectUV({10.7f, 20.2f}, {30.9f, 40.0f}, 0xFF00FF00, nullptr, {0.25f, 0.5f}, {0.75f, 1.0f}, &triangles);
    EXPECT_TRUE(draws().empty());
    ASSERT_EQ(triangles.size(), 2u);
    EXPECT_EQ(triangles[0].p0.x, 10.7f);
    r().drawRectUV({10.7f, 20.2f}, {30.9f, 40.0f}, 0xFF00FF00, nullptr, {0.25f, 0.5f}, {0.75f, 1.0f});
    const auto direct = screen(6);
    r().drawTriangles2D(triangles, nullptr);
    const auto batched = screen(6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(direct[i].x, batched[i].x);
        EXPECT_EQ(direct[i].y, batched[i].y);
        EXPECT_EQ(direct[i].u, batched[i].u);
        EXPECT_EQ(direct[i].v, batched[i].v);
    }

    std::vector<simScreenLine> lines;
    r().drawRectOutline({1, 2}, {5, 6}, 7, nullptr, &lines);
    r().drawArc2D({0, 0}, 1, 7, nullptr, 6, 0, 180, &lines);
    EXPECT_EQ(lines.size(), 10u);
    simPrimitiveBatch batch;
    r().drawLine3D({0, 0, 0}, {1, 0, 0}, 7, nullptr, {0, 0}, {1, 1}, &batch);
    r().drawArc3D({0, 0, 0}, 1, 7, nullptr, 5, nullptr, nullptr, false, &batch);
    EXPECT_EQ(batch.worldLines.size(), 6u);
    EXPECT_EQ(draws().size(), 2u);
}

TEST_F(Drawing, ABatchDrawsScreenLinesWorldLinesScreenTrianglesWorldTriangles) {
    simPrimitiveBatch batch;
    batch.worldTriangles.push_back(simTriangle3D({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, 1));
    batch.screenTriangles.push_back(simScreenTriangle());
    batch.worldLines.push_back(simLine3D({0, 0, 0}, {1, 0, 0}, 1));
    batch.screenLines.push_back(simScreenLine());
    batch.screenLines.push_back(simScreenLine());
    r().drawBatch(batch, nullptr);
    EXPECT_EQ(draws(), (Draws{{D3DPT_LINELIST, 0, 2},
                              {D3DPT_LINELIST, 0, 1},
                              {D3DPT_TRIANGLELIST, 0, 1},
                              {D3DPT_TRIANGLELIST, 0, 1}}));
    std::vector<uint64_t> formats;
    for (const auto& call : rig.recorder->calls())
        if (call.name == "SetFVF") formats.push_back(call.args[0]);
    EXPECT_EQ(formats, (std::vector<uint64_t>{0x144, 0x352, 0x144, 0x352}));
}

TEST_F(Drawing, WorldQuadsAndTrianglesCarryTheirNormalsAndUVSets) {
    simTriangle3D t({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, 5);
    t.n1 = Vector3(0, 0, -1);
    r().drawTriangles3D({t}, nullptr);
    auto v = world(3);
    EXPECT_EQ(v[1].normal, Vector3(0, 0, -1));
    EXPECT_EQ(v[2].uv[0], Vector2(1, 1));
    EXPECT_EQ(v[0].uv[1], Vector2(1, 1));
    EXPECT_EQ(v[0].uv[2], Vector2(1, 1));

    const Vector2 uvs2[4] = {{5, 5}, {6, 6}, {7, 7}, {8, 8}};
    r().drawQuad3D({0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, 9, nullptr, nullptr, uvs2);
    v = world(6);
    const Vector3 corners[6] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    const float second[6] = {5, 6, 7, 5, 7, 8};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(v[i].position, corners[i]);
        EXPECT_EQ(v[i].uv[1].x, second[i]);
        EXPECT_EQ(v[i].colour, 9u);
    }
}

TEST_F(Drawing, WorldVerticesWithoutANormalOfTheirOwnGetTheDrawnNormal) {
    const Vector3 drawn(1, 1, 1);
    r().drawLine3D({0, 0, 0}, {1, 0, 0}, 3, nullptr, {0, 0}, {1, 1}, nullptr);
    for (const simVertex& v : world(2)) EXPECT_EQ(v.normal, drawn);
    r().drawQuad3D({0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, 9, nullptr, nullptr, nullptr);
    for (const simVertex& v : world(6)) EXPECT_EQ(v.normal, drawn);
    r().drawQuad3DColours({0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, 1, 2, 3, 4, nullptr, {0, 0}, {1, 0}, {1, 1},
                          {0, 1});
    for (const simVertex& v : world(6)) EXPECT_EQ(v.normal, drawn);
    r().drawTriangles3D({simTriangle3D({0, 0, 0}, {1, 0, 0}, {0, 1, 0}, 5)}, nullptr);
    for (const simVertex& v : world(3)) EXPECT_EQ(v.normal, drawn);

    // The drawn vertex from a position, a colour and three UV pairs.
    const simVertex v({1, 2, 3}, 0xFF102030u, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f);
    EXPECT_EQ(v.position, Vector3(1, 2, 3));
    EXPECT_EQ(v.normal, drawn);
    EXPECT_EQ(v.colour, 0xFF102030u);
    EXPECT_EQ(v.uv[0], Vector2(0.1f, 0.2f));
    EXPECT_EQ(v.uv[1], Vector2(0.3f, 0.4f));
    EXPECT_EQ(v.uv[2], Vector2(0.5f, 0.6f));
}

TEST_F(Drawing, OrientedSquareFacesItsDirection) {
    r().drawOrientedQuad3D({1, 2, 3}, {0, 0, 2}, 0.5f, 1, nullptr);
    const auto v = world(6);
    for (int i = 0; i < 6; ++i) {
        EXPECT_NEAR(v[i].position.z, 3.0f, 1e-6);  // in the plane across the facing direction
        const float dx = v[i].position.x - 1, dy = v[i].position.y - 2;
        EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), std::sqrt(0.5f), 1e-5);  // corners of a unit square
    }
}

TEST_F(Drawing, WorldArcLeavesOutTheHalfFacingAway) {
    // The viewer looks along +y.
    d3dx::Matrix view;
    const Vector3 eye(0, 0, 0), at(0, 1, 0), up(0, 0, 1);
    d3dx::MatrixLookAtLH(&view, &eye, &at, &up);
    r().setTransform(2, &view);
    rig.recorder->clear();
    r().drawArc3D({0, 0, 0}, 1, 1, nullptr, 8, nullptr, nullptr, true);
    EXPECT_EQ(draws(), (Draws{{D3DPT_LINELIST, 0, 4}}));
    r().drawArc3D({0, 0, 0}, 1, 1, nullptr, 8, nullptr, nullptr, false);
    EXPECT_EQ(draws().back(), (std::vector<uint64_t>{D3DPT_LINELIST, 0, 8}));
    // A facing direction turns the circle into the plane across it.
    const Vector3 facing(1, 0, 0);
    r().drawArc3D({5, 0, 0}, 2, 1, nullptr, 6, &facing, nullptr, false);
    const auto v = world(12);
    for (const auto& p : v) EXPECT_NEAR(p.position.x, 5.0f, 1e-5);
}

}  // namespace
