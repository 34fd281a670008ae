// The renderer on the recording device: start-up, its failure paths, the
// frame calls, present, transforms, render targets and display modes.
#include <gtest/gtest.h>

#include <string>

#include "engine/core/simGlobals.h"
#include "engine/core/simOptions.h"
#include "engine/graphics/simRendererCaps.h"
#include "engine/graphics/simRendererState.h"
#include "platform/gfx/device.h"
#include "platform/sys/clock.h"
#include "tests/support/recordingGraphics.h"

using namespace gfx;
using testsupport::RecordingGraphics;
using testsupport::RecordingGraphicsSettings;

namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(Renderer, StartsWithCapabilitiesDefaultsAndClearedBackBuffers) {
    RecordingGraphics rig;
    ASSERT_TRUE(rig.complete());
    EXPECT_TRUE(rig.engine.app().getStatusSuccess());
    EXPECT_EQ(rig.engine.app().getStatusReason(), "success");
    const std::string log = rig.engine.log();
    for (const char* line :
         {"Initialising graphics system:\n", "Initialising window...done\n", "Initialising renderer:\n",
          "Creating Direct3D interface:\n", "  Device: recording0\n  Driver: recording\n",
          "Direct3D interface created\n\n", "Retrieving renderer capabilities:\n", "  Hardware lighting support\n",
          "  Maximum lights: 1\n", "  Maximum texture size: [8192.0000,8192.0000]\n",
          "  Maximum Vertex Shader version: 3.0\n", "  Maximum Pixel Shader version: 3.0\n",
          "  Antialiasing quality: 4\n", "  Number of displays: 1\n\n", "Creating Direct3D device:\n",
          "  Resolution: 800x600 @ 60Hz\n  windowed mode\n", "Direct3D device created\n\n",
          "Renderer initialised\n\n", "Graphics system initialised\n"}) {
        EXPECT_TRUE(contains(log, line)) << line << "\n---\n" << log;
    }
    // Back-buffer count 1: two clears, scenes and presents.
    EXPECT_EQ(rig.recorder->count("Clear"), 2u);
    EXPECT_EQ(rig.recorder->count("BeginScene"), 2u);
    EXPECT_EQ(rig.recorder->count("Present"), 2u);
    EXPECT_FALSE(rig.renderer().isInScene());
    EXPECT_TRUE(rig.renderer().getBackBuffer());
    EXPECT_TRUE(rig.renderer().getDefaultRenderTarget());
    EXPECT_TRUE(rig.renderer().getDefaultDepthStencil());
    EXPECT_FALSE(rig.renderer().getBackBufferCopy());
    // The constructor's state values are in the cache.
    EXPECT_EQ(rig.state().getState(simRenderState_zFunction), uint32_t{D3DCMP_LESSEQUAL});
    EXPECT_EQ(rig.state().getState(simRenderState_clipping), 1u);
    EXPECT_EQ(rig.state().getState(simRenderState_shadeMode), 1u);
    EXPECT_TRUE(rig.state().isValid());
    EXPECT_TRUE(rig.engine.errors.reports().empty());
}

TEST(Renderer, DestructionLogsAndLeavesNoResource) {
    RecordingGraphics rig({.keepBackBufferCopy = true});
    ASSERT_TRUE(rig.complete());
    EXPECT_TRUE(rig.renderer().getBackBufferCopy());
    rig.engine.clearLog();
    rig.destroyGraphics();
    EXPECT_EQ(rig.engine.log(),
              "Destroying graphics system...De-initialising window...done\n"
              "De-initialising renderer...Renderer deinitialised\n\ndone\n");
    EXPECT_EQ(g_graphics, nullptr);
}

// Start-up failures: each leaves a failed status, and the parts after the
// failed step are not made.
struct StartFailure {
    const char* name;
    bool noAdapter;       // the factory gives no adapter at all
    bool failingDevice;   // the adapter cannot make a device
    const char* reason;
};

class RendererStartFailure : public ::testing::TestWithParam<StartFailure> {};

TEST_P(RendererStartFailure, FailsWithItsReasonAndStops) {
    const StartFailure& row = GetParam();
    testsupport::HeadlessEngine engine;
    simOptions options;
    if (row.noAdapter) {
        setDirect3DFactory([] { return std::unique_ptr<Direct3D>(); });
    } else if (row.failingDevice) {
        setDirect3DFactory([] {
            return std::make_unique<Direct3D>(Recorder::defaultAdapter(),
                                              [](const D3DPRESENT_PARAMETERS&, HRESULT* result) {
                                                  *result = D3DERR_NOTAVAILABLE;
                                                  return std::unique_ptr<DeviceBackend>();
                                              });
        });
    }
    const int32_t resolution[3] = {800, 600, 60};
    engine.app().createWindow(reinterpret_cast<win::HWND>(0x100));
    auto* graphics = new simGraphics(40, {0, 0}, {800, 600}, resolution, false, false, false, 1, false, 3, 1);
    EXPECT_FALSE(engine.app().getStatusSuccess());
    EXPECT_EQ(engine.app().getStatusReason(), row.reason);
    ASSERT_NE(graphics->getRenderer(), nullptr);
    EXPECT_EQ(graphics->getRenderer()->getState(), nullptr);
    EXPECT_EQ(graphics->getRenderer()->getDevice(), nullptr);
    ASSERT_EQ(engine.errors.reports().size(), 1u);
    EXPECT_TRUE(contains(engine.errors.texts()[0], "Error initialising graphics hardware"));
    EXPECT_TRUE(contains(engine.log(), std::string("failed: ") + row.reason + "\n"));
    EXPECT_FALSE(contains(engine.log(), "Graphics system initialised"));
    // The frame render of a failed system does nothing.
    graphics->renderFrameDefault();
    delete graphics;
    setDirect3DFactory(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Table, RendererStartFailure,
                         ::testing::Values(StartFailure{"NoAdapter", true, false,
                                                        "simRenderer::_createInterface - failed"},
                                           StartFailure{"NoDevice", false, true,
                                                        "simRenderer::_createDevice - failed"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Renderer, MissingWindowIsASeriousErrorButStartUpGoesOn) {
    testsupport::HeadlessEngine engine;
    auto rec = std::make_shared<Recorder>();
    setDirect3DFactory([rec] { return makeRecordingDirect3D(rec); });
    const int32_t resolution[3] = {800, 600, 60};
    auto* graphics = new simGraphics(40, {0, 0}, {800, 600}, resolution, false, false, false, 1, false, 3, 1);
    EXPECT_TRUE(engine.app().getStatusSuccess());
    ASSERT_EQ(engine.errors.texts().size(), 1u);
    EXPECT_EQ(engine.errors.texts()[0], "simRenderer::_createDevice - no window for attachment");
    delete graphics;
    setDirect3DFactory(nullptr);
}

TEST(Renderer, AdapterRulesSetTheTextureOptions) {
    RecordingGraphics intel({}, [](Recorder& r) { r.adapter.description = "Intel(R) 965 Express"; });
    EXPECT_TRUE(g_options->default_forceNoCompression);
    EXPECT_FALSE(g_options->default_forceNoMipmaps);
}

TEST(Renderer, BackBufferCopyIsASystemMemorySurfaceOfTheBackBuffer) {
    RecordingGraphics rig({.keepBackBufferCopy = true});
    ASSERT_TRUE(rig.complete());
    D3DSURFACE_DESC desc;
    ASSERT_EQ(rig.device().GetDesc(rig.renderer().getBackBufferCopy(), &desc), D3D_OK);
    EXPECT_EQ(desc.Pool, D3DPOOL_SYSTEMMEM);
    EXPECT_EQ(desc.Width, 800u);
    EXPECT_EQ(desc.Height, 600u);
}

TEST(Renderer, SceneBracketsAndClear) {
    RecordingGraphics rig;
    ASSERT_TRUE(rig.complete());
    rig.recorder->clear();
    rig.state().setState(simRenderState_clearColour, 0xFF112233u);
    rig.renderer().clear(false, false, false);
    EXPECT_EQ(rig.recorder->count("Clear"), 0u);
    rig.renderer().beginScene(true, false, true);
    rig.renderer().beginScene(true, true, true);  // already in a scene: nothing
    EXPECT_EQ(rig.recorder->text(), "Clear(0,5,4279312947,1065353216,0)\nBeginScene()\n");
    rig.renderer().getStats().counters[simRenderStats::trianglesDrawn] = 12;
    rig.renderer().endScene(false, nullptr);
    rig.renderer().endScene(true, nullptr);  // not in a scene: nothing
    EXPECT_EQ(rig.recorder->count("EndScene"), 1u);
    EXPECT_EQ(rig.recorder->count("Present"), 0u);
    rig.renderer().beginScene(false, false, false);
    EXPECT_EQ(rig.renderer().getStats().counters[simRenderStats::trianglesDrawn], 0u);
    rig.renderer().endScene(true, nullptr);
    EXPECT_EQ(rig.recorder->count("Present"), 1u);
}

TEST(Renderer, VsyncWaitsForTheRasterAndOffDoesNot) {
    RecordingGraphics off;
    ASSERT_TRUE(off.complete());
    off.recorder->clear();
    off.renderer().present(nullptr);
    EXPECT_EQ(off.recorder->count("GetRasterStatus"), 0u);
    off.destroyGraphics();
}

TEST(Renderer, VsyncPresentPollsTheRasterUntilTheBlank) {
    RecordingGraphics rig({.vsync = true}, [](Recorder& r) { r.rasterStatus = {false, 300}; });
    ASSERT_TRUE(rig.complete());
    rig.recorder->clear();
    rig.recorder->rasterStatus = {true, 300};
    rig.renderer().present(nullptr);
    EXPECT_EQ(rig.recorder->count("GetRasterStatus"), 1u);
    rig.recorder->clear();
    rig.recorder->rasterStatus = {false, 580};  // 580 >= 0.95 x 600
    rig.renderer().present(nullptr);
    EXPECT_EQ(rig.recorder->count("GetRasterStatus"), 1u);
}

TEST(Renderer, PresentOfALostDeviceInvalidatesTheCache) {
    RecordingGraphics rig;
    ASSERT_TRUE(rig.complete());
    rig.device().SimulateDeviceLoss();
    EXPECT_TRUE(rig.state().isValid());
    rig.renderer().present(nullptr);
    EXPECT_FALSE(rig.state().isValid());
}

TEST(RenderStats, WindowsAboveOneSecondCloseAndTheHistoryKeepsTwenty) {
    sys::ManualClock clock;
    simRenderStats stats;
    for (int i = 0; i < 60; ++i) stats.countFrame();
    clock.advance(1000.0);  // exactly one second: not closed
    stats.countFrame();
    EXPECT_EQ(stats.framesPerSecond, 0u);
    EXPECT_EQ(stats.framesInWindow, 61u);
    clock.advance(0.5);
    stats.countFrame();
    EXPECT_EQ(stats.framesPerSecond, 62u);
    EXPECT_EQ(stats.framesInWindow, 0u);

    simRenderStats pair;
    for (uint32_t count : {60u, 30u}) {
        for (uint32_t i = 0; i + 1 < count; ++i) pair.countFrame();
        clock.advance(1001.0);
        pair.countFrame();
    }
    EXPECT_EQ(pair.history.size(), 2u);
    EXPECT_EQ(pair.averageFramesPerSecond, 45u);
    for (int i = 0; i < 30; ++i) {
        clock.advance(1001.0);
        pair.countFrame();
    }
    EXPECT_EQ(pair.history.size(), simRenderStats::kHistoryLength);
    EXPECT_EQ(pair.averageFramesPerSecond, 1u);
    EXPECT_EQ(simRenderStats::counterName(simRenderStats::vertexBufferChanges), "vertexBufferChanges");
}

TEST(Renderer, TransformsKeepTheirProductsAndNullIsIdentity) {
    RecordingGraphics rig;
    ASSERT_TRUE(rig.complete());
    d3dx::Matrix world = d3dx::Matrix::identity(), view = d3dx::Matrix::identity(),
                 projection = d3dx::Matrix::identity();
    world._41 = 1.0f;
    view._42 = 2.0f;
    projection._11 = 3.0f;
    rig.renderer().setTransform(1, &world);
    rig.renderer().setTransform(2, &view);
    rig.renderer().setTransform(0, &projection);
    d3dx::Matrix out;
    rig.renderer().getTransform(5, &out);
    EXPECT_EQ(out, world * view * projection);
    rig.renderer().getTransform(3, &out);
    EXPECT_EQ(out, world * view);
    rig.renderer().getTransform(4, &out);
    EXPECT_EQ(out, view * projection);
    float onDevice[16];
    rig.device().GetTransform(D3DTS_WORLD, onDevice);
    EXPECT_EQ(onDevice[12], 1.0f);
    rig.renderer().setTransform(1, nullptr);
    rig.renderer().getTransform(1, &out);
    EXPECT_EQ(out, d3dx::Matrix::identity());
    rig.renderer().setTransform(3, &world);
    EXPECT_EQ(rig.engine.errors.reports().size(), 1u);
}

TEST(Renderer, ViewportArgumentsOutOfRangeAreIgnored) {
    RecordingGraphics rig;
    ASSERT_TRUE(rig.complete());
    rig.recorder->clear();
    rig.renderer().setViewport(-1, 0, 10, 10);
    rig.renderer().setViewport(0, -1, 10, 10);
    rig.renderer().setViewport(0, 0, 0, 10);
    rig.renderer().setViewport(0, 0, 10, 0);
    EXPECT_EQ(rig.recorder->count("SetViewport"), 0u);
    rig.renderer().setViewport(1, 2, 30, 40);
    EXPECT_EQ(rig.recorder->count("SetViewport"), 1u);
    // A viewport past the back buffer is refused by the device: a failed status.
    rig.renderer().setViewport(700, 0, 200, 10);
    EXPECT_FALSE(rig.engine.app().getStatusSuccess());
    EXPECT_EQ(rig.engine.app().getStatusReason(), "simRenderer::setViewport - failed: D3DERR_INVALIDCALL");
}

TEST(Renderer, RenderTargetFailureStaysInTheStatus) {
    RecordingGraphics rig;
    ASSERT_TRUE(rig.complete());
    SurfaceHandle target;
    EXPECT_TRUE(rig.renderer().createRenderTarget(64, 32, D3DFMT_A8R8G8B8, false, false, &target));
    EXPECT_TRUE(target);
    EXPECT_TRUE(rig.engine.app().getStatusSuccess());
    rig.device().Release(target);

    rig.recorder->failNext(Recorder::Failure::CreateRenderTarget, D3DERR_OUTOFVIDEOMEMORY);
    SurfaceHandle failed;
    EXPECT_FALSE(rig.renderer().createRenderTarget(64, 32, D3DFMT_A8R8G8B8, false, false, &failed));
    EXPECT_FALSE(failed);
    EXPECT_FALSE(rig.engine.app().getStatusSuccess());
    EXPECT_EQ(rig.engine.app().getStatusReason(), "simRenderer::createRenderTarget - failed: D3DERR_OUTOFVIDEOMEMORY");
    EXPECT_TRUE(contains(rig.engine.log(), "failed: simRenderer::createRenderTarget - failed: D3DERR_OUTOFVIDEOMEMORY\n"));
}

TEST(Renderer, AntialiasedRenderTargetsUseTheQualityBelowTheCount) {
    RecordingGraphics rig;
    ASSERT_TRUE(rig.complete());
    rig.recorder->clear();
    SurfaceHandle target;
    ASSERT_TRUE(rig.renderer().createRenderTarget(16, 16, D3DFMT_A8R8G8B8, true, false, &target));
    D3DSURFACE_DESC desc;
    rig.device().GetDesc(target, &desc);
    EXPECT_EQ(desc.MultiSampleType, D3DMULTISAMPLE_NONMASKABLE);
    EXPECT_EQ(desc.MultiSampleQuality, 3u);
    rig.device().Release(target);
}

TEST(Renderer, DisplayModesWithinBounds) {
    RecordingGraphics rig;
    ASSERT_TRUE(rig.complete());
    std::vector<simDisplayMode> modes;
    const float minSize[2] = {1000.0f, 700.0f}, maxSize[2] = {1920.0f, 1080.0f};
    rig.renderer().enumerateDisplayModes(modes, minSize, maxSize, 0, 60);
    ASSERT_EQ(modes.size(), 2u);
    EXPECT_EQ(modes[0], (simDisplayMode{1024, 768, 60}));
    EXPECT_TRUE(rig.renderer().isDisplayModeSupported({800, 600, 60}));
    EXPECT_FALSE(rig.renderer().isDisplayModeSupported({800, 600, 75}));
    EXPECT_EQ(rig.renderer().getDesktopMode(), (simDisplayMode{1920, 1080, 60}));
}

TEST(Renderer, PresentParameters) {
    RecordingGraphics rig({.vsync = true, .antialiasing = true, .backBufferCount = 2},
                          [](Recorder& r) { r.adapter.multisampleQualityWindowed = r.adapter.multisampleQualityFullscreen = 10; });
    ASSERT_TRUE(rig.complete());
    const D3DPRESENT_PARAMETERS p = rig.renderer().buildPresentParameters();
    EXPECT_EQ(p.BackBufferWidth, 800u);
    EXPECT_EQ(p.BackBufferHeight, 600u);
    EXPECT_EQ(p.BackBufferCount, 2u);
    EXPECT_TRUE(p.Windowed);
    EXPECT_EQ(p.FullScreen_RefreshRateInHz, 0u);
    EXPECT_EQ(p.PresentationInterval, D3DPRESENT_INTERVAL_ONE);
    EXPECT_EQ(p.MultiSampleType, D3DMULTISAMPLE_NONMASKABLE);
    EXPECT_EQ(p.MultiSampleQuality, 3u);  // quality count 10, at most 3
    EXPECT_EQ(p.AutoDepthStencilFormat, D3DFMT_D24S8);
    EXPECT_EQ(p.hDeviceWindow, static_cast<void*>(rig.hwnd));
    EXPECT_EQ(rig.recorder->count("Present"), 3u);  // two back buffers and the first: three clears
}

TEST(Renderer, FullscreenWithAnUnsupportedModeFallsBackToTheDesktop) {
    RecordingGraphics rig({.fullscreen = true}, [](Recorder& r) {
        r.adapter.modes = {{1024, 768, 60, D3DFMT_X8R8G8B8}};
        r.adapter.desktop = {1024, 768, 60, D3DFMT_X8R8G8B8};
    });
    ASSERT_TRUE(rig.complete());
    const D3DPRESENT_PARAMETERS p = rig.renderer().buildPresentParameters();
    EXPECT_FALSE(p.Windowed);
    EXPECT_EQ(p.FullScreen_RefreshRateInHz, 60u);
    EXPECT_EQ(p.BackBufferWidth, 1024u);
    EXPECT_EQ(g_options->default_screenResolution_x, 1024.0f);
    EXPECT_EQ(g_options->default_screenResolution_y, 768.0f);
    EXPECT_EQ(rig.window().getBackBufferWidth(), 1024.0f);
}

}  // namespace
