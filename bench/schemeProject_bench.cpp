// Opening and saving a model-scheme project whose paint texture is 2048 x
// 2048 pixels, the file work only (the upload to and read-back from the
// device are left out), each beside the picture's codec alone:
//  - open: read the whole file, check and decode every record, decode the
//    BMP picture at the stored size; beside decoding the same BMP alone;
//  - save: encode the picture as BMP, encode the records, write a temporary
//    file and rename it over the old one; beside encoding the BMP alone.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/shell/tbFileBytes.h"
#include "app/scheme/tbProjectFile.h"
#include "app/shell/tbAtomicSave.h"
#include "platform/d3dx/d3dxImage.h"
#include "tests/app/scheme/schemeModels.h"

namespace {

constexpr uint32_t kSize = 2048;

d3dx::Image picture() {
    d3dx::Image image;
    image.format = d3dx::Format::X8R8G8B8;
    image.width = image.height = kSize;
    image.mipLevels = 1;
    image.surfaces.resize(1);
    image.surfaces[0].width = image.surfaces[0].height = kSize;
    image.surfaces[0].bytes.resize(size_t(kSize) * kSize * 4);
    for (size_t i = 0; i < image.surfaces[0].bytes.size(); ++i) image.surfaces[0].bytes[i] = uint8_t(i * 7 + i / 4096);
    return image;
}

// A 2,000-triangle model with the picture and two camera records.
tbProjectFileData project(const std::vector<uint8_t>& bmp) {
    tbProjectFileData d;
    d.modelName = "bench";
    d.schemeName = "Bench scheme";
    d.geometry.texture = {kSize, kSize, bmp};
    d.geometry.vertices = test::gridVertices(100, 10);
    for (uint32_t t = 0; t < d.geometry.vertices.size() / 3; ++t) {
        tbFileTriangle record;
        record.index = t;
        for (uint32_t i = 0; i < 3; ++i) record.vertexIndices[i] = t * 3 + i;
        d.geometry.triangles.push_back(record);
    }
    d.geometry.settings.cameras.resize(2);
    return d;
}

d3dx::ImageLoadDesc stored() {
    d3dx::ImageLoadDesc desc;
    desc.width = desc.height = kSize;
    desc.mipLevels = 1;
    desc.format = d3dx::Format::X8R8G8B8;
    return desc;
}

struct Files {
    d3dx::Image image = picture();
    std::vector<uint8_t> bmp;
    std::string path = (std::filesystem::temp_directory_path() / "tolvaneBenchProject.tvp").string();
    Files() {
        d3dx::SaveImageToFileInMemory(&bmp, d3dx::ImageFileFormat::Bmp, image);
        const std::vector<uint8_t> file = writeProjectFile(project(bmp));
        tbSaveFileAtomically(path, std::string_view(reinterpret_cast<const char*>(file.data()), file.size()));
    }
    ~Files() { std::filesystem::remove(path); }
};
Files& files() {
    static Files f;
    return f;
}

void BM_OpenProject(benchmark::State& state) {
    Files& f = files();
    for (auto _ : state) {
        std::vector<uint8_t> bytes;
        tbProjectFileData d;
        std::string error;
        d3dx::Image image;
        if (!tbReadWholeFile(f.path, bytes, 1ull << 31) || !readProjectFile(bytes.data(), bytes.size(), 2, d, error) ||
            !d3dx::LoadImageFromFileInMemory(d.geometry.texture.bmp.data(), d.geometry.texture.bmp.size(), stored(),
                                             &image)
                 .ok())
            state.SkipWithError("the project did not open");
        benchmark::DoNotOptimize(image.surfaces.data());
    }
}
BENCHMARK(BM_OpenProject)->Unit(benchmark::kMillisecond);

void BM_DecodeBmpAlone(benchmark::State& state) {
    Files& f = files();
    for (auto _ : state) {
        d3dx::Image image;
        d3dx::LoadImageFromFileInMemory(f.bmp.data(), f.bmp.size(), stored(), &image);
        benchmark::DoNotOptimize(image.surfaces.data());
    }
}
BENCHMARK(BM_DecodeBmpAlone)->Unit(benchmark::kMillisecond);

void BM_SaveProject(benchmark::State& state) {
    Files& f = files();
    for (auto _ : state) {
        std::vector<uint8_t> bmp;
        d3dx::SaveImageToFileInMemory(&bmp, d3dx::ImageFileFormat::Bmp, f.image);
        const std::vector<uint8_t> file = writeProjectFile(project(bmp));
        if (!tbSaveFileAtomically(f.path, std::string_view(reinterpret_cast<const char*>(file.data()), file.size())))
            state.SkipWithError("the project was not saved");
    }
}
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);

void BM_EncodeBmpAlone(benchmark::State& state) {
    Files& f = files();
    for (auto _ : state) {
        std::vector<uint8_t> bmp;
        d3dx::SaveImageToFileInMemory(&bmp, d3dx::ImageFileFormat::Bmp, f.image);
        benchmark::DoNotOptimize(bmp.data());
    }
}
BENCHMARK(BM_EncodeBmpAlone)->Unit(benchmark::kMillisecond);

}  // namespace
