// The stopwatch's read against a bare read of the program clock: the
// stopwatch is read dozens of times per frame and must stay close to it.
#include <benchmark/benchmark.h>

#include "engine/core/utilsTimer.h"
#include "platform/sys/clock.h"

static void BM_ClockTicks(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(sys::clockTicks());
}
BENCHMARK(BM_ClockTicks);

static void BM_TimerGetElapsedRunning(benchmark::State& state) {
    utils::Timer timer;
    timer.start();
    for (auto _ : state) benchmark::DoNotOptimize(timer.getElapsed());
}
BENCHMARK(BM_TimerGetElapsedRunning);

static void BM_TimerGetElapsedCountdown(benchmark::State& state) {
    utils::Timer timer;
    timer.countdown = 1000.0;
    timer.start();
    for (auto _ : state) benchmark::DoNotOptimize(timer.getElapsed());
}
BENCHMARK(BM_TimerGetElapsedCountdown);

static void BM_TimeGetTime(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(sys::timeGetTime());
}
BENCHMARK(BM_TimeGetTime);
