// Cost of the device layer: GL calls and time per draw when states stay,
// when one raster state flips, and when the fixed-function program changes;
// and the cost of one call through the front into the recording device.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "platform/gfx/device.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"
#include "platform/gfx/glDevice.h"
#include "platform/gfx/recordingDevice.h"

namespace {

using namespace gfx;

struct ScreenVertex {
    float x, y, z, rhw;
    D3DCOLOR colour;
    float u, v;
};

// A GL device with a quad in a vertex buffer, inside a scene.
struct GlBench {
    EglContext context;
    std::unique_ptr<Direct3D> d3d;
    std::unique_ptr<Device> device;
    VertexBufferHandle vb;

    bool init() {
        if (!context.valid() || !(d3d = makeGlDirect3D())) return false;
        D3DPRESENT_PARAMETERS params;
        params.BackBufferWidth = 256;
        params.BackBufferHeight = 256;
        if (FAILED(d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &params, &device))) return false;
        device->CreateVertexBuffer(28 * 6, D3DUSAGE_DYNAMIC, kFvfScreenVertex, D3DPOOL_DEFAULT, &vb);
        const ScreenVertex q[6] = {{0, 0, 0.1f, 1, 0xFFFFFFFF, 0, 0},   {32, 0, 0.1f, 1, 0xFFFFFFFF, 1, 0},
                                   {32, 32, 0.1f, 1, 0xFFFFFFFF, 1, 1}, {0, 0, 0.1f, 1, 0xFFFFFFFF, 0, 0},
                                   {32, 32, 0.1f, 1, 0xFFFFFFFF, 1, 1}, {0, 32, 0.1f, 1, 0xFFFFFFFF, 0, 1}};
        void* p = nullptr;
        device->Lock(vb, 0, 0, &p, D3DLOCK_DISCARD);
        std::memcpy(p, q, sizeof q);
        device->Unlock(vb);
        device->SetFVF(kFvfScreenVertex);
        device->SetStreamSource(0, vb, 0, 28);
        device->BeginScene();
        return true;
    }
    ~GlBench() {
        if (device) {
            device->EndScene();
            device->Release(vb);
        }
    }
};

// Runs one draw per iteration after `change` and reports GL calls per draw.
template <class Change>
void drawLoop(benchmark::State& state, Change change) {
    GlBench b;
    if (!b.init()) {
        state.SkipWithError("no OpenGL 3.3 context");
        return;
    }
    std::uint64_t i = 0;
    change(*b.device, i++);
    b.device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2);  // warm the caches
    const std::uint64_t before = glCalls();
    for (auto _ : state) {
        change(*b.device, i++);
        b.device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2);
    }
    state.counters["glCallsPerDraw"] =
        benchmark::Counter(double(glCalls() - before) / double(state.iterations()));
}

void BM_GlDrawUnchangedStates(benchmark::State& state) {
    drawLoop(state, [](Device& d, std::uint64_t) { d.SetRenderState(D3DRS_ZWRITEENABLE, 1); });
}
BENCHMARK(BM_GlDrawUnchangedStates);

void BM_GlDrawFlippingDepthWrites(benchmark::State& state) {
    drawLoop(state, [](Device& d, std::uint64_t i) { d.SetRenderState(D3DRS_ZWRITEENABLE, i & 1); });
}
BENCHMARK(BM_GlDrawFlippingDepthWrites);

void BM_GlDrawFlippingShadeMode(benchmark::State& state) {
    drawLoop(state, [](Device& d, std::uint64_t i) {
        d.SetRenderState(D3DRS_SHADEMODE, (i & 1) ? D3DSHADE_FLAT : D3DSHADE_GOURAUD);
    });
}
BENCHMARK(BM_GlDrawFlippingShadeMode);

void BM_RecordingSetRenderState(benchmark::State& state) {
    auto rec = std::make_shared<Recorder>();
    rec->keepLog = false;
    std::unique_ptr<Direct3D> d3d = makeRecordingDirect3D(rec);
    D3DPRESENT_PARAMETERS params;
    params.BackBufferWidth = 64;
    params.BackBufferHeight = 64;
    std::unique_ptr<Device> device;
    d3d->CreateDevice(0, D3DDEVTYPE_HAL, nullptr, 0, &params, &device);
    std::uint32_t v = 0;
    for (auto _ : state) device->SetRenderState(D3DRS_ZWRITEENABLE, (v ^= 1));
    state.counters["deviceCalls"] = benchmark::Counter(double(rec->total()), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RecordingSetRenderState);

}  // namespace
