// The polygon triangulator under the load of its callers: the shape fill
// triangulates one small clipped outline per covered model triangle,
// thousands per fill, with one triangulator; the flying-site editor
// triangulates a few large areas.
//
// Every allocation of the program is counted, so the small-outline benchmark
// reports how many allocations one triangulation makes once the triangulator
// and the output list have grown (the goal is none).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <new>
#include <vector>

#include "engine/core/simPolygonTriangulator.h"

namespace {
std::atomic<long long> g_allocations{0};
}  // namespace

// Kept out of line: once inlined into its callers, the compiler pairs the
// malloc here with the free below and warns of a mismatch that is not one.
[[gnu::noinline]] void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* p) noexcept { std::free(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

using Outline = std::vector<d3dx::Vector4>;

// An outline as the shape fill makes it: a painted area clipped to one model
// triangle, concave, with texture coordinates.
Outline clippedOutline() {
    return {{0.10f, 0.10f, 0.10f, 0.10f}, {0.60f, 0.12f, 0.60f, 0.12f},
            {0.62f, 0.35f, 0.62f, 0.35f}, {0.35f, 0.36f, 0.35f, 0.36f},
            {0.33f, 0.70f, 0.33f, 0.70f}, {0.09f, 0.68f, 0.09f, 0.68f}};
}

// Points around a centre; every other point at innerRadius, so that an inner
// radius below the outer one gives a gear of sharp teeth.
Outline ring(int points, double innerRadius) {
    Outline outline;
    for (int i = 0; i < points; ++i) {
        const double angle = 2.0 * M_PI * i / points;
        const double radius = i % 2 == 0 ? 5000.0 : innerRadius;
        const float x = static_cast<float>(radius * std::cos(angle));
        const float y = static_cast<float>(radius * std::sin(angle));
        outline.push_back(d3dx::Vector4{x, y, 0.0f, 0.0f});
    }
    return outline;
}

void BM_SixPointOutline(benchmark::State& state) {
    const Outline outline = clippedOutline();
    simPolygonTriangulator triangulator;
    Outline triangles;
    // Warm-up: the triangulator's storage and the output list grow once.
    triangulator.triangulate(outline, &triangles);
    const long long before = g_allocations.load();
    for (auto _ : state) {
        triangles.clear();
        triangulator.triangulate(outline, &triangles);
        benchmark::DoNotOptimize(triangles.data());
    }
    const long long allocations = g_allocations.load() - before;
    state.counters["allocations_per_call"] = benchmark::Counter(
        static_cast<double>(allocations) / static_cast<double>(state.iterations()));
    state.counters["triangles"] = static_cast<double>(triangles.size() / 3);
    if (allocations != 0) {
        state.SkipWithError("the small outline allocated after warm-up");
    }
}
BENCHMARK(BM_SixPointOutline);

void triangulateOutline(benchmark::State& state, const Outline& outline) {
    Outline triangles;
    for (auto _ : state) {
        simPolygonTriangulator triangulator;
        triangles.clear();
        triangulator.triangulate(outline, &triangles);
        benchmark::DoNotOptimize(triangles.data());
    }
    state.counters["triangles"] = static_cast<double>(triangles.size() / 3);
}

void BM_Circle(benchmark::State& state) {
    triangulateOutline(state, ring(static_cast<int>(state.range(0)), 5000.0));
}
BENCHMARK(BM_Circle)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);

// A harder area: most open edges find no neighbour that fits and search all.
void BM_Gear(benchmark::State& state) {
    triangulateOutline(state, ring(static_cast<int>(state.range(0)), 1500.0));
}
BENCHMARK(BM_Gear)->Arg(500)->Unit(benchmark::kMillisecond);

}  // namespace
