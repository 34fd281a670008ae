// The immediate drawing calls against raw OpenGL, headless on EGL.
//
// 10,000 screen rectangles (4 x 4 pixels each, a grid over an 800 x 600
// target) are drawn through the renderer's batched call `drawRects`, side by
// side with a minimal OpenGL program that writes the same rectangles into one
// orphaned vertex buffer and draws them in one call. Both wait for the GPU
// (glFinish) every iteration, so the times compare whole frames. Goal: the
// engine within 2x of the raw program. The engine draws as the GUI pass does
// (no lighting, no depth test or writes), so both do the same raster work.
// The "allocations" counter is the heap allocations per frame of the
// engine's run (it must be 0). Two more runs show where time goes: single
// rectangles through `drawRect` (the per-call cost), and the raw program
// drawing in the engine's chunk size.
#include <benchmark/benchmark.h>

#include <epoxy/gl.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "bench/glComparison.h"
#include "engine/graphics/simDrawRecords.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"

// Every heap allocation of the program, counted.
namespace {
std::atomic<long> g_allocations{0};
}
[[gnu::noinline]] void* operator new(std::size_t size) {
    ++g_allocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

constexpr int kRects = 10000;
constexpr int kWidth = 800, kHeight = 600;

// The grid of rectangles, 200 a row.
std::vector<simScreenRect> rectangles() {
    std::vector<simScreenRect> rects;
    rects.reserve(kRects);
    for (int i = 0; i < kRects; ++i) {
        const float x = float(i % 200) * 4, y = float(i / 200) * 4;
        rects.emplace_back(d3dx::Vector2(x, y), d3dx::Vector2(x + 4, y + 4), 0xFF000000u | uint32_t(i * 2654435761u >> 8));
    }
    return rects;
}


benchgl::EngineOnGl& engine() {
    static benchgl::EngineOnGl e(kWidth, kHeight);
    return e;
}

void BM_DrawRects_Engine(benchmark::State& state) {
    benchgl::EngineOnGl& e = engine();
    if (!e.ready()) {
        state.SkipWithError("no OpenGL 3.3 context");
        return;
    }
    e.context.makeCurrent();
    const std::vector<simScreenRect> rects = rectangles();
    simRenderer& r = *e.graphics->getRenderer();
    r.beginScene(true, true, false);
    // Overlay drawing as the GUI pass does it: no lighting, no depth test or writes.
    r.getState()->setState(simRenderState_lighting, 0u);
    r.getState()->setState(simRenderState_zWrite, 0u);
    r.getState()->setState(simRenderState_zFunction, 8u);
    r.drawRects(rects, nullptr);  // warm up
    glFinish();
    const long before = g_allocations.load();
    for (auto _ : state) {
        r.drawRects(rects, nullptr);
        glFinish();
    }
    state.counters["allocations"] =
        benchmark::Counter(double(g_allocations.load() - before), benchmark::Counter::kAvgIterations);
    r.endSceneWithoutPresent();
    state.SetItemsProcessed(state.iterations() * kRects);
}
BENCHMARK(BM_DrawRects_Engine)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DrawRectSingleCalls_Engine(benchmark::State& state) {
    benchgl::EngineOnGl& e = engine();
    if (!e.ready()) {
        state.SkipWithError("no OpenGL 3.3 context");
        return;
    }
    e.context.makeCurrent();
    const std::vector<simScreenRect> rects = rectangles();
    simRenderer& r = *e.graphics->getRenderer();
    r.beginScene(true, true, false);
    const long before = g_allocations.load();
    for (auto _ : state) {
        for (int i = 0; i < 1000; ++i) {
            const simScreenRect& s = rects[size_t(i)];
            r.drawRect({s.x1, s.y1}, {s.x2, s.y2}, s.colour, nullptr);
        }
        glFinish();
    }
    state.counters["allocations"] =
        benchmark::Counter(double(g_allocations.load() - before), benchmark::Counter::kAvgIterations);
    r.endSceneWithoutPresent();
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_DrawRectSingleCalls_Engine)->Unit(benchmark::kMillisecond)->UseRealTime();

// ---- The raw OpenGL program ----

struct Vertex {
    float x, y, z, rhw;
    uint32_t colour;
    float u, v;
};

constexpr const char* kRawVertexShader =
    "#version 330 core\n"
    "layout(location = 0) in vec4 position;\n"
    "layout(location = 2) in vec4 colour;\n"
    "out vec4 vColour;\n"
    "void main() {\n"
    "  vec2 p = (position.xy + 0.5) / vec2(800.0, 600.0) * 2.0 - 1.0;\n"
    "  gl_Position = vec4(p.x, -p.y, position.z, 1.0);\n"
    "  vColour = colour.bgra;\n"
    "}\n";
constexpr const char* kRawFragmentShader =
    "#version 330 core\n"
    "in vec4 vColour;\nout vec4 colour;\n"
    "void main() { colour = vColour; }\n";

// No depth target: the engine's GUI pass tests no depth either.
struct RawGl : benchgl::RawGlProgram {
    RawGl() : RawGlProgram(kRawVertexShader, kRawFragmentShader, kWidth, kHeight, false) {
        if (!ok) return;
        glGenBuffers(1, &buffer);
        glBindBuffer(GL_ARRAY_BUFFER, buffer);
        glBufferData(GL_ARRAY_BUFFER, kRects * 6 * sizeof(Vertex), nullptr, GL_STREAM_DRAW);
        glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, sizeof(Vertex), nullptr);
        glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Vertex), reinterpret_cast<void*>(16));
        glEnableVertexAttribArray(0);
        glEnableVertexAttribArray(2);
    }
    GLuint buffer = 0;
};

// Writes the rectangles [first, first + count) into the orphaned buffer
// and draws them.
void rawChunk(const std::vector<simScreenRect>& rects, size_t first, size_t count) {
    const size_t bytes = count * 6 * sizeof(Vertex);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(bytes), nullptr, GL_STREAM_DRAW);  // orphan
    auto* v = static_cast<Vertex*>(
        glMapBufferRange(GL_ARRAY_BUFFER, 0, GLsizeiptr(bytes), GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_BUFFER_BIT));
    for (size_t i = first; i < first + count; ++i) {
        const simScreenRect& r = rects[i];
        const float x1 = float(int(r.x1)) - 0.5f, y1 = float(int(r.y1)) - 0.5f;
        const float x2 = float(int(r.x2)) - 0.5f, y2 = float(int(r.y2)) - 0.5f;
        *v++ = {x1, y1, 0.1f, 10, r.colour, r.u1, r.v1};
        *v++ = {x2, y1, 0.1f, 10, r.colour, r.u2, r.v1};
        *v++ = {x2, y2, 0.1f, 10, r.colour, r.u2, r.v2};
        *v++ = {x1, y1, 0.1f, 10, r.colour, r.u1, r.v1};
        *v++ = {x2, y2, 0.1f, 10, r.colour, r.u2, r.v2};
        *v++ = {x1, y2, 0.1f, 10, r.colour, r.u1, r.v2};
    }
    glUnmapBuffer(GL_ARRAY_BUFFER);
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(count * 6));
}

// All rectangles in chunks of `perChunk`.
void rawLoop(benchmark::State& state, size_t perChunk) {
    static RawGl gl;
    if (!gl.ok) {
        state.SkipWithError("no OpenGL 3.3 context");
        return;
    }
    gl.context.makeCurrent();
    const std::vector<simScreenRect> rects = rectangles();
    for (auto _ : state) {
        for (size_t first = 0; first < rects.size(); first += perChunk)
            rawChunk(rects, first, std::min(perChunk, rects.size() - first));
        glFinish();
    }
    state.SetItemsProcessed(state.iterations() * kRects);
}

// The reference: one buffer, one draw.
void BM_DrawRects_RawGl(benchmark::State& state) { rawLoop(state, kRects); }
BENCHMARK(BM_DrawRects_RawGl)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same in the engine's chunks of 4,166 rectangles (25,000 vertices), to
// tell the cost of chunking from the cost of the engine's layers.
void BM_DrawRects_RawGlInEngineChunks(benchmark::State& state) { rawLoop(state, 4166); }
BENCHMARK(BM_DrawRects_RawGlInEngineChunks)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
