// The graphics system joined to the engine application: created by
// createSystems, drawn by redraw, its GUI pass states, destroyed with the engine.
#include <gtest/gtest.h>

#include <memory>

#include "engine/core/simGlobals.h"
#include "engine/core/simOptions.h"
#include "engine/core/simSystemLinks.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simGraphicsLinks.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simWindow.h"
#include "engine/gui/simGuiElement.h"
#include "engine/gui/simGuiElementManager.h"
#include "platform/gfx/device.h"
#include "platform/gfx/recordingDevice.h"
#include "tests/support/headlessEngine.h"

using namespace gfx;

namespace {

// An element that notes the states it is drawn with.
class StateProbe : public simGuiElement {
public:
    StateProbe() : simGuiElement("probe", 0, 0, 10, 10) {}
    void render() override {
        ++draws;
        simRendererState* s = g_graphics->getRenderer()->getState();
        fog = static_cast<uint32_t>(s->getState(simRenderState_fog));
        zFunction = static_cast<uint32_t>(s->getState(simRenderState_zFunction));
        g_graphics->getRenderer()->getDevice()->GetSamplerState(0, D3DSAMP_MAGFILTER, &magFilter);
    }
    int draws = 0;
    uint32_t fog = 99, zFunction = 99, magFilter = 99;
};

class GraphicsLinks : public ::testing::Test {
protected:
    GraphicsLinks() {
        std::shared_ptr<Recorder> rec = recorder;
        setDirect3DFactory([rec] { return makeRecordingDirect3D(rec); });
    }
    ~GraphicsLinks() override { setDirect3DFactory(nullptr); }

    std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();
    simOptions options;
    testsupport::HeadlessEngine engine{simLinkGraphicsSystem};
};

TEST_F(GraphicsLinks, CreateSystemsMakesTheEngineDefaultAndRedrawPresents) {
    engine.app().createWindow(reinterpret_cast<win::HWND>(0x100));
    engine.app().createSystems();
    ASSERT_NE(g_graphics, nullptr);
    ASSERT_NE(g_graphics->getRenderer()->getState(), nullptr);
    EXPECT_EQ(g_graphics->getWindow()->getBackBufferWidth(), 800.0f);
    ASSERT_NE(g_guiElementManager, nullptr);

    StateProbe* probe = new StateProbe;
    g_graphics->getRenderer()->getState()->setState(simRenderState_fog, 1);
    recorder->clear();
    engine.app().redraw();
    EXPECT_EQ(recorder->count("BeginScene"), 1u);
    EXPECT_GE(recorder->count("Present"), 1u);
    // The GUI pass draws without fog, depth test or filtering, then puts them back.
    EXPECT_EQ(probe->draws, 1);
    EXPECT_EQ(probe->fog, 0u);
    EXPECT_EQ(probe->zFunction, uint32_t{D3DCMP_ALWAYS});
    EXPECT_EQ(probe->magFilter, uint32_t{D3DTEXF_POINT});
    EXPECT_EQ(g_graphics->getRenderer()->getState()->getState(simRenderState_fog), 1u);
    // "Always" must not carry into the next frame's scene.
    EXPECT_EQ(g_graphics->getRenderer()->getState()->getState(simRenderState_zFunction),
              simStateValue{D3DCMP_LESSEQUAL});
    uint32_t magFilter = 0;
    g_graphics->getRenderer()->getDevice()->GetSamplerState(0, D3DSAMP_MAGFILTER, &magFilter);
    EXPECT_EQ(magFilter, uint32_t{D3DTEXF_LINEAR});

    engine.destroy();
    EXPECT_EQ(g_graphics, nullptr);
}

// A scene that draws nothing: the loading screen is drawn only with a scene.
struct EmptyScene : simGraphicsScene {
    void render(bool, bool) override {}
};

TEST_F(GraphicsLinks, LoadingScreenFillsEveryBackBufferAndPutsTheStatesBack) {
    simGraphics::setSceneFactory([]() -> simGraphicsScene* { return new EmptyScene; });
    engine.app().createWindow(reinterpret_cast<win::HWND>(0x100));
    engine.app().createSystems();
    ASSERT_NE(g_graphics->getScene(), nullptr);
    StateProbe* probe = new StateProbe;
    engine.app().loadingScreenElements().push_back(probe);
    g_graphics->getRenderer()->getState()->setState(simRenderState_fog, 1);
    engine.app().beginLoading(10, false, "Loading");
    recorder->clear();
    engine.app().showLoadingProgress(0, true);
    EXPECT_EQ(recorder->count("Present"), 2u);  // one back buffer and the front
    EXPECT_EQ(recorder->count("Clear"), 0u);    // drawn over what is there
    EXPECT_EQ(probe->draws, 2);
    EXPECT_EQ(probe->fog, 0u);
    EXPECT_EQ(probe->zFunction, uint32_t{D3DCMP_ALWAYS});
    EXPECT_EQ(g_graphics->getRenderer()->getState()->getState(simRenderState_fog), 1u);
    EXPECT_EQ(g_graphics->getRenderer()->getState()->getState(simRenderState_multisample), 1u);
    engine.app().endLoading();
    engine.destroy();
    simGraphics::setSceneFactory(nullptr);
}

}  // namespace
