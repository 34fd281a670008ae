// The immediate drawing calls on the OpenGL device, read back pixel by
// pixel: exactly the pixels Direct3D 9 covers, texels on their pixels, lines
// and outlines, arcs, world primitives, and batches that draw the same
// picture as the direct calls.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simTexture.h"
#include "engine/graphics/simVertexBuffer.h"
#include "platform/gfx/device.h"
#include "tests/support/graphicsOnGl.h"

using namespace gfx;
using d3dx::Vector2;
using d3dx::Vector3;

namespace {

constexpr uint32_t kWidth = 64, kHeight = 48;
constexpr uint32_t kBlack = 0xFF000000u, kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu;

class GlDrawing : public testsupport::GraphicsOnGl {
protected:
    GlDrawing() : GraphicsOnGl(kWidth, kHeight) {}
    void SetUp() override {
        GraphicsOnGl::SetUp();
        if (HasFatalFailure()) return;
        begin();
    }
    void TearDown() override {
        if (rig->renderer().isInScene()) rig->renderer().endSceneWithoutPresent();
        GraphicsOnGl::TearDown();
    }
    simRenderer& r() { return rig->renderer(); }

    // A frame cleared to black with unlit, uncull'd drawing.
    void begin() {
        rig->state().setState(simRenderState_clearColour, kBlack);
        r().beginScene(true, true, true);
        rig->state().setState(simRenderState_lighting, 0u);
        rig->state().setState(simRenderState_backfaceCullMode, 0u);
    }
    // Ends the frame and reads the back buffer (0xAARRGGBB, top row first).
    std::vector<uint32_t> finish() {
        r().endSceneWithoutPresent();
        return rig->backBufferPixels();
    }
    static uint32_t at(const std::vector<uint32_t>& pixels, uint32_t x, uint32_t y) { return pixels[y * kWidth + x]; }
    // The pixels of that colour, as a mask.
    static std::vector<bool> covered(const std::vector<uint32_t>& pixels, uint32_t colour) {
        std::vector<bool> mask(pixels.size());
        for (size_t i = 0; i < pixels.size(); ++i) mask[i] = pixels[i] == colour;
        return mask;
    }

};

// Exactly the pixels x0..x1-1, y0..y1-1 have the colour.
void expectRectangle(const std::vector<uint32_t>& pixels, uint32_t x0, uint32_t y0, uint32_t x1, uint32_t y1,
                     uint32_t colour) {
    for (uint32_t y = 0; y < kHeight; ++y)
        for (uint32_t x = 0; x < kWidth; ++x) {
            const bool inside = x >= x0 && x < x1 && y >= y0 && y < y1;
            ASSERT_EQ(pixels[y * kWidth + x] == colour, inside) << x << "," << y;
        }
}

TEST_F(GlDrawing, RectanglesCoverTheirWholePixelsOnly) {
    r().drawRect({10, 8}, {30, 20}, kRed, nullptr);
    expectRectangle(finish(), 10, 8, 30, 20, kRed);
}

TEST_F(GlDrawing, FractionalCornersTruncateBeforeTheHalfPixel) {
    r().drawRect({10.7f, 20.2f}, {30.9f, 40.0f}, kGreen, nullptr);
    expectRectangle(finish(), 10, 20, 30, 40, kGreen);
}

TEST_F(GlDrawing, RectangleVectorsQuadsAndTrianglesCoverTheSamePixels) {
    r().drawRects({simScreenRect({2, 2}, {6, 5}, kBlue), simScreenRect({40, 30}, {50, 44}, kBlue)}, nullptr);
    r().drawQuad({10, 10}, {20, 10}, {20, 18}, {10, 18}, kRed, nullptr);
    r().drawTriangleUV({30, 2}, {40, 2}, {30, 12}, kGreen, nullptr, {0, 0}, {1, 0}, {0, 1});
    const auto pixels = finish();
    EXPECT_EQ(at(pixels, 2, 2), kBlue);
    EXPECT_EQ(at(pixels, 5, 4), kBlue);
    EXPECT_EQ(at(pixels, 6, 4), kBlack);
    EXPECT_EQ(at(pixels, 49, 43), kBlue);
    EXPECT_EQ(at(pixels, 10, 10), kRed);
    EXPECT_EQ(at(pixels, 19, 17), kRed);
    EXPECT_EQ(at(pixels, 20, 17), kBlack);
    EXPECT_EQ(at(pixels, 19, 18), kBlack);
    EXPECT_EQ(at(pixels, 30, 2), kGreen);
    EXPECT_EQ(at(pixels, 32, 8), kGreen);
    EXPECT_EQ(at(pixels, 38, 10), kBlack);
}

TEST_F(GlDrawing, EveryTexelLandsOnItsPixel) {
    simTexture texture(nullptr, "texels", 8, 4, D3DFMT_A8R8G8B8, false, false, true);
    ASSERT_TRUE(texture.getTexture());
    D3DLOCKED_RECT locked;
    ASSERT_EQ(rig->device().LockRect(texture.getTexture(), 0, &locked, nullptr, 0), D3D_OK);
    for (uint32_t y = 0; y < 4; ++y)
        for (uint32_t x = 0; x < 8; ++x)
            reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch)[x] =
                0xFF000000u | (x * 32) << 16 | (y * 64) << 8 | 0x40;
    rig->device().UnlockRect(texture.getTexture(), 0);
    r().drawRect({20, 10}, {28, 14}, 0xFFFFFFFF, &texture);
    const auto pixels = finish();
    for (uint32_t y = 0; y < 4; ++y)
        for (uint32_t x = 0; x < 8; ++x)
            EXPECT_EQ(at(pixels, 20 + x, 10 + y), 0xFF000000u | (x * 32) << 16 | (y * 64) << 8 | 0x40) << x << "," << y;
    EXPECT_EQ(at(pixels, 19, 10), kBlack);
    EXPECT_EQ(at(pixels, 28, 13), kBlack);
}

TEST_F(GlDrawing, LinesAndOutlinesLieOnTheirPixels) {
    r().drawLines2D({simScreenLine({5.6f, 30.2f}, {15.9f, 30.7f}, kRed, kRed)}, nullptr);
    r().drawRectOutline({30, 10}, {40, 16}, kGreen, nullptr);
    const auto pixels = finish();
    for (uint32_t x = 5; x < 15; ++x) EXPECT_EQ(at(pixels, x, 30), kRed) << x;
    EXPECT_EQ(at(pixels, 5, 29), kBlack);
    EXPECT_EQ(at(pixels, 5, 31), kBlack);
    EXPECT_EQ(at(pixels, 35, 10), kGreen);  // top
    EXPECT_EQ(at(pixels, 40, 13), kGreen);  // right
    EXPECT_EQ(at(pixels, 35, 16), kGreen);  // bottom
    EXPECT_EQ(at(pixels, 30, 13), kGreen);  // left
    EXPECT_EQ(at(pixels, 35, 13), kBlack);  // inside
}

TEST_F(GlDrawing, ArcsPassThroughTheirPoints) {
    r().drawArc2D({32, 24}, 12, kRed, nullptr, 64, 0, 360);
    r().drawArc2D({10, 10}, 6, kGreen, nullptr, 8, 0, 90);  // the quarter from below to the right
    const auto pixels = finish();
    auto near = [&](int x, int y, uint32_t colour) {
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (at(pixels, uint32_t(x + dx), uint32_t(y + dy)) == colour) return true;
        return false;
    };
    EXPECT_TRUE(near(32, 36, kRed));  // straight below the centre
    EXPECT_TRUE(near(44, 24, kRed));
    EXPECT_TRUE(near(32, 12, kRed));
    EXPECT_TRUE(near(20, 24, kRed));
    EXPECT_EQ(at(pixels, 32, 24), kBlack);
    EXPECT_TRUE(near(10, 16, kGreen));
    EXPECT_TRUE(near(16, 10, kGreen));
    EXPECT_FALSE(near(4, 10, kGreen));
}

TEST_F(GlDrawing, WorldPrimitivesUnderTheCurrentTransforms) {
    // Identity transforms: world coordinates are clip coordinates.
    r().setTransform(0, nullptr);
    r().setTransform(1, nullptr);
    r().setTransform(2, nullptr);
    r().drawQuad3D({-1, 1, 0.5f}, {0, 1, 0.5f}, {0, 0, 0.5f}, {-1, 0, 0.5f}, kRed, nullptr);
    r().drawTriangles3D({simTriangle3D({0, 0, 0.5f}, {1, 0, 0.5f}, {1, -1, 0.5f}, kGreen)}, nullptr);
    r().drawLines3D({simLine3D({-1, -0.5f, 0.5f}, {0, -0.5f, 0.5f}, kBlue)}, nullptr);
    const auto pixels = finish();
    EXPECT_EQ(at(pixels, 5, 5), kRed);          // upper-left quarter
    EXPECT_EQ(at(pixels, 31, 23), kRed);
    EXPECT_EQ(at(pixels, 33, 5), kBlack);
    EXPECT_EQ(at(pixels, 60, 26), kGreen);      // below the right edge's top
    EXPECT_EQ(at(pixels, 34, 46), kBlack);
    EXPECT_EQ(at(pixels, 10, 36), kBlue);       // three quarters down
}

TEST_F(GlDrawing, ABatchDrawsTheSamePictureAsTheDirectCalls) {
    auto picture = [&](simPrimitiveBatch* batch) {
        std::vector<simScreenTriangle>* triangles = batch ? &batch->screenTriangles : nullptr;
        std::vector<simScreenLine>* lines = batch ? &batch->screenLines : nullptr;
        r().drawRectUV({3.3f, 4.8f}, {20.1f, 11.5f}, kRed, nullptr, {0, 0}, {1, 1}, triangles);
        r().drawRectOutline({25, 5}, {40, 20}, kGreen, nullptr, lines);
        // Whole-pixel ends: a batch's screen lines are drawn truncated, the
        // direct single line as given.
        r().drawLine2D({44, 30}, {60, 40}, kBlue, nullptr, {0, 0}, {1, 1}, lines);
        // Kinds are drawn kind by kind from a batch, so nothing here overlaps.
        r().drawLine3D({-0.9f, -0.9f, 0.5f}, {-0.2f, -0.5f, 0.5f}, kRed, nullptr, {0, 0}, {1, 1}, batch);
        if (batch) r().drawBatch(*batch, nullptr);
    };
    r().setTransform(0, nullptr);
    r().setTransform(1, nullptr);
    r().setTransform(2, nullptr);
    picture(nullptr);
    const auto direct = finish();
    begin();
    simPrimitiveBatch batch;
    picture(&batch);
    const auto batched = finish();
    EXPECT_EQ(covered(direct, kRed), covered(batched, kRed));
    EXPECT_EQ(covered(direct, kGreen), covered(batched, kGreen));
    EXPECT_EQ(covered(direct, kBlue), covered(batched, kBlue));
}

TEST_F(GlDrawing, DrawingGoesOnAfterALostDevice) {
    r().endSceneWithoutPresent();
    rig->device().SimulateDeviceLoss();
    rig->graphics().renderFrameDefault();
    rig->graphics().renderFrameDefault();
    ASSERT_TRUE(rig->state().isValid());
    begin();
    r().drawRect({1, 1}, {5, 5}, kGreen, nullptr);
    expectRectangle(finish(), 1, 1, 5, 5, kGreen);
}

TEST_F(GlDrawing, AVertexBufferDrawsItsVerticesAgainAfterALostDevice) {
    // A quad written once, as a model's buffer is, and never written again.
    simVertexBuffer buffer(6, sizeof(simScreenVertex), simScreenVertex::kFormat, true, false);
    auto* v = static_cast<simScreenVertex*>(buffer.lock(simVertexBuffer::lockPlain, 0, -1));
    ASSERT_NE(v, nullptr);
    const float corners[6][2] = {{7.5f, 3.5f}, {17.5f, 3.5f}, {17.5f, 9.5f}, {7.5f, 3.5f}, {17.5f, 9.5f}, {7.5f, 9.5f}};
    for (int i = 0; i < 6; ++i) {
        v[i].x = corners[i][0];
        v[i].y = corners[i][1];
        v[i].z = 0.1f;
        v[i].rhw = 10.0f;
        v[i].colour = kBlue;
    }
    buffer.unlock();
    rig->state().setState(simRenderState_texture0, static_cast<const simRendererStateObject*>(nullptr));
    buffer.render(D3DPT_TRIANGLELIST, true, -1, 0);
    expectRectangle(finish(), 8, 4, 18, 10, kBlue);

    rig->device().SimulateDeviceLoss();
    rig->graphics().renderFrameDefault();
    rig->graphics().renderFrameDefault();
    ASSERT_TRUE(rig->state().isValid());
    begin();
    rig->state().setState(simRenderState_texture0, static_cast<const simRendererStateObject*>(nullptr));
    buffer.render(D3DPT_TRIANGLELIST, true, -1, 0);
    expectRectangle(finish(), 8, 4, 18, 10, kBlue);
}

}  // namespace
