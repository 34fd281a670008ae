// Shadow mapping through the engine's whole frame on EGL: a box held above
// a floor casts its shadow through the shadow map onto the floor, where the
// sun puts it, and nowhere else.
#include <gtest/gtest.h>

#include "tests/engine/graphics/wholeFrameRig.h"
#include "tests/support/goldenImage.h"

using d3dx::Vector3;

namespace {

int brightness(uint32_t c) { return int((c >> 16) & 0xFF) + int((c >> 8) & 0xFF) + int(c & 0xFF); }

// A floor 20 x 20 at y = 0; a box 2 x 1 x 2 over the origin at y = 3..4.
geoFileData floorModel() {
    geoFileData geo;
    geo.materials = {wholeframe::material("floor", "none", {1, 1, 1})};
    geo.box = {{-10, 0, -10}, {10, 0.01f, 10}};
    wholeframe::quad(geo.vertices, {-10, 0, 10}, {20, 0, 0}, {0, 0, -20}, {0, 1, 0});
    geoFileNode node;
    node.name = "floor";
    node.box = geo.box;
    node.layers = {{geo.box, 0, {}, {{geo.box, 0, 6}}}};
    geo.roots = {node};
    return geo;
}

geoFileData casterModel() {
    geoFileData geo;
    geo.materials = {wholeframe::material("box", "none", {0.6f, 0.6f, 0.6f})};
    geo.box = {{-1, 3, -1}, {1, 4, 1}};
    auto& v = geo.vertices;
    wholeframe::quad(v, {-1, 4, 1}, {2, 0, 0}, {0, 0, -2}, {0, 1, 0});
    wholeframe::quad(v, {-1, 3, -1}, {2, 0, 0}, {0, 0, 2}, {0, -1, 0});
    wholeframe::quad(v, {-1, 3, 1}, {2, 0, 0}, {0, 1, 0}, {0, 0, 1});
    wholeframe::quad(v, {1, 3, -1}, {-2, 0, 0}, {0, 1, 0}, {0, 0, -1});
    wholeframe::quad(v, {-1, 3, -1}, {0, 0, 2}, {0, 1, 0}, {-1, 0, 0});
    wholeframe::quad(v, {1, 3, 1}, {0, 0, -2}, {0, 1, 0}, {1, 0, 0});
    geoFileNode node;
    node.name = "box";
    node.box = geo.box;
    node.layers = {{geo.box, 0, {}, {{geo.box, 0, int32_t(v.size())}}}};
    geo.roots = {node};
    return geo;
}

class ShadowFrame : public wholeframe::WholeFrame {};

TEST_F(ShadowFrame, ACasterShadowsTheFloorThroughTheShadowMap) {
    simSceneShadower& shadower = simScene::current()->getShadower();
    shadower.shadowMapWidth = shadower.shadowMapHeight = 512.0f;
    shadower.highEnvironmentLighting = shadower.highLighting = true;
    shadower.create();
    ASSERT_TRUE(shadower.hasSurfaces()) << engine->log();

    show(writeModel("floor.geo", floorModel()), "floor");
    simSceneItem* box = show(writeModel("caster.geo", casterModel()), "caster");
    box->castsShadow = true;
    box->visibility = 200;
    shadower.getCasters().push_back(box);

    look({0, 15, 12}, {0, 0, 0});
    frames();
    const std::vector<uint32_t> picture = pixels();
    testsupport::writePicture(picture, wholeframe::kWidth, wholeframe::kHeight, "shadow_frame.png");
    // The sun shines along (-0.3, -1, -0.2): the box's shadow falls round
    // (-1.05, 0, -0.7), seen past the box from the camera.
    const uint32_t shadowed = seen(picture, {-1.05f, 0, -0.7f});
    const uint32_t lit = seen(picture, {4, 0, 4}), litNearby = seen(picture, {1.5f, 0, 1.5f});
    EXPECT_LT(brightness(shadowed), brightness(lit) * 3 / 4) << std::hex << shadowed << " " << lit;
    EXPECT_NEAR(brightness(litNearby), brightness(lit), 12) << std::hex << litNearby << " " << lit;
}

}  // namespace
