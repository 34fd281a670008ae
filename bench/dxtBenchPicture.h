// The 4096 x 4096 test picture of the DXT benchmarks and what they measure
// against: its PNG file, the PSNR of a compressed result, and runs of
// NVIDIA's texture tools (`nvcompress`, Debian's libnvtt-bin) on the same
// file. Shared by the codec's benchmark and the texture load's.
#pragma once

#include <benchmark/benchmark.h>

#include "platform/d3dx/d3dxImage.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace dxtbench {

constexpr std::uint32_t kSize = 4096;

// Value noise: smooth random values on an integer lattice.
inline float lattice(int x, int y, int seed) {
    std::uint32_t h = std::uint32_t(x) * 374761393u + std::uint32_t(y) * 668265263u + std::uint32_t(seed) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return float((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

inline float valueNoise(float x, float y, int seed) {
    const int xi = int(std::floor(x)), yi = int(std::floor(y));
    float fx = x - float(xi), fy = y - float(yi);
    fx = fx * fx * (3 - 2 * fx);
    fy = fy * fy * (3 - 2 * fy);
    const float a = lattice(xi, yi, seed), b = lattice(xi + 1, yi, seed);
    const float c = lattice(xi, yi + 1, seed), d = lattice(xi + 1, yi + 1, seed);
    return a + (b - a) * fx + (c - a) * fy + (a - b - c + d) * fx * fy;
}

// A picture with the mix a panorama has: broad gradients, fine detail from
// eight octaves of noise, and hard-edged shapes.
inline const d3dx::Image& sourceImage() {
    static const d3dx::Image image = [] {
        d3dx::Image out;
        out.format = d3dx::Format::X8R8G8B8;
        out.width = out.height = kSize;
        out.mipLevels = 1;
        out.surfaces.push_back({kSize, kSize, std::vector<std::uint8_t>(std::size_t{kSize} * kSize * 4)});
        std::uint8_t* pixels = out.surfaces[0].bytes.data();
        for (std::uint32_t y = 0; y < kSize; ++y) {
            for (std::uint32_t x = 0; x < kSize; ++x) {
                float detail = 0, amplitude = 1, frequency = 1 / 128.0f;
                for (int octave = 0; octave < 8; ++octave) {
                    detail += amplitude * valueNoise(float(x) * frequency, float(y) * frequency, octave);
                    amplitude *= 0.6f;
                    frequency *= 2;
                }
                detail /= 2.4f;
                const float broad = valueNoise(float(x) / 300, float(y) / 300, 9);
                float r = detail * 200 + 40 * broad, g = 100 + 100 * std::sin(float(x) * 0.01f) * detail;
                float b = 255 * (1 - detail) * broad;
                if ((x / 97 + y / 61) % 5 == 0) {
                    r = 250, g = 30, b = 30;
                }
                std::uint8_t* p = pixels + (std::size_t{y} * kSize + x) * 4;
                p[0] = std::uint8_t(std::clamp(b, 0.0f, 255.0f));
                p[1] = std::uint8_t(std::clamp(g, 0.0f, 255.0f));
                p[2] = std::uint8_t(std::clamp(r, 0.0f, 255.0f));
                p[3] = 255;
            }
        }
        return out;
    }();
    return image;
}

// PSNR of the colour channels of level 0 of `image` against the source.
inline double psnr(const d3dx::Image& image) {
    d3dx::Image level0 = image;
    level0.mipLevels = 1;
    level0.surfaces.resize(1);
    d3dx::ImageLoadDesc toArgb;
    toArgb.format = d3dx::Format::A8R8G8B8;
    toArgb.mipLevels = 1;
    d3dx::Image decoded;
    if (!d3dx::ConvertImage(level0, toArgb, &decoded).ok() || decoded.width != kSize || decoded.height != kSize) {
        return 0;
    }
    const std::vector<std::uint8_t>& a = sourceImage().surfaces[0].bytes;
    const std::vector<std::uint8_t>& b = decoded.surfaces[0].bytes;
    double squared = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (i % 4 != 3) {
            const double d = double(a[i]) - double(b[i]);
            squared += d * d;
        }
    }
    const double mse = squared / (double(kSize) * kSize * 3);
    return 10 * std::log10(255.0 * 255.0 / mse);
}

inline std::filesystem::path workFolder() {
    static const std::filesystem::path folder = [] {
        std::filesystem::path path = std::filesystem::temp_directory_path() / "tolvane-bench-imageDxt";
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

// The source as a PNG file for nvcompress, written once.
inline std::string sourcePng() {
    static const std::string path = [] {
        const std::string file = (workFolder() / "source.png").string();
        d3dx::SaveImageToFile(file, d3dx::ImageFileFormat::Png, sourceImage());
        return file;
    }();
    return path;
}

// Times `nvcompress <options>` on the picture's PNG (the whole command:
// PNG read, mip chain, compression, DDS write) and reports its PSNR.
inline void runNvcompress(benchmark::State& state, const std::string& options) {
    if (std::system("command -v nvcompress >/dev/null 2>&1") != 0) {
        state.SkipWithError("nvcompress not installed (Debian libnvtt-bin)");
        return;
    }
    const std::string input = sourcePng();
    const std::string output = (workFolder() / "nvcompress.dds").string();
    const std::string command = "nvcompress " + options + " " + input + " " + output + " >/dev/null 2>&1";
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("nvcompress failed");
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    d3dx::Image result;
    d3dx::ImageInfo info;
    d3dx::ImageLoadDesc asIs;
    if (!d3dx::LoadImageFromFile(output, asIs, &result, &info).ok()) {
        state.SkipWithError("nvcompress output not readable");
        return;
    }
    state.counters["levels"] = result.mipLevels;
    state.counters["PSNR_dB"] = psnr(result);
}

}  // namespace dxtbench
