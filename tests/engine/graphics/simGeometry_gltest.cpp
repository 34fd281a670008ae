// A loaded model drawn on the OpenGL device and read back: textured
// fixed-function drawing, nodes that are not drawn, a texture given by the
// caller, and an effect that colours the model with "shader_geometry_colour".
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "engine/core/simColour.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simGeometry.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simShaderEffect.h"
#include "engine/graphics/simTexture.h"
#include "platform/gfx/device.h"
#include "tests/support/graphicsOnGl.h"
#include "tests/support/modelResources.h"

using namespace gfx;
using testsupport::ModelResources;

namespace {

constexpr uint32_t kWidth = 64, kHeight = 48;
constexpr uint32_t kBlack = 0xFF000000u, kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu;

// A quad from (x0, y0) to (x1, y1) in clip space (identity transforms), at
// depth 0.5, wound clockwise on the screen, white, with texture coordinates
// over the whole texture.
void quad(std::vector<simVertex>& out, float x0, float y0, float x1, float y1) {
    auto v = [](float x, float y, float u, float t) {
        simVertex vertex;
        vertex.position = {x, y, 0.5f};
        vertex.normal = {0, 0, -1};
        vertex.colour = 0xFFFFFFFF;
        vertex.uv[0] = vertex.uv[1] = vertex.uv[2] = {u, t};
        return vertex;
    };
    const simVertex a = v(x0, y0, 0, 1), b = v(x0, y1, 0, 0), c = v(x1, y1, 1, 0), d = v(x1, y0, 1, 1);
    out.insert(out.end(), {a, b, c, a, c, d});
}

// The left half of the screen in a drawn node, the right half in its
// collision child; one material with the texture "red.bmp".
geoFileData halves() {
    geoFileData geo;
    geoFileMaterial m;
    m.name = "paint";
    m.textures = {"red.bmp"};
    m.diffuse = m.ambient = {1, 1, 1};
    geo.materials = {m};
    quad(geo.vertices, -1, -1, 0, 1);
    quad(geo.vertices, 0, -1, 1, 1);
    geo.box = {{-1, -1, 0.5f}, {1, 1, 0.5f}};

    geoFileNode body;
    body.name = "body";
    geoFileLayer layer;
    layer.batches = {{geo.box, 0, 6}};
    body.layers = {layer};
    geoFileNode hidden;
    hidden.name = "body__col";
    layer.batches = {{geo.box, 6, 12}};
    hidden.layers = {layer};
    body.children = {hidden};
    geo.roots = {body};
    return geo;
}

// Colours each pixel with the geometry colour times the material's diffuse.
constexpr const char* kFlatEffect = R"(@effect 1
@common
#include "d3d.fxh"
uniform mat4 shader_transform_worldViewProj;
uniform vec4 shader_geometry_colour;
uniform vec4 shader_material_diffuse;
@vertex vs
void main() {
    d3dPosition(d3dMul(vec4(gfx_position.xyz, 1.0), shader_transform_worldViewProj));
}
@fragment ps
void main() {
    d3dColour(vec4(shader_geometry_colour.rgb * shader_material_diffuse.rgb, 1.0));
}
@technique tech_flat_20_20
@pass vs ps
)";

class GlGeometry : public testsupport::GraphicsOnGl {
protected:
    GlGeometry() : GraphicsOnGl(kWidth, kHeight) {}
    void SetUp() override {
        GraphicsOnGl::SetUp();
        if (HasFatalFailure()) return;
        res = std::make_unique<ModelResources>(rig->engine);
        res->writeTexture("textures/red.bmp", kRed);
        res->writeTexture("textures/blue.bmp", kBlue);
        res->writeGeo("models/halves.geo", halves());
        ASSERT_TRUE(res->find("models", "halves.geo")) << g_application->getStatusReason();
        model = ModelResources::geometry("halves.geo");
        ASSERT_NE(model, nullptr);
    }
    void TearDown() override {
        if (rig && rig->renderer().isInScene()) rig->renderer().endSceneWithoutPresent();
        res.reset();
        GraphicsOnGl::TearDown();
    }

    // A frame cleared to black, unlit, with identity transforms.
    void begin() {
        rig->state().setState(simRenderState_clearColour, kBlack);
        rig->renderer().beginScene(true, true, true);
        rig->state().setState(simRenderState_lighting, 0u);
        rig->renderer().setTransform(0, nullptr);
        rig->renderer().setTransform(2, nullptr);
    }
    // Ends the frame and reads the back buffer (0xAARRGGBB, top row first).
    std::vector<uint32_t> finish() {
        rig->renderer().endSceneWithoutPresent();
        return rig->backBufferPixels();
    }
    // Every pixel of the left half is `left`, of the right half `right`.
    static void expectHalves(const std::vector<uint32_t>& pixels, uint32_t left, uint32_t right) {
        size_t wrong = 0;
        for (uint32_t y = 0; y < kHeight; ++y)
            for (uint32_t x = 0; x < kWidth; ++x)
                if (pixels[y * kWidth + x] != (x < kWidth / 2 ? left : right)) ++wrong;
        EXPECT_EQ(wrong, 0u) << std::hex << "left " << pixels[kHeight / 2 * kWidth + 1] << " right "
                             << pixels[kHeight / 2 * kWidth + kWidth - 2];
    }

    std::unique_ptr<ModelResources> res;
    simGeometry* model = nullptr;
};

TEST_F(GlGeometry, DrawsTheTexturedNodeAndNotItsCollisionChild) {
    begin();
    model->render(nullptr, nullptr, nullptr, nullptr);
    expectHalves(finish(), kRed, kBlack);
}

TEST_F(GlGeometry, AGivenTextureReplacesTheMaterials) {
    auto* blue = dynamic_cast<simTexture*>(
        res->find("textures", "blue.bmp") ? simResources::getResource("blue.bmp", false) : nullptr);
    ASSERT_NE(blue, nullptr);
    begin();
    model->render(nullptr, nullptr, nullptr, blue);
    expectHalves(finish(), kBlue, kBlack);
}

TEST_F(GlGeometry, AnEffectColoursTheModelWithTheGeometryColour) {
    const std::string path = res->write("effects/flat.fx", std::vector<uint8_t>(kFlatEffect, kFlatEffect + std::strlen(kFlatEffect)));
    simShaderEffect effect(nullptr, path, "tech_flat");
    ASSERT_NE(effect.getEffect(), nullptr);
    simColour green;
    green.set(255, 0, 255, 0);
    begin();
    model->render(nullptr, &green, &effect, nullptr);
    rig->state().setState(simRenderState_shaderEffect, static_cast<const simRendererStateObject*>(nullptr));
    expectHalves(finish(), kGreen, kBlack);

    // Without a colour the geometry colour is white: the material's white.
    begin();
    model->render(nullptr, nullptr, &effect, nullptr);
    rig->state().setState(simRenderState_shaderEffect, static_cast<const simRendererStateObject*>(nullptr));
    expectHalves(finish(), 0xFFFFFFFFu, kBlack);
}

}  // namespace
