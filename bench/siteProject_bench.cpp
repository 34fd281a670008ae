// Opening and saving a flying site whose panorama is six 2048 x 2048 cube
// faces (the sample flying field), on the OpenGL device through EGL:
//  - open: read and check the file, load the six faces (decode, compress to
//    DXT1 across the cores, upload), draw the reflection cube map, make the
//    water mask and load its 16 MiB picture (goal: under 2 s); beside the
//    six faces' decode and compression alone, the work no open can skip;
//  - save: read the mask back, encode the file, write it atomically; beside
//    writing the 16 MiB mask's bytes alone.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/tbAtomicSave.h"
#include "app/site/tbProject_flyingsite.h"
#include "app/site/tbWaterMask.h"
#include "engine/core/utilsErrors.h"
#include "engine/graphics/simGraphics.h"
#include "platform/d3dx/d3dxImage.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"

namespace {

std::string face(int slot) {
    return std::string(TOLVANE_SOURCE_DIR) + "/resources/environments/flyingField/flyingField" +
           std::to_string(slot + 1) + ".jpg";
}

struct Engine {
    Engine() {
        context.makeCurrent();
        utils::setSeriousErrorSink([](const std::string&, const std::string&) {});  // no window: expected
        gfx::setDirect3DFactory(nullptr);
        const int32_t resolution[3] = {800, 600, 60};
        graphics = std::make_unique<simGraphics>(40, d3dx::Vector2(0, 0), d3dx::Vector2(800, 600), resolution, false,
                                                 false, false, 1, false, 3, 1);
        if (!ready()) return;
        tbProject_flyingsite site;
        site.onNew("");
        for (int slot = 0; slot < tbProject_flyingsite::kCubeSlots; ++slot) site.setCubeImage(slot, face(slot));
        site.save(path);
    }
    ~Engine() {
        std::filesystem::remove(path);
        context.makeCurrent();
        graphics.reset();
    }
    bool ready() const { return graphics && graphics->getRenderer(); }
    gfx::EglContext context;
    std::unique_ptr<simGraphics> graphics;
    std::string path = (std::filesystem::temp_directory_path() / "tolvaneBenchSite.tvq").string();
};
Engine& engine() {
    static Engine e;
    return e;
}

void BM_OpenSite(benchmark::State& state) {
    Engine& e = engine();
    if (!e.ready()) return state.SkipWithError("no OpenGL 3.3 context");
    for (auto _ : state) {
        tbProject_flyingsite site;
        if (!site.open(e.path) || !site.getCubeTexture(5)) state.SkipWithError("the site did not open");
    }
}
BENCHMARK(BM_OpenSite)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_CompressSixFacesAlone(benchmark::State& state) {
    d3dx::ImageLoadDesc desc;
    desc.mipLevels = 1;
    desc.format = d3dx::Format::DXT1;
    for (auto _ : state) {
        for (int slot = 0; slot < tbProject_flyingsite::kCubeSlots; ++slot) {
            d3dx::Image image;
            d3dx::LoadImageFromFile(face(slot), desc, &image);
            benchmark::DoNotOptimize(image.surfaces.data());
        }
    }
}
BENCHMARK(BM_CompressSixFacesAlone)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveSite(benchmark::State& state) {
    Engine& e = engine();
    if (!e.ready()) return state.SkipWithError("no OpenGL 3.3 context");
    tbProject_flyingsite site;
    site.open(e.path);
    const std::string target = e.path + ".saved";
    for (auto _ : state)
        if (!site.save(target)) state.SkipWithError("the site was not saved");
    std::filesystem::remove(target);
}
BENCHMARK(BM_SaveSite)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_WriteMaskAlone(benchmark::State& state) {
    const std::vector<uint8_t> mask = tbWaterMask::whiteDds();
    const std::string target = (std::filesystem::temp_directory_path() / "tolvaneBenchMask.dds").string();
    for (auto _ : state)
        tbSaveFileAtomically(target, std::string_view(reinterpret_cast<const char*>(mask.data()), mask.size()));
    std::filesystem::remove(target);
}
BENCHMARK(BM_WriteMaskAlone)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
