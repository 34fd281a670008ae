// DDS reading and writing. The header is checked in full, and the announced
// surfaces against the bytes present, before any pixel is allocated.
#include "platform/d3dx/ddsFile.h"

#include "platform/d3dx/d3dxImageFilter.h"

#include <array>
#include <bit>
#include <cstring>
#include <string>

namespace d3dx {

namespace {

constexpr std::uint32_t kHeaderSize = 124;
constexpr std::uint32_t kPixelFormatSize = 32;

constexpr std::uint32_t kFlagCaps = 0x1, kFlagHeight = 0x2, kFlagWidth = 0x4, kFlagPitch = 0x8;
constexpr std::uint32_t kFlagPixelFormat = 0x1000, kFlagMipCount = 0x20000, kFlagLinearSize = 0x80000;
constexpr std::uint32_t kPfAlphaPixels = 0x1, kPfAlpha = 0x2, kPfFourCc = 0x4, kPfRgb = 0x40, kPfLuminance = 0x20000;
constexpr std::uint32_t kCapsComplex = 0x8, kCapsTexture = 0x1000, kCapsMipmap = 0x400000;
constexpr std::uint32_t kCaps2Cube = 0x200, kCaps2AllFaces = 0xFC00, kCaps2Volume = 0x200000;

// Byte offsets of the fields read, from the start of the file.
constexpr std::size_t kOffHeaderSize = 4, kOffFlags = 8, kOffHeight = 12, kOffWidth = 16, kOffPitch = 20;
constexpr std::size_t kOffMipCount = 28, kOffPfSize = 76, kOffPfFlags = 80, kOffFourCc = 84, kOffBits = 88;
constexpr std::size_t kOffMasks = 92, kOffCaps = 108, kOffCaps2 = 112;

std::uint32_t readU32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

void writeU32(std::uint8_t* p, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        p[i] = std::uint8_t(value >> (8 * i));
    }
}

// An uncompressed layout by its bits a pixel and channel masks.
struct MaskedFormat {
    Format format;
    std::uint32_t bits;
    std::uint32_t red, green, blue, alpha;
    bool luminance;  // the red mask holds grey
};

constexpr std::array<MaskedFormat, 12> kMaskedFormats = {{
    {Format::A8R8G8B8, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000, false},
    {Format::X8R8G8B8, 32, 0xFF0000, 0xFF00, 0xFF, 0, false},
    {Format::A8B8G8R8, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000, false},
    {Format::X8B8G8R8, 32, 0xFF, 0xFF00, 0xFF0000, 0, false},
    {Format::R8G8B8, 24, 0xFF0000, 0xFF00, 0xFF, 0, false},
    {Format::R5G6B5, 16, 0xF800, 0x7E0, 0x1F, 0, false},
    {Format::X1R5G5B5, 16, 0x7C00, 0x3E0, 0x1F, 0, false},
    {Format::A1R5G5B5, 16, 0x7C00, 0x3E0, 0x1F, 0x8000, false},
    {Format::A4R4G4B4, 16, 0xF00, 0xF0, 0xF, 0xF000, false},
    {Format::A8, 8, 0, 0, 0, 0xFF, false},
    {Format::L8, 8, 0xFF, 0, 0, 0, true},
    {Format::A8L8, 16, 0xFF, 0, 0, 0xFF00, true},
}};

const MaskedFormat* findMaskedFormat(Format format) {
    for (const MaskedFormat& masked : kMaskedFormats) {
        if (masked.format == format) {
            return &masked;
        }
    }
    return nullptr;
}

// What the header says, once checked.
struct DdsLayout {
    ImageInfo info;
    std::uint32_t faces = 1;
    const MaskedFormat* masked = nullptr;  // null for DXT
};

ImageResult invalid(const std::string& reason) { return ImageResult::failure(kResultInvalidData, "DDS: " + reason); }

ImageResult readPixelFormat(const std::uint8_t* data, DdsLayout* layout) {
    const std::uint32_t flags = readU32(data + kOffPfFlags);
    if (readU32(data + kOffPfSize) != kPixelFormatSize) {
        return invalid("bad pixel format size");
    }
    if (flags & kPfFourCc) {
        const std::uint32_t fourCc = readU32(data + kOffFourCc);
        for (Format format : {Format::DXT1, Format::DXT3, Format::DXT5}) {
            if (fourCc == std::uint32_t(format)) {
                layout->info.format = format;
                return ImageResult::success();
            }
        }
        std::string code(reinterpret_cast<const char*>(data + kOffFourCc), 4);
        for (char& c : code) {
            c = (c >= 32 && c < 127) ? c : '?';
        }
        return invalid(std::string("unsupported compression \"") + code + "\"");
    }
    if (!(flags & (kPfRgb | kPfLuminance | kPfAlpha))) {
        return invalid("pixel format neither compressed nor RGB");
    }
    const std::uint32_t bits = readU32(data + kOffBits);
    const std::uint32_t red = readU32(data + kOffMasks), green = readU32(data + kOffMasks + 4);
    const std::uint32_t blue = readU32(data + kOffMasks + 8);
    const std::uint32_t alpha = (flags & (kPfAlphaPixels | kPfAlpha)) ? readU32(data + kOffMasks + 12) : 0;
    for (const MaskedFormat& masked : kMaskedFormats) {
        if (masked.bits == bits && masked.red == red && masked.green == green && masked.blue == blue &&
            masked.alpha == alpha) {
            layout->info.format = masked.format;
            layout->masked = &masked;
            return ImageResult::success();
        }
    }
    return invalid("unsupported " + std::to_string(bits) + "-bit pixel layout");
}

std::uint64_t storedSurfaceBytes(const DdsLayout& layout, std::uint32_t width, std::uint32_t height) {
    if (layout.masked == nullptr) {
        return surfaceByteSize(layout.info.format, width, height);
    }
    return std::uint64_t{width} * height * (layout.masked->bits / 8);
}

std::uint32_t levelSize(std::uint32_t size, std::uint32_t level) { return std::max(1u, size >> level); }

ImageResult readLayout(const std::uint8_t* data, std::size_t size, DdsLayout* layout) {
    if (!isDdsFile(data, size)) {
        return invalid("missing \"DDS \" magic");
    }
    if (size < kDdsHeaderBytes) {
        return invalid("header truncated");
    }
    if (readU32(data + kOffHeaderSize) != kHeaderSize) {
        return invalid("bad header size");
    }
    *layout = DdsLayout{};
    ImageInfo& info = layout->info;
    info.imageFileFormat = ImageFileFormat::Dds;
    info.width = readU32(data + kOffWidth);
    info.height = readU32(data + kOffHeight);
    if (info.width < 1 || info.height < 1 || info.width > kMaxImageDimension || info.height > kMaxImageDimension) {
        return invalid("size out of range: " + std::to_string(info.width) + "x" + std::to_string(info.height));
    }
    const std::uint32_t flags = readU32(data + kOffFlags);
    const std::uint32_t caps = readU32(data + kOffCaps);
    const std::uint32_t caps2 = readU32(data + kOffCaps2);
    if (caps2 & kCaps2Volume) {
        return invalid("volume textures are not supported");
    }
    if (caps2 & kCaps2Cube) {
        if ((caps2 & kCaps2AllFaces) != kCaps2AllFaces) {
            return invalid("cube map without all six faces");
        }
        if (info.width != info.height) {
            return invalid("cube map faces are not square");
        }
        layout->faces = 6;
        info.resourceType = ResourceType::CubeTexture;
    }
    const std::uint32_t mipCount = readU32(data + kOffMipCount);
    info.mipLevels = ((flags & kFlagMipCount) || (caps & kCapsMipmap)) && mipCount > 0 ? mipCount : 1;
    if (info.mipLevels > fullMipChainLength(info.width, info.height)) {
        return invalid("mip count " + std::to_string(mipCount) + " exceeds the chain of a " +
                       std::to_string(info.width) + "x" + std::to_string(info.height) + " image");
    }
    ImageResult result = readPixelFormat(data, layout);
    if (!result.ok()) {
        return result;
    }
    std::uint64_t needed = 0;
    for (std::uint32_t level = 0; level < info.mipLevels; ++level) {
        needed += storedSurfaceBytes(*layout, levelSize(info.width, level), levelSize(info.height, level));
    }
    needed *= layout->faces;
    if (needed > size - kDdsHeaderBytes) {
        return invalid("data truncated: " + std::to_string(size - kDdsHeaderBytes) + " bytes of " +
                       std::to_string(needed));
    }
    return ImageResult::success();
}

// Scales a masked channel value to 0..255.
std::uint32_t expand(std::uint32_t pixel, std::uint32_t mask) {
    if (mask == 0) {
        return 0;
    }
    const int shift = std::countr_zero(mask);
    const std::uint32_t maximum = mask >> shift;
    return (((pixel & mask) >> shift) * 255 + maximum / 2) / maximum;
}

// Converts one stored surface of a masked format to A8R8G8B8 bytes.
std::vector<std::uint8_t> convertMasked(const MaskedFormat& masked, const std::uint8_t* in, std::uint32_t width,
                                        std::uint32_t height) {
    const std::size_t bytesPerPixel = masked.bits / 8;
    std::vector<std::uint8_t> out(std::size_t{width} * height * 4);
    for (std::size_t i = 0; i < std::size_t{width} * height; ++i) {
        std::uint32_t pixel = 0;
        for (std::size_t b = 0; b < bytesPerPixel; ++b) {
            pixel |= std::uint32_t(in[i * bytesPerPixel + b]) << (8 * b);
        }
        const std::uint32_t red = expand(pixel, masked.red);
        const std::uint32_t green = masked.luminance ? red : expand(pixel, masked.green);
        const std::uint32_t blue = masked.luminance ? red : expand(pixel, masked.blue);
        const std::uint32_t alpha = masked.alpha ? expand(pixel, masked.alpha) : 255;
        const std::uint32_t argb = alpha << 24 | red << 16 | green << 8 | blue;
        std::memcpy(out.data() + 4 * i, &argb, 4);
    }
    return out;
}

}  // namespace

bool isDdsFile(const std::uint8_t* data, std::size_t size) {
    return size >= 4 && std::memcmp(data, "DDS ", 4) == 0;
}

ImageResult readDdsInfo(const std::uint8_t* data, std::size_t size, ImageInfo* info) {
    DdsLayout layout;
    ImageResult result = readLayout(data, size, &layout);
    if (result.ok()) {
        *info = layout.info;
    }
    return result;
}

ImageResult readDds(const std::uint8_t* data, std::size_t size, Image* image, ImageInfo* info) {
    DdsLayout layout;
    ImageResult result = readLayout(data, size, &layout);
    if (!result.ok()) {
        return result;
    }
    *info = layout.info;
    Image out;
    out.width = layout.info.width;
    out.height = layout.info.height;
    out.mipLevels = layout.info.mipLevels;
    out.isCube = layout.faces == 6;
    out.format = layout.info.format;
    if (!formatIsSurfaceFormat(out.format)) {
        out.format = formatHasAlpha(out.format) ? Format::A8R8G8B8 : Format::X8R8G8B8;
    }
    const std::uint8_t* in = data + kDdsHeaderBytes;
    for (std::uint32_t face = 0; face < layout.faces; ++face) {
        for (std::uint32_t level = 0; level < out.mipLevels; ++level) {
            ImageSurface surface;
            surface.width = levelSize(out.width, level);
            surface.height = levelSize(out.height, level);
            const std::size_t stored = storedSurfaceBytes(layout, surface.width, surface.height);
            if (formatIsSurfaceFormat(layout.info.format)) {
                surface.bytes.assign(in, in + stored);
            } else {
                surface.bytes = convertMasked(*layout.masked, in, surface.width, surface.height);
            }
            in += stored;
            out.surfaces.push_back(std::move(surface));
        }
    }
    *image = std::move(out);
    return ImageResult::success();
}

ImageResult writeDds(const Image& image, std::vector<std::uint8_t>* file) {
    ImageResult result = checkImage(image);
    if (!result.ok()) {
        return result;
    }
    std::uint8_t header[kDdsHeaderBytes] = {'D', 'D', 'S', ' '};
    const bool compressed = formatIsCompressed(image.format);
    const bool mipmapped = image.mipLevels > 1;
    writeU32(header + kOffHeaderSize, kHeaderSize);
    writeU32(header + kOffFlags, kFlagCaps | kFlagHeight | kFlagWidth | kFlagPixelFormat |
                                     (compressed ? kFlagLinearSize : kFlagPitch) | (mipmapped ? kFlagMipCount : 0));
    writeU32(header + kOffHeight, image.height);
    writeU32(header + kOffWidth, image.width);
    writeU32(header + kOffPitch, std::uint32_t(compressed ? surfaceByteSize(image.format, image.width, image.height)
                                                          : surfaceRowPitch(image.format, image.width)));
    writeU32(header + kOffMipCount, image.mipLevels);
    writeU32(header + kOffPfSize, kPixelFormatSize);
    if (compressed) {
        writeU32(header + kOffPfFlags, kPfFourCc);
        writeU32(header + kOffFourCc, std::uint32_t(image.format));
    } else {
        const MaskedFormat& masked = *findMaskedFormat(image.format);
        writeU32(header + kOffPfFlags, kPfRgb | (masked.alpha ? kPfAlphaPixels : 0));
        writeU32(header + kOffBits, masked.bits);
        writeU32(header + kOffMasks, masked.red);
        writeU32(header + kOffMasks + 4, masked.green);
        writeU32(header + kOffMasks + 8, masked.blue);
        writeU32(header + kOffMasks + 12, masked.alpha);
    }
    writeU32(header + kOffCaps, kCapsTexture | (mipmapped || image.isCube ? kCapsComplex : 0) |
                                    (mipmapped ? kCapsMipmap : 0));
    writeU32(header + kOffCaps2, image.isCube ? kCaps2Cube | kCaps2AllFaces : 0);
    file->assign(header, header + kDdsHeaderBytes);
    for (const ImageSurface& surface : image.surfaces) {
        file->insert(file->end(), surface.bytes.begin(), surface.bytes.end());
    }
    return ImageResult::success();
}

}  // namespace d3dx
