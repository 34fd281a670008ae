// The whole engine on the OpenGL device for tests that look at real frames:
// every system linked as the program links them, a window of the tests'
// size, the scene with a camera and a sun, and a scene node that draws its
// items with the scene's default lighting effect. A frame is the
// application's own update and redraw (scene passes, the after-scene hook,
// the GUI pass), read back from the back buffer.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/simColour.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simOptions.h"
#include "engine/core/simResources.h"
#include "engine/graphics/geoFile.h"
#include "engine/graphics/simEngineLinks.h"
#include "engine/graphics/simGeometry.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simLight.h"
#include "engine/graphics/simRenderableObject.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simSceneItem.h"
#include "engine/graphics/simSceneNode.h"
#include "engine/graphics/simShaderEffect.h"
#include "engine/graphics/simTexture.h"
#include "platform/d3dx/d3dxMath.h"
#include "platform/gfx/device.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"
#include "platform/win/virtualDesktop.h"
#include "tests/support/headlessEngine.h"
#include "tests/support/sceneTestCamera.h"
#include "tests/support/tempFolder.h"
#include "tests/support/virtualWindowHost.h"

namespace wholeframe {

constexpr uint32_t kWidth = 320, kHeight = 240;
constexpr uint32_t kSky = 0xFF6090C0u;  // the clear colour

// The engine's graphics system at the tests' size; the editor's after-scene
// hook is whatever the test puts in `afterScene`.
class FrameGraphics : public simGraphics {
public:
    using simGraphics::simGraphics;
    void postSceneRender() override {
        if (afterScene) afterScene();
    }
    static inline std::function<void()> afterScene;
};

inline void linkFrameSystems(simSystemLinks& links) {
    simLinkEngineSystems(links);
    links.graphics.factory.create = [] {
        const int32_t resolution[3] = {int32_t(kWidth), int32_t(kHeight), 60};
        new FrameGraphics(40, d3dx::Vector2(0, 0), d3dx::Vector2(float(kWidth), float(kHeight)), resolution, false,
                          false, false, 1, false, 0, 1);
    };
}

// A loaded model as a scene item draws it: with the item's colour and the
// effect the scene hands over (its node's).
class ModelRenderable : public simRenderableObject {
public:
    explicit ModelRenderable(simGeometry* model) : m_model(model), m_box(model->getBoundingBox()) {}
    bool canRender() const override { return true; }
    void render(const d3dx::Matrix* world, const simColour* colour, simShaderEffect* effect) override {
        m_model->render(world, colour, effect, nullptr);
    }
    simBoundingBox* getBoundingBox() override { return &m_box; }

private:
    simGeometry* m_model;
    simBoundingBox m_box;
};

inline simColour grey(int level) {
    simColour c;
    c.set(255, level, level, level);
    return c;
}

// One quad: four corners from `origin` along `u` and `v`, facing `normal`.
inline void quad(std::vector<simVertex>& out, const d3dx::Vector3& origin, const d3dx::Vector3& u,
                 const d3dx::Vector3& v, const d3dx::Vector3& normal) {
    auto vertex = [&](const d3dx::Vector3& p, float s, float t) {
        simVertex x;
        x.position = p;
        x.normal = normal;
        x.colour = 0xFFFFFFFFu;
        x.uv[0] = x.uv[1] = x.uv[2] = {s, t};
        return x;
    };
    const simVertex a = vertex(origin, 0, 1), b = vertex(origin + v, 0, 0), c = vertex(origin + u + v, 1, 0),
                    d = vertex(origin + u, 1, 1);
    out.insert(out.end(), {a, b, c, a, c, d});
}

inline geoFileMaterial material(const char* name, const char* texture, std::array<float, 3> diffuse) {
    geoFileMaterial m;
    m.name = name;
    m.textures = {texture};
    m.diffuse = diffuse;
    m.ambient = {diffuse[0] * 0.5f, diffuse[1] * 0.5f, diffuse[2] * 0.5f};
    return m;
}

class WholeFrame : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(context.valid()) << context.error();
        gfx::setDirect3DFactory(nullptr);
        engine = std::make_unique<testsupport::HeadlessEngine>(linkFrameSystems);
        simApplication& app = engine->app();
        // The program's own resources, beside a program in a folder of the test's.
        std::filesystem::create_directories(program.path() + "/bin");
        std::filesystem::create_directory_symlink(TOLVANE_SOURCE_DIR "/resources", program.path() + "/bin/resources");
        simApplication::setProcessCommandLine(program.path() + "/bin/tolvaneBuilder -SETTINGSPATH " +
                                              engine->settings.path() + "/");
        app.parseCommandLine();
        app.createWindow(desktop.addWindow(0, 0, int32_t(kWidth), int32_t(kHeight)));
        auto* options = new simOptions();
        options->default_soundLibrary = "Disable Sound";
        app.createSystems();
        ASSERT_TRUE(app.getStatusSuccess()) << app.getStatusReason() << engine->log();
        app.initialise();
        ASSERT_TRUE(app.getStatusSuccess()) << app.getStatusReason() << engine->log();
        ASSERT_NE(simScene::current(), nullptr);
        state().setState(simRenderState_clearColour, kSky);

        // The scene keeps its cameras and lights and deletes them with itself.
        camera = new testsupport::SceneTestCamera("view");
        new simLight("sun", simLight::directional, d3dx::Vector3(0, 100, 0), d3dx::Vector3(-0.3f, -1.0f, -0.2f), 0,
                     0, grey(255), grey(0), grey(70));
        auto* lighting = dynamic_cast<simShaderEffect*>(simResources::getResource("lighting_low.fx", false));
        ASSERT_NE(lighting, nullptr) << engine->log();
        litNode = new simSceneNode(simRenderState_shaderEffect, toStateValue(lighting),
                                   simScene::current()->getRootNode());
    }
    void TearDown() override {
        FrameGraphics::afterScene = nullptr;
        engine.reset();  // the scene deletes its items first
        renderables.clear();
        simGraphics::setSceneFactory(nullptr);
    }

    simRendererState& state() { return *g_graphics->getRenderer()->getState(); }

    // Finds or loads a model below the resource root, as the program does.
    static simGeometry* loadModel(const std::string& folder, const std::string& name) {
        if (!g_resources->findResource(g_resources->getGlobalResources(), folder, name, "", true, true,
                                       simRootKind_resources))
            return nullptr;
        return dynamic_cast<simGeometry*>(simResources::getResource(name, false));
    }
    // A texture and a model written to the test's folder and loaded from
    // there (the model's materials find the texture by name once loaded).
    void writeTexture(const std::string& name, const std::vector<uint8_t>& bytes) {
        written.write(name, std::string(bytes.begin(), bytes.end()));
        new simTexture(g_resources->getGlobalResources(), written.file(name), "");
    }
    simGeometry* writeModel(const std::string& name, const geoFileData& geo) {
        const std::vector<uint8_t> bytes = writeGeoFile(geo);
        written.write(name, std::string(bytes.begin(), bytes.end()));
        return new simGeometry(g_resources->getGlobalResources(), written.file(name), "");
    }
    // Puts the model in the scene where it stands, drawn by the lit node.
    simSceneItem* show(simGeometry* model, const std::string& name) {
        renderables.push_back(std::make_unique<ModelRenderable>(model));
        auto* item = new simSceneItem(name, renderables.back().get(), litNode);
        item->box = model->getBoundingBox();
        return item;
    }
    // The pixel at which the current camera sees a world point.
    std::pair<uint32_t, uint32_t> pixelOf(const d3dx::Vector3& point) const {
        d3dx::Matrix viewProjection;
        d3dx::MatrixMultiply(&viewProjection, &camera->getViewMatrix(), &camera->getProjectionMatrix());
        d3dx::Vector4 clip;
        d3dx::Vec3Transform(&clip, &point, &viewProjection);
        const float x = (clip.x / clip.w + 1.0f) * 0.5f * float(kWidth);
        const float y = (1.0f - clip.y / clip.w) * 0.5f * float(kHeight);
        return {uint32_t(std::clamp(x, 0.0f, float(kWidth - 1))), uint32_t(std::clamp(y, 0.0f, float(kHeight - 1)))};
    }
    uint32_t seen(const std::vector<uint32_t>& p, const d3dx::Vector3& point) const {
        const auto [x, y] = pixelOf(point);
        return at(p, x, y);
    }

    // Looks at `at` from `eye` with a 60 degree view.
    void look(const d3dx::Vector3& eye, const d3dx::Vector3& at, const d3dx::Vector3& up = {0, 1, 0}) {
        camera->up = up;
        camera->look(eye, at, 1.0471976f, 1.0f, 2000.0f);
    }

    // Two whole frames, so that whatever the GUI pass leaves behind reaches a scene.
    void frames(int count = 2) {
        for (int i = 0; i < count; ++i) {
            engine->app().update();
            engine->app().purgeSafeDeleteObjects(false);
            engine->app().redraw();
        }
    }

    // The back buffer as 0xFFRRGGBB pixels, top row first.
    std::vector<uint32_t> pixels() {
        std::vector<uint32_t> out(size_t(kWidth) * kHeight, 0);
        simRenderer& r = *g_graphics->getRenderer();
        gfx::D3DLOCKED_RECT locked{};
        const gfx::SurfaceHandle surface = r.getBackBuffer();
        EXPECT_EQ(r.getDevice()->LockRect(surface, &locked, nullptr, gfx::D3DLOCK_READONLY), gfx::D3D_OK);
        if (!locked.pBits) return out;
        for (uint32_t y = 0; y < kHeight; ++y)
            std::memcpy(&out[size_t(y) * kWidth], static_cast<uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch,
                        size_t(kWidth) * 4);
        r.getDevice()->UnlockRect(surface);
        for (uint32_t& p : out) p |= 0xFF000000u;
        return out;
    }
    static uint32_t at(const std::vector<uint32_t>& p, uint32_t x, uint32_t y) { return p[size_t(y) * kWidth + x]; }

    gfx::EglContext context;
    win::VirtualDesktop desktop;
    testsupport::VirtualWindowHost host{desktop};
    testsupport::TempFolder program, written;
    std::unique_ptr<testsupport::HeadlessEngine> engine;
    testsupport::SceneTestCamera* camera = nullptr;
    simSceneNode* litNode = nullptr;
    std::vector<std::unique_ptr<ModelRenderable>> renderables;
};

}  // namespace wholeframe
