// Cost of the GUI toolkit's long lists, on the recording device (no log), so
// the figures are the engine's own CPU work:
// - a text box filled line by line (1,000 and 10,000 lines): each line is
//   wrapped once more for the display, never the whole box again, so the
//   time per line stays flat; beside it the baseline, the same lines only
//   measured and appended to a vector (the work no text box can avoid);
// - a tree view of 5,000 open items drawn in one GUI pass (goal: under
//   2 ms), beside a tree of 50 items, whose rows fill the same view.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "bench/guiStage.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/utilsErrors.h"
#include "engine/graphics/simFont.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simTexture.h"
#include "engine/gui/simGuiCanvas.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/gui/simGuiTextBox.h"
#include "engine/gui/simGuiTreeViewBox.h"

namespace {

// The stage on the recording device, inside a scene, the font in the
// manager's first two slots.
struct Rig : benchgui::GuiStage {
    Rig() : GuiStage(false) {
        if (!standing()) return;
        manager->fonts[1] = font.get();
        graphics->getRenderer()->beginScene(true, true, true);
        ready = true;
    }
    bool ready = false;
};

Rig& rig() {
    static Rig instance;
    return instance;
}

std::string lineText(int64_t i) { return "Log line " + std::to_string(i) + ": the model was saved"; }

void BM_TextBoxAddLines(benchmark::State& bench) {
    Rig& r = rig();
    if (!r.ready) return bench.SkipWithError("no graphics system");
    const int64_t lines = bench.range(0);
    for (auto _ : bench) {
        auto* box = new simGuiTextBox("log", 10, 10, 400, 300, "left", nullptr, "");
        for (int64_t i = 0; i < lines; ++i) {
            simGuiTextBoxLine line;
            line.text = lineText(i);
            box->addLine(std::move(line));
        }
        benchmark::DoNotOptimize(box->getContentHeight());
        bench.PauseTiming();
        delete box;
        bench.ResumeTiming();
    }
    bench.SetItemsProcessed(bench.iterations() * lines);
}
BENCHMARK(BM_TextBoxAddLines)->ArgName("lines")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Baseline: each line measured once and appended.
void BM_BaselineMeasureAndAppend(benchmark::State& bench) {
    Rig& r = rig();
    if (!r.ready) return bench.SkipWithError("no graphics system");
    const int64_t lines = bench.range(0);
    simGuiCanvas& canvas = simGuiCanvas::current();
    for (auto _ : bench) {
        std::vector<simGuiTextBoxLine> kept;
        for (int64_t i = 0; i < lines; ++i) {
            simGuiTextBoxLine line;
            line.text = lineText(i);
            line.font = r.font.get();
            line.height = canvas.measureText(line.font, line.text).y;
            kept.push_back(std::move(line));
        }
        benchmark::DoNotOptimize(kept.data());
    }
    bench.SetItemsProcessed(bench.iterations() * lines);
}
BENCHMARK(BM_BaselineMeasureAndAppend)->ArgName("lines")->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// A tree of `items` open items: top-level items of 99 children each (or
// fewer), the view scrolled down by a notch per 40 items (at most 100).
void BM_TreeViewPass(benchmark::State& bench) {
    Rig& r = rig();
    if (!r.ready) return bench.SkipWithError("no graphics system");
    const int64_t items = bench.range(0);
    auto* tree = new simGuiTreeViewBox("tree", 10, 10, 300, 400, "", "");
    simGuiTreeViewBoxItem* parent = nullptr;
    for (int64_t i = 0; i < items; ++i) {
        if (i % 100 == 0) {
            parent = tree->getRoot()->addChild(tree->makeItem("Group " + std::to_string(i / 100), nullptr, false));
        } else {
            parent->addChild(tree->makeItem("Item " + std::to_string(i), nullptr, false));
        }
    }
    r.manager->render();
    for (int i = 0; i < 100; ++i) {
        simInputEvent wheel;
        wheel.type = simInputEvent_wheel;
        wheel.wheelDirection = 1;
        if (i < items / 40) tree->onEvent(&wheel);
    }
    for (auto _ : bench) r.manager->render();
    bench.counters["scrolled"] = tree->getScrollOffset();
    delete tree;
}
BENCHMARK(BM_TreeViewPass)->ArgName("items")->Arg(50)->Arg(5000)->Unit(benchmark::kMicrosecond);

}  // namespace
