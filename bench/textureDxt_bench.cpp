// Loading a 4096 x 4096 PNG as a texture compressed to DXT1 with mipmaps
// ("forceMipmaps": the engine's four levels), the whole load as the program
// does it on the OpenGL device (headless EGL): file read, PNG decode, mip
// levels, DXT1 compression on every core, upload. Side by side in the same
// run: the PNG decode alone, `nvcompress -bc1 -fast` (the time to beat) and
// `nvcompress -bc1` (the quality to stay within 0.5 dB of) on the same file.
// Each reports its time and the PSNR in dB of level 0's colour channels
// against the source.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "bench/dxtBenchPicture.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simApplication.h"
#include "engine/core/utilsErrors.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simTexture.h"
#include "platform/d3dx/d3dxImage.h"
#include "platform/gfx/device.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"

namespace {

using namespace dxtbench;

// The engine on the OpenGL device.
struct Engine {
    Engine() {
        utils::setSeriousErrorSink([](const std::string&, const std::string&) {});  // no window: expected
        gfx::setDirect3DFactory(nullptr);
        const int32_t resolution[3] = {256, 256, 60};
        graphics = std::make_unique<simGraphics>(40, d3dx::Vector2(0, 0), d3dx::Vector2(256, 256), resolution, false,
                                                 false, false, 1, false, 3, 1);
    }
    ~Engine() {
        context.makeCurrent();
        graphics.reset();
    }
    bool ready() const { return graphics && graphics->getRenderer() && graphics->getRenderer()->getDevice(); }
    gfx::EglContext context;
    std::unique_ptr<simGraphics> graphics;
};

// Level 0 of the texture read back from the device, as an image.
d3dx::Image levelZero(simTexture& texture) {
    gfx::Device& device = *g_graphics->getRenderer()->getDevice();
    d3dx::Image image;
    image.format = d3dx::Format::DXT1;
    image.width = image.height = kSize;
    image.mipLevels = 1;
    image.surfaces.push_back({kSize, kSize, std::vector<std::uint8_t>(d3dx::surfaceByteSize(image.format, kSize, kSize))});
    gfx::D3DLOCKED_RECT locked;
    if (gfx::FAILED(device.LockRect(texture.getTexture(), 0, &locked, nullptr, gfx::D3DLOCK_READONLY))) return {};
    const std::size_t row = d3dx::surfaceRowPitch(image.format, kSize);
    for (std::uint32_t y = 0; y < kSize / 4; ++y)
        std::memcpy(image.surfaces[0].bytes.data() + y * row, static_cast<std::uint8_t*>(locked.pBits) + y * locked.Pitch,
                    row);
    device.UnlockRect(texture.getTexture(), 0);
    return image;
}

void BM_TextureLoadDxt1WithMips(benchmark::State& state) {
    static Engine engine;
    if (!engine.ready()) {
        state.SkipWithError("no OpenGL 3.3 context");
        return;
    }
    engine.context.makeCurrent();
    const std::string file = sourcePng();
    std::unique_ptr<simTexture> texture;
    for (auto _ : state) {
        texture.reset();
        texture = std::make_unique<simTexture>(nullptr, file, "forceMipmaps");
        if (!texture->getTexture()) {
            state.SkipWithError("texture load failed");
            return;
        }
    }
    state.counters["levels"] = texture->getMipLevels();
    state.counters["PSNR_dB"] = psnr(levelZero(*texture));
    texture.reset();
}
BENCHMARK(BM_TextureLoadDxt1WithMips)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The PNG decode alone (file bytes in memory to one A8R8G8B8 level), the
// part of the load above that the decoder owns.
void BM_PngDecode(benchmark::State& state) {
    std::ifstream in(sourcePng(), std::ios::binary);
    const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    d3dx::ImageLoadDesc oneLevel;
    oneLevel.mipLevels = 1;
    d3dx::Image image;
    for (auto _ : state) {
        if (!d3dx::LoadImageFromFileInMemory(file.data(), file.size(), oneLevel, &image).ok()) {
            state.SkipWithError("PNG decode failed");
            return;
        }
    }
    state.counters["MB_file"] = double(file.size()) / (1 << 20);
}
BENCHMARK(BM_PngDecode)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_NvcompressBc1Fast(benchmark::State& state) { runNvcompress(state, "-bc1 -fast"); }
BENCHMARK(BM_NvcompressBc1Fast)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

void BM_NvcompressBc1(benchmark::State& state) { runNvcompress(state, "-bc1"); }
BENCHMARK(BM_NvcompressBc1)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

}  // namespace
