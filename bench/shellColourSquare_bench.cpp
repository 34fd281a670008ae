// The colour picker's square redrawn while the mouse drags over it: every
// move picks a new saturation and darkness and draws the square, its
// cross-hair and the hue bar into their picture buffers (the dialog then
// blits each buffer once). Sizes are those the picker gets on a GTK
// display at the usual font (about 194 x 164 and 194 x 24 pixels).
#include <array>

#include <benchmark/benchmark.h>

#include "app/shell/CDlgColourPickerModel.h"
#include "platform/sys/clock.h"

namespace {

constexpr int kSquareWidth = 194, kSquareHeight = 164, kBarHeight = 24;

void BM_ColourSquareDragRedraw(benchmark::State& state) {
    sys::ManualClock clock;
    std::array<simColour, shell::kSwatchCount> swatches;
    simColour start;
    start.red = 40;
    start.green = 160;
    start.blue = 90;
    shell::ColourPickerModel picker(start, swatches);
    picker.shown();
    clock.advance(600);
    shell::RgbPicture square, bar;
    int step = 0;
    for (auto _ : state) {
        const int x = step % kSquareWidth, y = (step * 7) % kSquareHeight;
        ++step;
        picker.leftButton(shell::PickerArea::square, x, y, kSquareWidth, kSquareHeight, false);
        picker.drawSquare(square, kSquareWidth, kSquareHeight);
        picker.drawHueBar(bar, kSquareWidth, kBarHeight);
        benchmark::DoNotOptimize(square.bytes.data());
        benchmark::DoNotOptimize(bar.bytes.data());
    }
}
BENCHMARK(BM_ColourSquareDragRedraw)->Unit(benchmark::kMicrosecond);

}  // namespace
