// The render-state cache's promise: states set again with the values the
// cache holds cost no device call. A frame of 1,000 unchanged states (50
// draws of 20 states each) runs against the recording device, side by side
// with the same loop on a cache that has no device at all; the
// "deviceCalls" counter is what the device saw per frame (it must be 0), and
// the two times should stay within 2x of each other. A third run changes
// every state each draw, to show what the skip saves.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "engine/core/simGlobals.h"
#include "engine/core/utilsErrors.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "platform/gfx/device.h"
#include "platform/gfx/recordingDevice.h"

namespace {

constexpr int kDraws = 50;

// The states one draw sets: the value the cache holds after start-up and a
// valid other value for the run that changes them.
struct StateValue {
    uint32_t id;
    uint32_t value, other;
};
constexpr StateValue kDrawStates[] = {
    {simRenderState_texture0, 0, 0},       {simRenderState_texture3, 0, 0},        {simRenderState_vertexBuffer, 0, 0},
    {simRenderState_shaderEffect, 0, 0},   {simRenderState_zWrite, 1, 0},          {simRenderState_zFunction, 4, 8},
    {simRenderState_lighting, 0, 1},       {simRenderState_material, 0, 0},        {simRenderState_backfaceCullMode, 0, 2},
    {simRenderState_blendMode, 0, 1},      {simRenderState_stencilMode, 0, 3},     {simRenderState_fog, 0, 1},
    {simRenderState_mipmapFilter, 1, 2},   {simRenderState_stage1Blend, 0, 2},     {simRenderState_blendFactorAlpha, 0, 9},
    {simRenderState_alphaBlend, 1, 0},     {simRenderState_cameraViewport, 0, 0},  {simRenderState_shadeMode, 1, 0},
    {simRenderState_addressU, 1, 3},       {simRenderState_addressV, 1, 3},
};
static_assert(kDraws * std::size(kDrawStates) == 1000);

// One frame; with `changing`, every other draw uses the other values.
void frame(simRendererState& state, bool changing) {
    for (int draw = 0; draw < kDraws; ++draw)
        for (const StateValue& s : kDrawStates) state.setState(s.id, changing && (draw & 1) ? s.other : s.value);
}

// A graphics system on the recording device, made once for all runs.
struct RecordingEngine {
    RecordingEngine() {
        utils::setSeriousErrorSink([](const std::string&, const std::string&) {});  // no window: expected here
        gfx::setDirect3DFactory([rec = recorder] { return gfx::makeRecordingDirect3D(rec); });
        const int32_t resolution[3] = {800, 600, 60};
        graphics = std::make_unique<simGraphics>(40, d3dx::Vector2(0, 0), d3dx::Vector2(800, 600), resolution, false,
                                                 false, false, 1, false, 3, 1);
        recorder->keepLog = false;
    }
    std::shared_ptr<gfx::Recorder> recorder = std::make_shared<gfx::Recorder>();
    std::unique_ptr<simGraphics> graphics;
};

RecordingEngine& engine() {
    static RecordingEngine e;
    return e;
}

void BM_UnchangedStates_RecordingDevice(benchmark::State& bench) {
    simRendererState& state = *engine().graphics->getRenderer()->getState();
    const uint64_t before = engine().recorder->total();
    for (auto _ : bench) {
        frame(state, false);
        benchmark::ClobberMemory();
    }
    bench.counters["deviceCalls"] =
        benchmark::Counter(double(engine().recorder->total() - before), benchmark::Counter::kAvgIterations);
    bench.counters["statesPerFrame"] = 1000;
}
BENCHMARK(BM_UnchangedStates_RecordingDevice);

void BM_UnchangedStates_NoDevice(benchmark::State& bench) {
    simRendererState state(nullptr);  // a cache with no renderer and no device
    for (auto _ : bench) {
        frame(state, false);
        benchmark::ClobberMemory();
    }
    bench.counters["statesPerFrame"] = 1000;
}
BENCHMARK(BM_UnchangedStates_NoDevice);

void BM_ChangingStates_RecordingDevice(benchmark::State& bench) {
    simRendererState& state = *engine().graphics->getRenderer()->getState();
    const uint64_t before = engine().recorder->total();
    for (auto _ : bench) {
        frame(state, true);
        benchmark::ClobberMemory();
    }
    bench.counters["deviceCalls"] =
        benchmark::Counter(double(engine().recorder->total() - before), benchmark::Counter::kAvgIterations);
    frame(state, false);
}
BENCHMARK(BM_ChangingStates_RecordingDevice);

}  // namespace
