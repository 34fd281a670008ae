// The text tool on the OpenGL device: the text texture holds the text
// stretched over it whatever the text's length and the paint texture's
// size; projecting in the 3-D view and applying in the texture view paint
// the text across the paint texture's own size (not a 1024 square's); an
// empty text paints nothing; one undo takes an application back; the text
// survives a lost device; the preview's plane lies where the projection
// puts the image.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/tbErrorBox.h"
#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryRender.h"
#include "app/scheme/tbGeometryTool_text.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbImageProjection.h"
#include "app/scheme/tbProjectFile.h"
#include "app/scheme/tbTextureMap.h"
#include "app/shell/tbApplication.h"
#include "app/shell/tbMouseGate.h"
#include "engine/core/simGlobals.h"
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
#include "platform/d3dx/d3dxImage.h"
#include "platform/d3dx/d3dxMath.h"
#include "platform/gfx/device.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"
#include "platform/win/virtualDesktop.h"
#include "tests/app/scheme/editorOnGl.h"
#include "tests/app/scheme/mapSurface.h"
#include "tests/support/goldenImage.h"
#include "tests/support/imageSamples.h"

namespace {

constexpr uint32_t kGrey = 0xFF808080u, kRed = 0xFFFF0000u, kBlue = 0xFF0000FFu;

// The rectangle around the pixels that `keep` selects; empty (right <= left)
// when none does.
struct Box {
    int32_t left = 1 << 30, top = 1 << 30, right = 0, bottom = 0;
    size_t count = 0;
};
template <class Keep>
Box boxOf(const std::vector<uint32_t>& pixels, uint32_t width, Keep keep) {
    Box b;
    for (size_t i = 0; i < pixels.size(); ++i) {
        if (!keep(pixels[i])) continue;
        const int32_t x = int32_t(i % width), y = int32_t(i / width);
        b.left = std::min(b.left, x);
        b.top = std::min(b.top, y);
        b.right = std::max(b.right, x + 1);
        b.bottom = std::max(b.bottom, y + 1);
        ++b.count;
    }
    return b;
}

class TextOnGl : public testsupport::ModelOnGl {
protected:
    void SetUp() override {
        ModelOnGl::SetUp();
        if (HasFatalFailure()) return;
        app->tools().setMainColour(simColour::fromARGB(kRed));
        app->tools().setSecondColour(simColour::fromARGB(kBlue));
    }

    // A square of 8 x 8 cells in the plane x = 0 over y, z = -1..1, facing
    // +X, its texture coordinates across the whole texture: u = (1 - z) / 2,
    // v = (1 - y) / 2, on a grey paint texture `size` texels square.
    void build(uint32_t size) {
        model->materials.push_back(std::make_unique<tbMaterial>(model.get(), 0));
        model->materials[0]->paintFlag = 1;
        constexpr int kCells = 8;
        const float step = 2.0f / float(kCells);
        auto vertex = [](float y, float z) {
            simVertex v;
            v.position = {0.0f, y, z};
            v.normal = {1.0f, 0.0f, 0.0f};
            v.uv[0] = {(1.0f - z) / 2.0f, (1.0f - y) / 2.0f};
            return v;
        };
        for (int row = 0; row < kCells; ++row)
            for (int col = 0; col < kCells; ++col) {
                const float y0 = -1.0f + step * float(row), z0 = -1.0f + step * float(col);
                const float y1 = y0 + step, z1 = z0 + step;
                // Wound so that the face normal is +X.
                for (auto [y, z] : {std::pair{y0, z0}, {y1, z0}, {y1, z1}, {y0, z0}, {y1, z1}, {y0, z1}})
                    model->vertices.push_back(vertex(y, z));
            }
        model->buildTriangles();
        auto root = std::make_unique<tbGeometryObject>(model.get());
        auto part = std::make_unique<tbMeshPart>(root.get());
        part->material = model->materials[0].get();
        part->endVertex = uint32_t(model->vertices.size());
        root->meshParts.push_back(std::move(part));
        model->roots.push_back(std::move(root));
        auto map = std::make_unique<tbTextureMap>(model.get());
        ASSERT_TRUE(map->open(size, size, imagesamples::bmp24(imagesamples::solid(size, size, kGrey))));
        model->setTextureMap(std::move(map));
        for (const auto& t : model->triangles) ASSERT_GT(t->faceNormal.x, 0.99f);
    }

    tbTextureMap& map() { return *model->getTextureMap(); }
    tbGeometryTool_text& text() { return model->textTool(); }
    std::vector<uint32_t> paint() { return testsupport::mapSurface(map(), map().getPaintSurface()).pixels; }
    // The text texture's pixels (alpha kept).
    std::vector<uint32_t> textTexture() {
        gfx::Device* d = g_graphics->getRenderer()->getDevice();
        gfx::SurfaceHandle level;
        EXPECT_EQ(d->GetSurfaceLevel(text().getTextTexture()->getTexture(), 0, &level), gfx::D3D_OK);
        std::vector<uint32_t> out;
        const uint32_t side = tbGeometryTool_text::kSurfaceSize;
        EXPECT_TRUE(map().readPixels(level, {0, 0, int32_t(side), int32_t(side)}, out));
        d->Release(level);
        return out;
    }
    static bool inked(uint32_t argb) { return (argb >> 24) > 0x80; }
    // Saves a picture beside the test for looking at.
    static void keep(const std::vector<uint32_t>& pixels, uint32_t side, const std::string& name) {
        std::vector<uint32_t> opaque = pixels;
        for (uint32_t& p : opaque) p = (p >> 24) == 0 ? 0xFF000000u : (p | 0xFF000000u);
        testsupport::writePicture(opaque, side, side, "text_" + name + ".png");
    }
};

// Short and long texts fill the whole text texture but for its one-pixel
// border, white on transparent (a line too wide for the work surface drawn
// smaller rather than cut), also beside a paint texture smaller than
// the text's work surface (a borrowed depth surface of that size would clip
// the drawing to it); the thumbnail shows it; bold draws heavier strokes
// than regular.
TEST_F(TextOnGl, TheTextFillsTheTextTextureWhateverItsLength) {
    build(512);
    const uint32_t side = tbGeometryTool_text::kSurfaceSize;
    for (const std::string& line : {std::string("W"), std::string("TEXT"), std::string("A rather long line of text")}) {
        SCOPED_TRACE(line);
        text().setText(line);
        ASSERT_TRUE(text().hasFont());
        const std::vector<uint32_t> pixels = textTexture();
        keep(pixels, side, "texture_" + std::to_string(line.size()));
        const Box ink = boxOf(pixels, side, inked);
        // The measured cell holds the line's spacing and a trailing space.
        EXPECT_LT(ink.left, 60);
        EXPECT_GT(ink.right, int32_t(side) * 7 / 10);
        EXPECT_LT(ink.top, 260);
        EXPECT_GT(ink.bottom, int32_t(side) * 3 / 4);
        // Ink is white; the border and the background stay transparent.
        EXPECT_EQ(pixels[size_t(ink.top) * side + size_t(ink.left)] & 0x00FFFFFFu, 0x00FFFFFFu);
        EXPECT_TRUE(std::none_of(pixels.begin(), pixels.begin() + side, inked));
    }
    // The long line is wider than the paint texture and, drawn smaller, still
    // fits the work surface whole.
    EXPECT_GT(text().getTextExtent().x, 0.5f);
    EXPECT_LE(text().getTextExtent().x, 1.0f);
    EXPECT_LT(text().getTextExtent().y, 120.0f / 1024.0f);

    // The bar's thumbnail: the text white on black, filling the picture.
    std::vector<uint32_t> thumbnail;
    text().setThumbnailSink([&thumbnail](const std::vector<uint32_t>& pixels) { thumbnail = pixels; });
    text().setText("TEXT");
    ASSERT_EQ(thumbnail.size(), size_t(tbGeometryTool_text::kThumbnailWidth) * tbGeometryTool_text::kThumbnailHeight);
    const Box white = boxOf(thumbnail, tbGeometryTool_text::kThumbnailWidth,
                            [](uint32_t p) { return (p & 0xFFu) > 0xC0u; });
    EXPECT_LT(white.left, 10);
    EXPECT_GT(white.right, 110);
    EXPECT_EQ(thumbnail[0], 0xFF000000u);
    const size_t regular = boxOf(textTexture(), side, inked).count;
    text().setFont("Arial", true, false);
    EXPECT_TRUE(text().isBold());
    EXPECT_GT(boxOf(textTexture(), side, inked).count, regular + regular / 10);
}

// An empty text leaves the texture transparent and paints nothing, in
// either view.
TEST_F(TextOnGl, AnEmptyTextPaintsNothing) {
    build(64);
    text().setText("");
    EXPECT_EQ(boxOf(textTexture(), tbGeometryTool_text::kSurfaceSize, inked).count, 0u);
    const std::vector<uint32_t> before = paint();
    model->projectText();
    model->applyTextInTextureView();
    EXPECT_EQ(paint(), before);
}

// The text lands across the paint texture's own size in both views: on 512
// and 2048 square textures the painted red spreads from near one edge to
// near the other, and one undo gives back the grey picture exactly.
TEST_F(TextOnGl, AppliedTextCoversThePaintTextureAtItsOwnSizeAndUndoes) {
    const struct {
        uint32_t size;
        bool textureView;
    } cases[] = {{512, false}, {512, true}, {2048, false}, {2048, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.size) + (c.textureView ? " texture view" : " 3-D view"));
        model = std::make_unique<tbGeometry>(nullptr);
        build(c.size);
        const std::vector<uint32_t> before = paint();
        if (c.textureView) {
            // Half-extents of half the square: the rectangle is the texture.
            text().placement().scale = {0.5f, 0.5f, 1.0f};
            model->applyTextInTextureView();
        } else {
            // The +X plane over the whole square.
            text().plane(0).scale = {1.0f, 1.0f, 1.0f};
            model->projectText();
        }
        const std::vector<uint32_t> after = paint();
        keep(after, c.size, std::to_string(c.size) + (c.textureView ? "_texture" : "_3d"));
        const Box red = boxOf(after, c.size, [](uint32_t p) { return p == kRed; });
        const int32_t s = int32_t(c.size);
        EXPECT_GT(red.count, size_t(c.size) * c.size / 20);
        EXPECT_LT(red.left, s / 10);
        EXPECT_GT(red.right, s - s / 5);
        EXPECT_LT(red.top, s / 3);
        EXPECT_GT(red.bottom, s - s / 3);
        // Only grey and shades between grey and red.
        EXPECT_TRUE(std::all_of(after.begin(), after.end(), [](uint32_t p) { return (p & 0xFFu) <= 0x80u; }));
        model->getUndo().push();
        model->getUndo().undo();
        EXPECT_EQ(paint(), before);
    }
}

// The gradient runs from the main to the second colour along the chosen
// direction: horizontal puts red at the text's start and blue at its end.
TEST_F(TextOnGl, AGradientRunsAlongTheChosenDirection) {
    build(256);
    model->toolSettings.textColourMode = 1;
    model->toolSettings.textGradientDirection = 0;
    text().placement().scale = {0.5f, 0.5f, 1.0f};
    model->applyTextInTextureView();
    const std::vector<uint32_t> after = paint();
    keep(after, 256, "gradient");
    auto reddish = [](uint32_t p) { return ((p >> 16) & 0xFF) > 0xC0 && (p & 0xFF) < 0x60; };
    auto bluish = [](uint32_t p) { return (p & 0xFF) > 0xC0 && ((p >> 16) & 0xFF) < 0x60; };
    const Box red = boxOf(after, 256, reddish), blue = boxOf(after, 256, bluish);
    ASSERT_GT(red.count, 0u);
    ASSERT_GT(blue.count, 0u);
    EXPECT_LT(red.right, 128);
    EXPECT_GT(blue.left, 128);
}

// After a lost and restored device the text texture holds the same text.
TEST_F(TextOnGl, TheTextComesBackAfterALostDevice) {
    build(64);
    text().setText("Lost");
    const std::vector<uint32_t> before = textTexture();
    g_graphics->getRenderer()->getDevice()->SimulateDeviceLoss();
    g_graphics->getRenderer()->getState()->setValid(false);
    ASSERT_TRUE(g_graphics->getRenderer()->handleLostDevice());
    EXPECT_EQ(text().getText(), "Lost");
    EXPECT_EQ(textTexture(), before);
}

// The reset puts every plane at the origin with scale 10, the rectangle at
// the texture's centre with scale 1, and "TEXT" in "Arial".
TEST_F(TextOnGl, TheResetPutsEverythingBack) {
    build(64);
    text().plane(3).position = {1, 2, 3};
    text().placement().rotation = {0, 0, 1};
    text().setFont("Liberation Serif", true, true);
    text().setText("Other");
    text().reset();
    for (uint32_t axis = 0; axis < 6; ++axis) {
        EXPECT_EQ(text().plane(axis).position, d3dx::Vector3(0, 0, 0));
        EXPECT_EQ(text().plane(axis).scale, d3dx::Vector3(10, 10, 10));
    }
    EXPECT_EQ(text().placement().position, d3dx::Vector3(0.5f, 0.5f, 0));
    EXPECT_EQ(text().placement().rotation, d3dx::Vector3(0, 0, 0));
    EXPECT_EQ(text().getText(), "TEXT");
    EXPECT_EQ(text().getFontName(), "Arial");
    EXPECT_FALSE(text().isBold());
    EXPECT_FALSE(text().isItalic());
}

// The project file keeps the text, the font and every placement; a model
// saved before the text tool was ever made opens with the tool's defaults.
TEST_F(TextOnGl, TheProjectFileKeepsTheTextAndItsPlacements) {
    build(64);
    tbFileGeometry untouched;
    ASSERT_TRUE(model->save(untouched));
    text().setFont("Arial", true, true);
    text().setText("Saved");
    text().plane(4).position = {1, 2, 3};
    text().plane(4).scale = {4, 5, 6};
    text().placement().rotation = {0, 0, 0.5f};
    tbFileGeometry stored;
    ASSERT_TRUE(model->save(stored));

    tbGeometry opened(nullptr);
    ASSERT_TRUE(opened.open(stored, 1));
    tbGeometryTool_text& back = opened.textTool();
    EXPECT_EQ(back.getText(), "Saved");
    EXPECT_TRUE(back.isBold());
    EXPECT_TRUE(back.isItalic());
    EXPECT_EQ(back.plane(4).position, d3dx::Vector3(1, 2, 3));
    EXPECT_EQ(back.plane(4).scale, d3dx::Vector3(4, 5, 6));
    EXPECT_EQ(back.plane(0).scale, d3dx::Vector3(10, 10, 10));
    EXPECT_EQ(back.placement().rotation, d3dx::Vector3(0, 0, 0.5f));

    tbGeometry fresh(nullptr);
    ASSERT_TRUE(fresh.open(untouched, 1));
    EXPECT_EQ(fresh.textTool().getText(), "TEXT");
    EXPECT_EQ(fresh.textTool().plane(4).scale, d3dx::Vector3(10, 10, 10));
    EXPECT_EQ(fresh.textTool().placement().scale, d3dx::Vector3(1, 1, 1));
}

// The texture view's preview shows the text where the application will
// paint it, over the texture's square; only the manipulator of the view in
// use (and of the bar's axis in the 3-D view) is shown.
TEST_F(TextOnGl, ThePreviewsShowTheTextAndOnlyTheManipulatorInUse) {
    build(64);
    text().placement().scale = {0.5f, 0.5f, 1.0f};
    model->toolSettings.textListSelection = 3;
    simRenderer& r = *g_graphics->getRenderer();
    const simWindow* window = g_graphics->getWindow();
    const uint32_t width = uint32_t(window->getBackBufferWidth()), height = uint32_t(window->getBackBufferHeight());
    auto frame = [&](int32_t viewMode) {
        tbGeometryFrame f;
        f.tool = 6;
        f.viewMode = viewMode;
        r.beginScene(true, true, false);
        model->getRender().render(f);
        std::vector<uint32_t> out(size_t(width) * height, 0);
        gfx::D3DLOCKED_RECT locked{};
        EXPECT_EQ(r.getDevice()->LockRect(r.getBackBuffer(), &locked, nullptr, gfx::D3DLOCK_READONLY), gfx::D3D_OK);
        for (uint32_t y = 0; locked.pBits && y < height; ++y)
            std::copy_n(reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch),
                        width, &out[size_t(y) * width]);
        r.getDevice()->UnlockRect(r.getBackBuffer());
        r.endScene(false, nullptr);
        for (uint32_t& p : out) p |= 0xFF000000u;
        return out;
    };

    const std::vector<uint32_t> shown = frame(1);
    testsupport::writePicture(shown, width, height, "text_preview_texture_view.png");
    d3dx::Vector2 a, b;
    ASSERT_TRUE(utils::worldToScreen2D({0, 0, 0}, &a));
    ASSERT_TRUE(utils::worldToScreen2D({1, 1, 0}, &b));
    const Box red = boxOf(shown, width, [](uint32_t p) { return p == kRed; });
    ASSERT_GT(red.count, 0u);
    const float squareWidth = std::fabs(b.x - a.x);
    EXPECT_LT(float(red.left), std::min(a.x, b.x) + squareWidth * 0.1f);
    EXPECT_GT(float(red.right), std::max(a.x, b.x) - squareWidth * 0.2f);
    EXPECT_TRUE(text().placement().gizmo->visible);
    for (uint32_t axis = 0; axis < 6; ++axis) EXPECT_FALSE(text().plane(axis).gizmo->visible) << axis;

    testsupport::writePicture(frame(0), width, height, "text_preview_3d_view.png");
    EXPECT_FALSE(text().placement().gizmo->visible);
    for (uint32_t axis = 0; axis < 6; ++axis) EXPECT_EQ(text().plane(axis).gizmo->visible != 0, axis == 3) << axis;
}

// The preview's plane: each corner of the text texture lies at the point
// the projection maps to that corner's image coordinates, on every axis,
// turned and scaled.
TEST(TextPlane, ThePreviewsCornersAreWhereTheProjectionPutsTheImage) {
    for (uint32_t axis = 0; axis < 6; ++axis) {
        static const d3dx::Vector3 kDirections[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0},
                                                     {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
        tbProjection p;
        p.direction = kDirections[axis];
        p.position = {0.5f, -1.0f, 2.0f};
        p.planeSize = {-3.0f, 2.0f};
        p.rotation = {0.3f, -0.7f, 1.1f};
        for (const d3dx::Vector2 uv : {d3dx::Vector2{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0.25f, 0.75f}}) {
            const d3dx::Vector3 corner = tbGeometryTool_text::planePoint(p, uv);
            const d3dx::Vector2 back = tbImageProjection::imageCoordinate(corner, p);
            EXPECT_NEAR(back.x, uv.x, 1e-4f) << axis;
            EXPECT_NEAR(back.y, uv.y, 1e-4f) << axis;
            // On the plane through the position, across the direction.
            const d3dx::Vector3 offset = corner - p.position;
            EXPECT_NEAR(d3dx::Vec3Dot(&offset, &p.direction), 0.0f, 1e-4f) << axis;
        }
    }
}

}  // namespace
