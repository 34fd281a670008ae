// The bundled trainers painted in the editor, drawn through the editor's own
// frames on OpenGL: the 3-D view flat and lit, the texture view with the
// brush's cursor, against golden images; the cursor's size in the texture
// view follows the texture's width; a device reset draws the same picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/shell/tbErrorBox.h"
#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryRender.h"
#include "app/scheme/tbGeometryTool_projectImage.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbProject_model.h"
#include "app/scheme/tbTextureMap.h"
#include "app/scheme/tbToolSettings.h"
#include "app/scheme/tbTriangle.h"
#include "app/shell/tbApplication.h"
#include "app/shell/tbMouseGate.h"
#include "app/shell/tbOptions.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simMouse.h"
#include "engine/core/simResources.h"
#include "engine/core/simSystemLinks.h"
#include "engine/core/utilsPicking.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simEngineLinks.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simTexture.h"
#include "engine/graphics/simWindow.h"
#include "platform/d3dx/d3dxMath.h"
#include "platform/gfx/device.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"
#include "platform/win/virtualDesktop.h"
#include "tests/app/scheme/editorOnGl.h"
#include "tests/support/goldenImage.h"
#include "tests/support/imageSamples.h"

namespace {

constexpr uint32_t kBackdrop = 0xFF000000u;  // the settings' backdrop colour

class SchemeFrames : public apptest::EditorOnGl {
protected:
    void SetUp() override {
        startEditor(640, 480, tbToolState::kModeScheme);
        if (HasFatalFailure()) return;
        project = new tbProject_model();
        ASSERT_TRUE(project->onNew("sparrow")) << app->getStatusReason();
        project->refresh();
        const simWindow* window = g_graphics->getWindow();
        width = uint32_t(window->getBackBufferWidth());
        height = uint32_t(window->getBackBufferHeight());
    }
    void TearDown() override {
        delete project;
        stopEditor();
    }

    tbGeometry& model() { return *project->getModel(); }
    tbOptions& options() { return *app->options(); }
    // Two frames of the editor's, as its frame drive runs them; the second
    // sees the input and the cameras the first settled.
    void frames() {
        for (int i = 0; i < 2; ++i) {
            app->update();
            app->purgeSafeDeleteObjects(false);
            app->redraw();
        }
    }
    std::vector<uint32_t> pixels() { return backBufferPixels(); }
    size_t covered(const std::vector<uint32_t>& picture) const {
        return size_t(std::count_if(picture.begin(), picture.end(), [](uint32_t c) { return c != kBackdrop; }));
    }
    void moveMouse(int32_t x, int32_t y) { g_input->getMouse()->onMove(x, y); }
    // The screen rectangle of the texture view's unit square, as camera 0 shows it.
    void squareOnScreen(d3dx::Vector2& a, d3dx::Vector2& b) {
        simCamera* camera = dynamic_cast<simScene*>(g_graphics->getScene())->getCamera(0);
        g_graphics->setCurrentCamera(camera);
        camera->apply();
        ASSERT_TRUE(utils::worldToScreen2D({0, 0, 0}, &a));
        ASSERT_TRUE(utils::worldToScreen2D({1, 1, 0}, &b));
    }

    tbProject_model* project = nullptr;
    uint32_t width = 0, height = 0;
};

TEST_F(SchemeFrames, TheThreeDViewShowsThePaintedModelAndTheFlatTexture) {
    app->tools().setTool(1);  // no cursor of its own in this issue
    options().showSecondView = true;
    frames();
    const std::vector<uint32_t> picture = pixels();
    EXPECT_GT(covered(picture), picture.size() / 10);
    // The second view: the texture in the top-left square of side width / 3.5.
    const uint32_t side = uint32_t(float(width) / 3.5f);
    EXPECT_NE(picture[size_t(side / 2) * width + side / 2], kBackdrop);
    EXPECT_TRUE(testsupport::matchesGolden(picture, width, height, "tests/app/scheme/golden/sparrow_3dView.png"));
}

TEST_F(SchemeFrames, RealisticLightingDrawsTheModelThroughItsEffect) {
    app->tools().setTool(1);
    options().showSecondView = false;
    options().lightingMode = 1;
    frames();
    const std::vector<uint32_t> lit = pixels();
    EXPECT_GT(covered(lit), lit.size() / 10);
    EXPECT_TRUE(testsupport::matchesGolden(lit, width, height, "tests/app/scheme/golden/sparrow_3dViewLit.png"));
}

// The program's own trainer as the editor's 3-D view draws it, flat and
// with realistic lighting: the lit model keeps its paint's colours (shaded
// by the light, the glass showing the cube map), never a white shape.
TEST_F(SchemeFrames, TheBundledTrainerIsDrawnFlatAndLitInItsColours) {
    delete project;
    project = new tbProject_model();
    ASSERT_TRUE(project->onNew("kestrel")) << app->getStatusReason();
    project->refresh();
    app->tools().setTool(1);
    options().showSecondView = false;
    for (const int lighting : {0, 1}) {
        SCOPED_TRACE(lighting);
        options().lightingMode = lighting;
        frames();
        const std::vector<uint32_t> picture = pixels();
        ASSERT_GT(covered(picture), picture.size() / 20);
        size_t white = 0;
        for (const uint32_t c : picture) white += c != kBackdrop && (c & 0xF0F0F0u) == 0xF0F0F0u;
        EXPECT_LT(white, covered(picture) / 2) << "the model is drawn white";
        EXPECT_TRUE(testsupport::matchesGolden(picture, width, height,
                                               lighting ? "tests/app/scheme/golden/kestrel_3dViewLit.png"
                                                        : "tests/app/scheme/golden/kestrel_3dView.png"));
    }
}

TEST_F(SchemeFrames, TheTextureViewShowsTheTextureWithTheBrushCursor) {
    app->tools().setViewMode(1);
    app->tools().setTool(0);
    options().showSecondView = true;
    moveMouse(int32_t(width / 2), int32_t(height / 2));
    frames();
    const std::vector<uint32_t> picture = pixels();
    EXPECT_TRUE(testsupport::matchesGolden(picture, width, height, "tests/app/scheme/golden/sparrow_textureView.png"));
    // The corner view's frame is plain white along its top and left edges.
    const uint32_t right = uint32_t(float(width) / 3.5f) - 1, bottom = uint32_t(float(height) / 3.5f) - 1;
    for (uint32_t x = 0; x < right; ++x) ASSERT_EQ(picture[x], 0xFFFFFFFFu) << x;
    for (uint32_t y = 0; y < bottom; ++y) ASSERT_EQ(picture[size_t(y) * width], 0xFFFFFFFFu) << y;
}

// The cursor covers the texels the stamp will: a square of 20 x size texels
// of the paint texture, whatever the texture's width.
TEST_F(SchemeFrames, TheTextureViewCursorIsSizedFromTheTexturesWidth) {
    app->tools().setViewMode(1);
    options().showSecondView = false;
    simColour green;
    green.set(255, 0, 255, 0);
    app->tools().setMainColour(green);
    app->tools().setBrushTexture(dynamic_cast<simTexture*>(simResources::getResource("white_trans.bmp", false)));
    app->tools().setBrushSize(20.0f, 0.0f, 100.0f);
    moveMouse(int32_t(width / 2), int32_t(height / 2));
    app->tools().setTool(1);
    frames();
    const std::vector<uint32_t> without = pixels();
    app->tools().setTool(0);
    frames();
    const std::vector<uint32_t> with = pixels();

    uint32_t left = width, right = 0, top = height, bottom = 0;
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            if (with[size_t(y) * width + x] != without[size_t(y) * width + x]) {
                left = std::min(left, x), right = std::max(right, x + 1);
                top = std::min(top, y), bottom = std::max(bottom, y + 1);
            }
    ASSERT_LT(left, right);
    d3dx::Vector2 a, b;
    squareOnScreen(a, b);
    const float texels = 20.0f * 20.0f;
    const float expectedWidth = texels / float(model().getTextureMap()->getWidth()) * (b.x - a.x);
    const float expectedHeight = texels / float(model().getTextureMap()->getHeight()) * (a.y - b.y);
    EXPECT_NEAR(float(right - left), expectedWidth, 2.0f);
    EXPECT_NEAR(float(bottom - top), expectedHeight, 2.0f);
    // Centred on the mouse.
    EXPECT_NEAR(float(left + right) / 2.0f, float(g_input->getMouse()->getX()), 1.5f);
    EXPECT_NEAR(float(top + bottom) / 2.0f, float(g_input->getMouse()->getY()), 1.5f);
}

// The 3-D brush's footprint on a wing top (a face looking straight up),
// its ring and normal in red, and the flood fill's box around the picked
// object, shaded from the main to the second colour along the gradient axis.
TEST_F(SchemeFrames, TheThreeDViewShowsTheBrushFootprintAndTheFloodBox) {
    options().showSecondView = false;
    tbTriangle* top = nullptr;
    for (const auto& t : model().triangles)
        if (t->faceNormal.y > 0.999f && (!top || t->centre.x > top->centre.x)) top = t.get();
    ASSERT_NE(top, nullptr);
    model().pickedTriangle = top;
    model().pickedPoint = top->centre;
    model().pickedNormal = top->faceNormal;
    // The object whose part holds the triangle.
    for (const auto& object : model().roots[0]->children)
        for (const auto& part : object->meshParts)
            if (top->index >= part->firstTriangle() && top->index < part->endTriangle()) model().pickedObject = object.get();
    ASSERT_NE(model().pickedObject, nullptr);
    simColour blue;
    blue.set(255, 0, 0, 255);
    app->tools().setMainColour(blue);
    app->tools().setBrushSize(20.0f, 0.0f, 100.0f);
    app->tools().setTool(0);
    frames();  // the first frame makes the perspective camera current
    model().prepareBrush3D(top->centre, 20.0f);
    ASSERT_FALSE(model().brush3D.patch.empty());
    frames();
    const std::vector<uint32_t> brush = pixels();
    auto count = [&](const std::vector<uint32_t>& picture, auto test) {
        return std::count_if(picture.begin(), picture.end(), test);
    };
    EXPECT_GT(count(brush, [](uint32_t c) { return c == 0xFFFF0000u; }), 30) << "no red ring";
    EXPECT_GT(count(brush, [](uint32_t c) { return (c & 0xFF) > 200 && ((c >> 16) & 0xFF) < 60; }), 200)
        << "no blue footprint";
    EXPECT_TRUE(testsupport::matchesGolden(brush, width, height, "tests/app/scheme/golden/sparrow_brush3D.png"));

    simColour white;
    white.set(255, 255, 255, 255);
    app->tools().setSecondColour(white);
    model().toolSettings.floodGradient = 1;
    model().toolSettings.floodAxis = 0;
    app->tools().setTool(2);
    frames();
    EXPECT_TRUE(testsupport::matchesGolden(pixels(), width, height, "tests/app/scheme/golden/sparrow_floodBox.png"));
}

TEST_F(SchemeFrames, ADeviceResetDrawsTheSamePicture) {
    app->tools().setTool(1);
    options().showSecondView = true;
    frames();
    const std::vector<uint32_t> before = pixels();
    const size_t buffers = model().getRender().bufferCount();
    // The reset of a settings change: every device object lets go of its
    // default-pool resources and makes them again.
    g_graphics->getRenderer()->updateDevice();
    ASSERT_TRUE(g_graphics->getRenderer()->getState()->isValid());
    frames();
    EXPECT_EQ(model().getRender().bufferCount(), buffers);
    EXPECT_TRUE(testsupport::matchesGolden(pixels(), width, height, "tests/app/scheme/golden/sparrow_3dView.png"));
    EXPECT_EQ(pixels(), before);
}

// The mirror's box: its lines along x run from black on the side read to
// yellow on the side written (the minimum-x face for "-X -> +X axis", the
// maximum-x face for the other), nothing for a direction outside the list.
// The projection's slot with an image shows over the model with its gizmo
// usable; a hidden slot draws nothing and its gizmo is off, as every gizmo
// is with another tool.
TEST_F(SchemeFrames, TheMirrorBoxPointsAtTheWrittenSideAndTheProjectionPreviewsItsShownSlots) {
    options().showSecondView = false;
    app->tools().setTool(0);
    frames();
    const std::vector<uint32_t> plain = pixels();
    // Where the model's x faces lie across the screen.
    simCamera* camera = dynamic_cast<simScene*>(g_graphics->getScene())->getCamera(1);
    g_graphics->setCurrentCamera(camera);
    camera->apply();
    const simBoundingBox& box = model().box;
    d3dx::Vector2 minFace, maxFace;
    ASSERT_TRUE(utils::worldToScreen2D({box.min.x, box.centre.y, box.centre.z}, &minFace));
    ASSERT_TRUE(utils::worldToScreen2D({box.max.x, box.centre.y, box.centre.z}, &maxFace));
    d3dx::Vector2 towardsMax = maxFace - minFace;
    d3dx::Vec2Normalize(&towardsMax, &towardsMax);
    // How the brightness of the drawn lines changes from the minimum-x side
    // to the maximum-x side: the covariance of red with the place along x.
    auto brighteningTowardsMax = [&](const std::vector<uint32_t>& picture, size_t& count) {
        std::vector<std::pair<double, double>> samples;
        for (size_t i = 0; i < picture.size(); ++i) {
            if (picture[i] == plain[i]) continue;
            const d3dx::Vector2 at{float(i % width), float(i / width)};
            const d3dx::Vector2 offset = at - minFace;
            samples.emplace_back(double(d3dx::Vec2Dot(&offset, &towardsMax)), double((picture[i] >> 16) & 0xFF));
        }
        count = samples.size();
        double t = 0.0, b = 0.0, cov = 0.0;
        for (const auto& [x, y] : samples) t += x, b += y;
        t /= double(std::max<size_t>(count, 1));
        b /= double(std::max<size_t>(count, 1));
        for (const auto& [x, y] : samples) cov += (x - t) * (y - b);
        return cov;
    };

    app->tools().setTool(7);
    for (const int32_t direction : {0, 1}) {
        SCOPED_TRACE(direction);
        model().toolSettings.mirrorDirection = direction;
        frames();
        const std::vector<uint32_t> picture = pixels();
        testsupport::writePicture(picture, width, height, "sparrow_mirror" + std::to_string(direction) + ".png");
        size_t count = 0;
        const double trend = brighteningTowardsMax(picture, count);
        EXPECT_GT(count, 200u);
        if (direction == 0)
            EXPECT_LT(trend, 0.0);
        else
            EXPECT_GT(trend, 0.0);
    }
    model().toolSettings.mirrorDirection = 2;
    frames();
    EXPECT_EQ(pixels(), plain);

    // Slot 0 (+X) with a red image, the others empty.
    const std::string image = documents.path() + "/red.bmp";
    {
        const std::vector<uint8_t> bytes = imagesamples::bmp24(imagesamples::solid(8, 8, 0xFFFF0000u));
        std::ofstream(image, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    model().loadProjectionImage(0, image);
    ASSERT_NE(model().projectImageTool().image(0), nullptr);
    tbProjectionSlotSettings& slot = model().toolSettings.projectionSlots[0];
    slot.threshold = 50;
    slot.show = 1;
    app->tools().setTool(5);
    frames();
    const std::vector<uint32_t> projected = pixels();
    testsupport::writePicture(projected, width, height, "sparrow_projectionPreview.png");
    EXPECT_NE(projected, plain);
    EXPECT_EQ(model().projectImageTool().gizmo(0).enabled, 1);
    for (int i = 1; i < tbGeometryTool_projectImage::kSlots; ++i) EXPECT_EQ(model().projectImageTool().gizmo(i).enabled, 0);
    slot.show = 0;
    frames();
    EXPECT_EQ(model().projectImageTool().gizmo(0).enabled, 0);
    app->tools().setTool(0);
    frames();
    EXPECT_EQ(pixels(), plain);
    for (int i = 0; i < tbGeometryTool_projectImage::kSlots; ++i) EXPECT_EQ(model().projectImageTool().gizmo(i).visible, 0);
}

// Clamp addressing in the program's frames (the GUI pass sets the sampler
// behind the cache's back each frame): an image smaller than the model is
// previewed and projected once with its edges stretched, where wrap repeats
// it, and the projection paints the texture in both modes.
TEST_F(SchemeFrames, ClampShowsAndProjectsTheImageOnceWithItsEdgesStretched) {
    options().showSecondView = false;
    app->tools().setTool(0);
    frames();
    // Red on the left half, blue on the right: wrap repeats both across the
    // model, clamp leaves the side beyond each edge in that edge's colour.
    d3dx::Bitmap halves(8, 8);
    for (uint32_t y = 0; y < 8; ++y)
        for (uint32_t x = 0; x < 8; ++x) halves.pixels[y * 8 + x] = x < 4 ? 0xFFFF0000u : 0xFF0000FFu;
    const std::string image = documents.path() + "/halves.bmp";
    {
        const std::vector<uint8_t> bytes = imagesamples::bmp24(halves);
        std::ofstream(image, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    constexpr int kTop = 2;  // +Y: looks down on the wings
    model().loadProjectionImage(kTop, image);
    ASSERT_NE(model().projectImageTool().image(kTop), nullptr);
    model().projectImageTool().gizmo(kTop).setScale({0.5f, 0.5f, 0.5f});
    tbProjectionSlotSettings& slot = model().toolSettings.projectionSlots[kTop];
    slot.threshold = 90;
    slot.show = 1;
    app->tools().setTool(5);
    std::vector<uint32_t> previews[2], painted[2];
    for (const uint32_t wrapMode : {0u, 1u}) {
        SCOPED_TRACE(wrapMode);
        slot.wrapMode = wrapMode;
        frames();
        previews[wrapMode] = pixels();
        testsupport::writePicture(previews[wrapMode], width, height,
                                  std::string("sparrow_projection") + (wrapMode ? "Clamp" : "Wrap") + ".png");
        d3dx::Image texture;
        ASSERT_TRUE(model().getTextureMap()->readSurface(model().getTextureMap()->getPaintSurface(), texture));
        const std::vector<uint32_t> unpainted = imagesamples::bitmapOf(texture).pixels;
        model().projectImages();
        ASSERT_TRUE(model().getTextureMap()->readSurface(model().getTextureMap()->getPaintSurface(), texture));
        const d3dx::Bitmap picture = imagesamples::bitmapOf(texture);
        painted[wrapMode] = picture.pixels;
        testsupport::writePicture(painted[wrapMode], picture.width, picture.height,
                                  std::string("sparrow_projected") + (wrapMode ? "Clamp" : "Wrap") + ".png");
        EXPECT_NE(painted[wrapMode], unpainted) << "the projection painted nothing";
        model().getUndo().push();
        model().getUndo().undo();
    }
    EXPECT_NE(previews[0], previews[1]) << "the preview ignores clamp";
    EXPECT_NE(painted[0], painted[1]) << "the projection ignores clamp";
}

}  // namespace
