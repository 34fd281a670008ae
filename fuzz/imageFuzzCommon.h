// What every image fuzz target does with its input: read the information,
// load it the ways the engine does, and check that whatever loads can be
// written and read back. Any crash, sanitizer report or broken round trip
// is a finding.
#pragma once

#include "platform/d3dx/d3dxImage.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace imagefuzz {

// Loads beyond this many pixels are only decoded, not compressed and
// written again, to keep each run fast.
constexpr std::uint64_t kRoundTripPixelLimit = 64 * 64;

inline void mustSucceed(const d3dx::ImageResult& result) {
    if (!result.ok()) {
        std::abort();
    }
}

inline void exercise(const std::uint8_t* data, std::size_t size) {
    d3dx::ImageInfo info;
    const bool hasInfo = d3dx::GetImageInfoFromFileInMemory(data, size, &info).ok();

    d3dx::Image image;
    d3dx::ImageInfo loadedInfo;
    const d3dx::ImageResult loaded = d3dx::LoadImageFromFileInMemory(data, size, d3dx::ImageLoadDesc{}, &image,
                                                                    &loadedInfo);
    // A file that loads must have had readable information, and agree with it.
    if (loaded.ok() && (!hasInfo || loadedInfo.width != info.width || loadedInfo.height != info.height)) {
        std::abort();
    }
    if (!loaded.ok()) {
        if (!image.surfaces.empty()) {
            std::abort();
        }
        return;
    }
    mustSucceed(d3dx::checkImage(image));
    if (std::uint64_t{image.width} * image.height > kRoundTripPixelLimit) {
        return;
    }

    // As the texture loader does: scaled, fewer levels, compressed.
    d3dx::ImageLoadDesc texture;
    texture.width = image.width / 2 + 1;
    texture.height = image.height + 3;
    texture.mipLevels = 4;
    texture.format = d3dx::formatHasAlpha(info.format) ? d3dx::Format::DXT5 : d3dx::Format::DXT1;
    d3dx::Image converted;
    mustSucceed(d3dx::ConvertImage(image, texture, &converted));

    for (d3dx::ImageFileFormat format : {d3dx::ImageFileFormat::Dds, d3dx::ImageFileFormat::Bmp,
                                         d3dx::ImageFileFormat::Tga}) {
        std::vector<std::uint8_t> file;
        mustSucceed(d3dx::SaveImageToFileInMemory(&file, format, converted));
        d3dx::Image back;
        mustSucceed(d3dx::LoadImageFromFileInMemory(file.data(), file.size(), d3dx::ImageLoadDesc{}, &back));
        if (back.width != converted.width || back.height != converted.height) {
            std::abort();
        }
    }
}

}  // namespace imagefuzz
