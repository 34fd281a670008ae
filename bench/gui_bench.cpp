// Cost of the GUI pass: 100 widgets (25 each of labels, group frames,
// progress bars and images) drawn by the element manager through the
// renderer, beside the same pieces drawn straight through the renderer's
// calls as a baseline (the draws a hand-written GUI could not avoid: one per
// frame, bar, picture and text). On the recording device (no logging) the
// figures are the engine's own CPU cost per pass, the goal being under
// 0.5 ms; on the OpenGL device (llvmpipe when headless, which rasterises on
// the CPU) they include the driver. "glCalls" counts GL calls per pass.
//
// Measuring text must do no GPU work: BM_MeasureText reports its GL calls
// per measurement (0 expected).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/core/simColour.h"
#include "engine/core/utilsErrors.h"
#include "engine/graphics/simFont.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simTexture.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/gui/simGuiGroupFrame.h"
#include "engine/gui/simGuiImage.h"
#include "engine/gui/simGuiLabel.h"
#include "engine/gui/simGuiProgressBar.h"
#include "engine/gui/simGuiSkin.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"
#include "platform/gfx/glDevice.h"
#include "platform/gfx/recordingDevice.h"

namespace {

constexpr int kWidgetsPerKind = 25;

// A graphics system on the OpenGL device (or the recording device), inside a
// scene, with the GUI manager, a font and the theme atlas, and 100 widgets.
struct GlGui {
    explicit GlGui(bool onGl) {
        if (!context.valid() || !context.makeCurrent()) return;
        utils::setSeriousErrorSink([](const std::string&, const std::string&) {});
        if (onGl) {
            gfx::setDirect3DFactory(nullptr);
        } else {
            recorder->keepLog = false;
            std::shared_ptr<gfx::Recorder> rec = recorder;
            gfx::setDirect3DFactory([rec] { return gfx::makeRecordingDirect3D(rec); });
        }
        const int32_t resolution[3] = {800, 600, 60};
        graphics = std::make_unique<simGraphics>(40, d3dx::Vector2(0, 0), d3dx::Vector2(800, 600), resolution, false,
                                                 false, false, 1, false, 3, 1);
        if (!graphics->getRenderer() || !graphics->getRenderer()->getDevice()) return;
        font = std::make_unique<simFont>(nullptr, "benchFont", "Arial", 10.0f, false, false);
        theme = std::make_unique<simTexture>(
            nullptr, std::string(TOLVANE_SOURCE_DIR) + "/resources/tolvaneBuilder/textures/guiTheme.png", "noMipmaps");
        manager = std::make_unique<simGuiElementManager>();
        manager->fonts[0] = font.get();
        manager->themeTexture = theme.get();
        for (int i = 0; i < kWidgetsPerKind; ++i) {
            const int32_t x = (i % 5) * 160, y = (i / 5) * 120;
            new simGuiGroupFrame("frame" + std::to_string(i), x, y, 150, 110, 6);
            new simGuiLabel("label" + std::to_string(i), x + 5, y + 5, 140, 20, "", "Widget " + std::to_string(i),
                            "left");
            auto* bar = new simGuiProgressBar("bar" + std::to_string(i), x + 10, y + 40, 130, 20);
            bar->setData(0.1f * static_cast<float>(i % 10));
            new simGuiImage("image" + std::to_string(i), x + 10, y + 70, 40, 30, nullptr);
        }
        graphics->getRenderer()->beginScene(true, true, true);
        manager->render();  // the first pass fills the font's atlas
        ready = font->hasFont() && static_cast<bool>(theme->getTexture());
    }
    ~GlGui() {
        if (graphics && graphics->getRenderer() && graphics->getRenderer()->isInScene())
            graphics->getRenderer()->endSceneWithoutPresent();
        manager.reset();
        theme.reset();
        font.reset();
        graphics.reset();
    }
    gfx::EglContext context;
    std::shared_ptr<gfx::Recorder> recorder = std::make_shared<gfx::Recorder>();
    std::unique_ptr<simGraphics> graphics;
    std::unique_ptr<simFont> font;
    std::unique_ptr<simTexture> theme;
    std::unique_ptr<simGuiElementManager> manager;
    bool ready = false;
};

// One rig at a time: the device factory is global.
GlGui& gui(bool onGl) {
    static std::unique_ptr<GlGui> rig;
    static bool rigOnGl = false;
    if (!rig || rigOnGl != onGl) {
        rig.reset();
        rig = std::make_unique<GlGui>(onGl);
        rigOnGl = onGl;
    }
    return *rig;
}

void BM_GuiPass100Widgets(benchmark::State& bench) {
    GlGui& g = gui(bench.range(0) != 0);
    if (!g.ready) return bench.SkipWithError("no OpenGL graphics system");
    const uint64_t callsBefore = gfx::glCalls();
    for (auto _ : bench) g.manager->render();
    bench.counters["glCalls"] =
        benchmark::Counter(double(gfx::glCalls() - callsBefore), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_GuiPass100Widgets)->ArgName("onGl")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The same pieces drawn straight through the renderer: a frame, a bar's
// pieces, a rectangle and a text per widget group.
void BM_BaselineSameDrawsDirect(benchmark::State& bench) {
    GlGui& g = gui(bench.range(0) != 0);
    if (!g.ready) return bench.SkipWithError("no OpenGL graphics system");
    simRenderer& renderer = *g.graphics->getRenderer();
    simColour white, black;
    white.set(255, 255, 255, 255);
    std::vector<std::vector<simScreenRect>> frames(kWidgetsPerKind), bars(kWidgetsPerKind);
    for (int i = 0; i < kWidgetsPerKind; ++i) {
        const float x = static_cast<float>((i % 5) * 160), y = static_cast<float>((i / 5) * 120);
        buildFrameGeometry(x, y, x + 150, y + 110, 6, frames[size_t(i)], white);
        auto* bar = g.manager->findElementOf<simGuiProgressBar>("bar" + std::to_string(i));
        bar->buildGeometry(bar->getData(), 1.0f, bars[size_t(i)]);
    }
    const uint64_t callsBefore = gfx::glCalls();
    for (auto _ : bench) {
        for (int i = 0; i < kWidgetsPerKind; ++i) {
            const float x = static_cast<float>((i % 5) * 160), y = static_cast<float>((i / 5) * 120);
            renderer.drawRects(frames[size_t(i)], g.theme.get());
            g.font->drawText("Widget " + std::to_string(i), x + 10, y + 8, black);
            renderer.drawRects(bars[size_t(i)], g.theme.get());
            renderer.drawRect({x + 10, y + 70}, {x + 50, y + 100}, 0xFFFFFFFFu, nullptr);
        }
    }
    bench.counters["glCalls"] =
        benchmark::Counter(double(gfx::glCalls() - callsBefore), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_BaselineSameDrawsDirect)->ArgName("onGl")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_MeasureText(benchmark::State& bench) {
    GlGui& g = gui(true);
    if (!g.ready) return bench.SkipWithError("no OpenGL graphics system");
    const std::string text = "Frame 1234: 16.7 ms, 60 fps, 12000 tris.";
    gfx::RECT rect{};
    const uint64_t callsBefore = gfx::glCalls();
    for (auto _ : bench) {
        g.font->measureText(text, -1, &rect);
        benchmark::DoNotOptimize(rect);
    }
    bench.counters["glCalls"] =
        benchmark::Counter(double(gfx::glCalls() - callsBefore), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_MeasureText);

}  // namespace
