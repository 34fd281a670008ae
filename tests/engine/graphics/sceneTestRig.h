// What the scene's tests share: the graphics system with the engine's scene
// on the recording device, whose pass hooks note themselves in one event
// list; a render-listed engine object that notes the application's
// broadcasts; and a renderable that notes each draw with the states it saw.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/simBoundingBox.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simObject.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simRenderableObject.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simScene.h"
#include "platform/gfx/recordingDevice.h"
#include "tests/support/recordingGraphics.h"
#include "tests/support/sceneTestCamera.h"

namespace scenetest {

// The field of view of the tests' cameras: 90 degrees.
constexpr float kQuarterTurn = 1.5707964f;

inline std::vector<std::string>& events() {
    static std::vector<std::string> list;
    return list;
}

// When set, every noted event is also recorded in the device's call log
// ("mark:<event>"), so that hooks and device calls can be ordered together.
inline gfx::Recorder*& markRecorder() {
    static gfx::Recorder* recorder = nullptr;
    return recorder;
}

inline void note(const std::string& event) {
    events().push_back(event);
    if (markRecorder()) markRecorder()->record(("mark:" + event).c_str(), {});
}

inline std::string currentCameraName() {
    const simCamera* camera = g_graphics ? g_graphics->getCurrentCamera() : nullptr;
    return camera ? camera->getName() : "none";
}

inline std::string joined(const std::vector<std::string>& list) {
    std::string text;
    for (const std::string& entry : list) text += entry + "\n";
    return text;
}

// The graphics system with every scene hook noted ("hook:camera").
class HookGraphics : public simGraphics {
public:
    using simGraphics::simGraphics;
    void preSceneRender() override { note("preSceneRender"); }
    void postSceneRender() override { note("postSceneRender"); }
    void preLitPass(simCamera*) override { note("preLitPass"); }
    void postLitPass(simCamera*) override { note("postLitPass"); }
    void preEffectsPass(simCamera*) override { note("preEffectsPass"); }
    void postEffectsPass(simCamera*) override { note("postEffectsPass"); }
    void preShadowCasters() override { note("preShadowCasters"); }
    void renderShadowCasters() override { note("graphicsShadowCasters"); }

    // Moves the camera index on by this much in the first preLitPass.
    static inline int skipAfterFirst = 0;

private:
    static void note(const std::string& hook) {
        scenetest::note(hook + ":" + currentCameraName());
        if (hook == "preLitPass" && skipAfterFirst != 0) {
            g_graphics->setCurrentCameraIndex(g_graphics->getCurrentCameraIndex() + skipAfterFirst);
            skipAfterFirst = 0;
        }
    }
};

// An engine object on the render list that notes the application's broadcasts.
class BroadcastListener : public simObject {
public:
    BroadcastListener() : simObject(false, false, true, false) {}
    void renderPostScene(uint32_t) override { note("postScene"); }
    void renderEffects(uint32_t) override { note("effects"); }
    void renderLit(uint32_t light) override {
        note("lit:" + std::to_string(light));
        if (onLit) onLit();
    }
    int countLitItems() override { return litItems; }
    void renderShadowCasters() override { note("shadowCasters"); }
    void collectShadowBounds(std::vector<simBoundingBox>& bounds) override {
        if (!extraBound.isEmpty()) bounds.push_back(extraBound);
    }

    int litItems = 0;
    simBoundingBox extraBound;
    void (*onLit)() = nullptr;
};

// A renderable that notes "draw:<name>" and what the renderer held then.
class NotingRenderable : public simRenderableObject {
public:
    explicit NotingRenderable(std::string renderableName, bool drawable = true)
        : name(std::move(renderableName)), drawable(drawable) {}
    bool canRender() const override { return drawable; }
    void render(const d3dx::Matrix* world, const simColour*, simShaderEffect* effect) override {
        events().push_back("draw:" + name);
        const simRendererState* state = g_graphics->getRenderer()->getState();
        cullAtDraw.push_back(state->getState(simRenderState_backfaceCullMode));
        blendAtDraw.push_back(state->getState(simRenderState_blendMode));
        effectAtDraw = effect;
        effectStateAtDraw = state->getState(simRenderState_shaderEffect);
        if (world) worldAtDraw = *world;
    }
    simBoundingBox* getBoundingBox() override { return &box; }

    std::string name;
    bool drawable;
    simBoundingBox box;
    std::vector<simStateValue> cullAtDraw, blendAtDraw;
    simShaderEffect* effectAtDraw = nullptr;
    simStateValue effectStateAtDraw = 0;
    d3dx::Matrix worldAtDraw;
};

// The box of a unit cube round `centre`.
inline simBoundingBox cubeAt(const d3dx::Vector3& centre, float half = 0.5f) {
    simBoundingBox box;
    box.growByPoint(centre - d3dx::Vector3(half, half, half));
    box.growByPoint(centre + d3dx::Vector3(half, half, half));
    return box;
}

inline testsupport::RecordingGraphicsSettings hookSettings() {
    testsupport::RecordingGraphicsSettings settings;
    settings.makeGraphics = testsupport::makeGraphicsOf<HookGraphics>;
    return settings;
}

// The rig: graphics with the scene, the event list emptied.
class SceneTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { simGraphics::setSceneFactory(simScene::create); }
    static void TearDownTestSuite() { simGraphics::setSceneFactory(nullptr); }
    void SetUp() override {
        ASSERT_TRUE(rig.complete());
        ASSERT_NE(simScene::current(), nullptr);
        events().clear();
    }
    void TearDown() override {
        events().clear();
        markRecorder() = nullptr;
        HookGraphics::skipAfterFirst = 0;
    }

    simScene& scene() { return *simScene::current(); }
    simRendererState& state() { return rig.state(); }

    testsupport::RecordingGraphics rig{hookSettings()};
};

}  // namespace scenetest
