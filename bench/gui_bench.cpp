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

#include "bench/guiStage.h"
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
#include "platform/gfx/glDevice.h"

namespace {

constexpr int kWidgetsPerKind = 25;

// The stage on the OpenGL device (or the recording device), inside a scene,
// with 100 widgets.
struct GlGui : benchgui::GuiStage {
    explicit GlGui(bool onGl) : GuiStage(onGl) {
        if (!standing()) return;
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
