// The mirror tool's matching across x = 0 on a symmetric tube: the grid of
// mirrored triangles on 2,000 and 20,000 triangles, beside the method that
// tries every written triangle against every source with a projector each,
// on 2,000 (the ratio at 2,000 is the gain; the pairwise time grows with the
// square of the count).
#include <benchmark/benchmark.h>

#include <vector>

#include "app/scheme/tbMirrorMatch.h"
#include "tests/app/scheme/mirrorModels.h"

namespace {

// 2 x around x along triangles.
std::unique_ptr<tbGeometry> tube(int triangles) {
    const int around = triangles >= 20000 ? 100 : 40;
    return test::modelFrom(test::symmetricBody(around, triangles / (2 * around)));
}

void BM_MirrorMatchGrid(benchmark::State& state) {
    const auto model = tube(int(state.range(0)));
    const std::vector<tbTriangle*> work = test::everyTriangle(*model);
    size_t copies = 0;
    for (auto _ : state) {
        copies = tbMatchMirror(work, 0).size();
        benchmark::DoNotOptimize(copies);
    }
    state.counters["triangles"] = double(work.size());
    state.counters["copies"] = double(copies);
}
BENCHMARK(BM_MirrorMatchGrid)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_MirrorMatchPairwise(benchmark::State& state) {
    const auto model = tube(int(state.range(0)));
    const std::vector<tbTriangle*> work = test::everyTriangle(*model);
    size_t copies = 0;
    for (auto _ : state) {
        copies = test::pairwiseMirror(work, 0).size();
        benchmark::DoNotOptimize(copies);
    }
    state.counters["triangles"] = double(work.size());
    state.counters["copies"] = double(copies);
}
BENCHMARK(BM_MirrorMatchPairwise)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace
