// Exporting a flying site whose six panorama faces are 4096 x 4096 DXT1: the
// high set written as the faces hold it, the medium set decoded,
// point-sampled to 2048 x 2048 and compressed on every core, the icon, the
// cube map, the two bitmaps and the site file, all written to disk; beside it
// `nvcompress -bc1 -fast -nomips` compressing the same six 2048 x 2048 medium
// faces one after the other (the whole commands: PNG read, compression, DDS
// write). The faces are the DXT benchmarks' test picture. Both report the
// PSNR (dB, colour channels) of a medium face against its point-sampled
// source.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/site/tbSiteExporter.h"
#include "bench/dxtBenchPicture.h"

namespace {

using namespace dxtbench;

const d3dx::Image& face4096() {
    static const d3dx::Image face = [] {
        d3dx::ImageLoadDesc desc;
        desc.format = d3dx::Format::DXT1;
        desc.mipLevels = 1;
        d3dx::Image out;
        d3dx::ConvertImage(sourceImage(), desc, &out);
        return out;
    }();
    return face;
}

d3dx::Image solid(uint32_t size, bool cube) {
    d3dx::Image image;
    image.format = d3dx::Format::X8R8G8B8;
    image.width = image.height = size;
    image.mipLevels = 1;
    image.isCube = cube;
    image.surfaces.assign(image.faceCount(), {size, size, std::vector<uint8_t>(size_t{size} * size * 4, 0xFF)});
    return image;
}

// A face's pixels as A8R8G8B8 bytes.
std::vector<uint8_t> pixelsOf(const d3dx::Image& image) {
    d3dx::ImageLoadDesc desc;
    desc.format = d3dx::Format::A8R8G8B8;
    desc.mipLevels = 1;
    d3dx::Image out;
    d3dx::ConvertImage(image, desc, &out);
    return out.surfaces.empty() ? std::vector<uint8_t>{} : out.surfaces[0].bytes;
}

// The medium face before compression: the 4096 face point-sampled to 2048.
const d3dx::Image& mediumSource() {
    static const d3dx::Image medium = [] {
        d3dx::ImageLoadDesc desc;
        desc.width = desc.height = 2048;
        desc.mipLevels = 1;
        desc.format = d3dx::Format::X8R8G8B8;
        desc.filter = d3dx::kFilterPoint;
        d3dx::Image out;
        d3dx::ConvertImage(face4096(), desc, &out);
        return out;
    }();
    return medium;
}

double mediumPsnr(const std::string& ddsFile) {
    d3dx::Image compressed;
    d3dx::ImageLoadDesc asIs;
    asIs.mipLevels = 1;
    if (!d3dx::LoadImageFromFile(ddsFile, asIs, &compressed).ok()) return 0;
    const std::vector<uint8_t> a = pixelsOf(mediumSource()), b = pixelsOf(compressed);
    if (a.size() != b.size() || a.empty()) return 0;
    double squared = 0;
    for (size_t i = 0; i < a.size(); ++i)
        if (i % 4 != 3) squared += (double(a[i]) - double(b[i])) * (double(a[i]) - double(b[i]));
    return 10 * std::log10(255.0 * 255.0 / (squared / (double(a.size()) / 4 * 3)));
}

void BM_SiteExportSixFacesHighAndMedium(benchmark::State& state) {
    tbSiteExportInput input;
    input.folder = (workFolder() / "site").string();
    input.exportName = "site";
    for (d3dx::Image& face : input.faces) face = face4096();
    input.cubemap = solid(512, true);
    input.site.waterEnabled = 1;
    input.waterMask = solid(2048, false);
    for (auto _ : state) {
        const tbSiteExportReport report = tbExportSite(input, [](float) {});
        if (!report.siteFileWritten || !report.missing.empty()) {
            state.SkipWithError("export failed");
            return;
        }
    }
    state.counters["PSNR_dB"] = mediumPsnr(input.folder + "/medium/site3.dds");
    std::filesystem::remove_all(input.folder);
}
BENCHMARK(BM_SiteExportSixFacesHighAndMedium)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The six medium faces as PNG files.
const std::vector<std::string>& mediumFacePngs() {
    static const std::vector<std::string> files = [] {
        std::vector<std::string> out;
        for (int i = 1; i <= 6; ++i) {
            out.push_back((workFolder() / ("medium" + std::to_string(i) + ".png")).string());
            d3dx::SaveImageToFile(out.back(), d3dx::ImageFileFormat::Png, mediumSource());
        }
        return out;
    }();
    return files;
}

void BM_NvcompressSixMediumFacesFast(benchmark::State& state) {
    if (std::system("command -v nvcompress >/dev/null 2>&1") != 0) {
        state.SkipWithError("nvcompress not installed (Debian libnvtt-bin)");
        return;
    }
    const std::vector<std::string>& inputs = mediumFacePngs();
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (const std::string& input : inputs) {
            const std::string command = "nvcompress -bc1 -fast -nomips " + input + " " + input + ".dds >/dev/null 2>&1";
            if (std::system(command.c_str()) != 0) {
                state.SkipWithError("nvcompress failed");
                return;
            }
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    state.counters["PSNR_dB"] = mediumPsnr(inputs[0] + ".dds");
}
BENCHMARK(BM_NvcompressSixMediumFacesFast)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);

}  // namespace
