// DXT1 compression of a 4096x4096 picture with its full mip chain (the size
// of a high-quality panorama face), ours on every core against NVIDIA's
// texture tools on the same picture: `nvcompress -bc1 -fast` (the speed to
// beat) and `nvcompress -bc1` (the quality to stay within 0.5 dB of).
//
// Each benchmark reports its time and, as counters, the PSNR in dB of the
// colour channels of level 0 against the source. The nvcompress runs time the
// whole command (PNG read, mip chain, compression, DDS write); ours time the
// mip chain and the compression from pixels in memory, which is what a
// texture load does after decoding.
#include <benchmark/benchmark.h>

#include "bench/dxtBenchPicture.h"
#include "platform/d3dx/d3dxImage.h"

namespace {

using namespace dxtbench;

void BM_Dxt1WithMipsAllCores(benchmark::State& state) {
    d3dx::ImageLoadDesc desc;
    desc.format = d3dx::Format::DXT1;
    desc.mipLevels = d3dx::kDefault;
    d3dx::Image compressed;
    sourceImage();
    for (auto _ : state) {
        if (!d3dx::ConvertImage(sourceImage(), desc, &compressed).ok()) {
            state.SkipWithError("compression failed");
            return;
        }
    }
    state.counters["levels"] = compressed.mipLevels;
    state.counters["PSNR_dB"] = psnr(compressed);
}
BENCHMARK(BM_Dxt1WithMipsAllCores)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_NvcompressBc1Fast(benchmark::State& state) { runNvcompress(state, "-bc1 -fast"); }
BENCHMARK(BM_NvcompressBc1Fast)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

void BM_NvcompressBc1(benchmark::State& state) { runNvcompress(state, "-bc1"); }
BENCHMARK(BM_NvcompressBc1)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

}  // namespace
