// Models through the engine's whole frame on EGL, two frames each (so that
// what the GUI pass leaves behind reaches the next scene), drawn with their
// materials by the scene's default lighting effect:
//  - the sample aircraft from four views against committed golden images;
//  - a small model written here, whose pixels are probed where its geometry
//    is known: the far side of a closed body hidden, the underside darker
//    than the top, the body seen through a see-through canopy listed before
//    it, and an untextured part in its own colour after a textured one.
//
// When the sample aircraft or the lighting changes on purpose, run this test
// with TOLVANE_UPDATE_GOLDEN=1 to write the references again (see
// tests/support/goldenImage.h), and look at them before committing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "engine/graphics/geoFile.h"
#include "engine/graphics/simTexture.h"
#include "platform/d3dx/d3dxMath.h"
#include "tests/engine/graphics/wholeFrameRig.h"
#include "tests/support/goldenImage.h"
#include "tests/support/imageSamples.h"

using d3dx::Vector3;
using wholeframe::kHeight;
using wholeframe::kSky;
using wholeframe::kWidth;
using wholeframe::material;
using wholeframe::quad;

namespace {

int red(uint32_t c) { return int((c >> 16) & 0xFF); }
int green(uint32_t c) { return int((c >> 8) & 0xFF); }
int blue(uint32_t c) { return int(c & 0xFF); }
int brightness(uint32_t c) { return red(c) + green(c) + blue(c); }

class ModelFrame : public wholeframe::WholeFrame {
protected:
    // Looks at the model's box from `direction`, far enough for its sphere to fit.
    void lookFrom(const simBoundingBox& box, Vector3 direction, const Vector3& up = {0, 1, 0}) {
        d3dx::Vec3Normalize(&direction, &direction);
        look(box.centre + direction * (box.radius * 1.45f), box.centre, up);
    }
};

// ---- The sample aircraft

TEST_F(ModelFrame, TheSampleAircraftFromFourViewsMatchesItsGoldenImages) {
    simGeometry* sparrow = loadModel("objects/aircraft/fixedWing/trainers/sparrow", "sparrow.geo");
    ASSERT_NE(sparrow, nullptr) << engine->log();
    show(sparrow, "sparrow");
    const simBoundingBox box = sparrow->getBoundingBox();
    struct View {
        const char* name;
        Vector3 direction, up;
    };
    const View views[] = {
        {"threeQuarterAbove", {1.0f, 0.8f, 1.3f}, {0, 1, 0}},
        {"side", {1, 0, 0}, {0, 1, 0}},
        {"top", {0, 1, 0}, {0, 0, 1}},
        {"below", {0, -1, 0}, {0, 0, 1}},
    };
    for (const View& view : views) {
        SCOPED_TRACE(view.name);
        lookFrom(box, view.direction, view.up);
        frames();
        const std::vector<uint32_t> picture = pixels();
        // Whatever the aircraft: it is in the picture, and the picture is as committed.
        const auto covered = std::count_if(picture.begin(), picture.end(), [](uint32_t c) { return c != kSky; });
        EXPECT_GT(covered, long(picture.size() / 50));
        EXPECT_TRUE(testsupport::matchesGolden(picture, kWidth, kHeight,
                                               std::string("tests/engine/graphics/golden/sparrow_") + view.name +
                                                   ".png"));
    }
}

// ---- Probes on a model written here

constexpr uint32_t kMagenta = 0xFFFF00FFu;

// A body 4 x 2 x 4 round the origin painted magenta, with its far face
// (z = -2) yellow and listed last; a see-through canopy in front of it
// (z = 3) listed first and reaching past its right side; a green untextured
// part (z = 2.5) drawn after the paint, left of the body's front.
geoFileData probeModel() {
    geoFileData geo;
    geo.materials = {material("paint", "probePaint.bmp", {1, 1, 1}), material("far", "none", {1, 1, 0}),
                     material("glass", "none", {0.9f, 0.9f, 0.9f}), material("gear", "none", {0.1f, 0.9f, 0.1f})};
    geo.materials[2].transparency = 0.5f;
    geo.box = {{-3, -1, -2}, {4, 1, 3}};
    std::vector<simVertex>& v = geo.vertices;
    geoFileNode root;
    root.name = "probe";
    root.box = geo.box;
    auto layer = [&](int32_t material, auto build) {
        const auto first = int32_t(v.size());
        build();
        geoFileLayer l;
        l.box = geo.box;
        l.materialIndex = material;
        l.batches = {{geo.box, first, int32_t(v.size())}};
        root.layers.push_back(l);
    };
    layer(2, [&] { quad(v, {-1, -0.5f, 3}, {5, 0, 0}, {0, 1, 0}, {0, 0, 1}); });
    layer(0, [&] {
        quad(v, {-2, -1, 2}, {4, 0, 0}, {0, 2, 0}, {0, 0, 1});     // front
        quad(v, {-2, 1, 2}, {4, 0, 0}, {0, 0, -4}, {0, 1, 0});     // top
        quad(v, {-2, -1, -2}, {4, 0, 0}, {0, 0, 4}, {0, -1, 0});   // bottom
        quad(v, {-2, -1, -2}, {0, 0, 4}, {0, 2, 0}, {-1, 0, 0});   // left
        quad(v, {2, -1, 2}, {0, 0, -4}, {0, 2, 0}, {1, 0, 0});     // right
    });
    layer(3, [&] { quad(v, {-3, -0.5f, 2.5f}, {1.2f, 0, 0}, {0, 1, 0}, {0, 0, 1}); });
    layer(1, [&] { quad(v, {2, -1, -2}, {-4, 0, 0}, {0, 2, 0}, {0, 0, -1}); });
    geo.roots = {root};
    return geo;
}

TEST_F(ModelFrame, AWrittenModelDrawsAsItIs) {
    // A 32-bit skin, as painted skins are: it loads as having alpha.
    writeTexture("probePaint.bmp", imagesamples::bmp32(imagesamples::solid(4, 4, kMagenta)));
    simGeometry* model = writeModel("probe.geo", probeModel());
    ASSERT_NE(model->getVertexBuffer(), nullptr) << engine->log();
    show(model, "probe");

    look({0.3f, 0.4f, 14}, {0.3f, 0, 0});
    frames();
    const std::vector<uint32_t> front = pixels();
    testsupport::writePicture(front, kWidth, kHeight, "probe_front.png");
    // The near face, not the yellow far face drawn after it.
    const uint32_t body = seen(front, {-1.5f, 0.2f, 2});
    EXPECT_LT(green(body), 40) << std::hex << body;
    EXPECT_GT(red(body), 80) << std::hex << body;
    EXPECT_GT(blue(body), 80) << std::hex << body;
    // The canopy: half its own light over the body behind it, as over the sky beside it.
    const uint32_t overBody = seen(front, {0.5f, 0, 3}), overSky = seen(front, {3.5f, 0, 3});
    for (int shift : {16, 8, 0}) {
        const int glass = int((overSky >> shift) & 0xFF) - int((kSky >> shift) & 0xFF) / 2;
        const int expected = glass + int((body >> shift) & 0xFF) / 2;
        EXPECT_NEAR(int((overBody >> shift) & 0xFF), expected, 12)
            << std::hex << overBody << " over body " << body << ", over sky " << overSky;
    }
    // The untextured part keeps its own green, not the paint's magenta.
    const uint32_t gear = seen(front, {-2.6f, 0, 2.5f});
    EXPECT_GT(green(gear), 60) << std::hex << gear;
    EXPECT_LT(red(gear), green(gear) / 2) << std::hex << gear;
    EXPECT_LT(blue(gear), green(gear) / 2) << std::hex << gear;

    // The top in the sun, the underside in shade.
    look({0, 12, 6}, {0, 0, 0});
    frames();
    const std::vector<uint32_t> above = pixels();
    testsupport::writePicture(above, kWidth, kHeight, "probe_above.png");
    const uint32_t top = seen(above, {0, 1, -0.5f});
    look({0, -12, 6}, {0, 0, 0});
    frames();
    const std::vector<uint32_t> below = pixels();
    testsupport::writePicture(below, kWidth, kHeight, "probe_below.png");
    const uint32_t underside = seen(below, {0, -1, -0.5f});
    EXPECT_GT(brightness(top), brightness(underside) + 90) << std::hex << top << " " << underside;
    EXPECT_LT(green(top), 40) << std::hex << top;
    EXPECT_LT(green(underside), 40) << std::hex << underside;
}

}  // namespace
