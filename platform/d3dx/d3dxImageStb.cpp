// stb_image and stb_image_write behind the image functions. This is the one
// translation unit that holds their implementations. stb_image reads only
// BMP (all but the uncompressed layouts d3dxImageBmp.h reads) and TGA,
// behind the checks below; the other formats have readers made for hostile
// input (d3dxImageDecode.h).
#include "platform/d3dx/d3dxImageStb.h"

#include "platform/d3dx/d3dxImageBmp.h"
#include "platform/d3dx/d3dxImageDecode.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_ONLY_BMP
#define STBI_ONLY_TGA
#define STBI_MAX_DIMENSIONS 8192
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#define STBI_WRITE_NO_STDIO
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace d3dx {

static_assert(STBI_MAX_DIMENSIONS == kMaxImageDimension, "stb_image must refuse what the readers refuse");

namespace {

std::string stbReason(const char* what) {
    return std::string(what) + " (" + stbi_failure_reason() + ")";
}

std::uint32_t readU16(const std::uint8_t* p) { return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8; }
std::uint32_t readU32(const std::uint8_t* p) { return readU16(p) | readU16(p + 2) << 16; }

// stb_image reads zeros past the end of a BMP or TGA, so a truncated file
// would decode to a picture with a black tail. These checks walk the headers
// (and the RLE packets of a TGA) against the bytes present first.

bool bmpComplete(const std::uint8_t* data, std::size_t size) {
    if (size < 26) {
        return false;
    }
    const std::uint32_t pixelOffset = readU32(data + 10);
    const std::uint32_t headerSize = readU32(data + 14);
    if (headerSize == 12) {  // OS/2 core header: 16-bit sizes, no compression
        const std::uint64_t rowBytes = (std::uint64_t{readU16(data + 18)} * readU16(data + 24) + 31) / 32 * 4;
        return pixelOffset + rowBytes * readU16(data + 20) <= size;
    }
    if (size < 34) {
        return false;
    }
    const std::uint32_t compression = readU32(data + 30);
    if (compression != 0 && compression != 3 && compression != 6) {
        return true;  // RLE and embedded formats: stb_image refuses them itself
    }
    const auto width = std::int64_t(std::int32_t(readU32(data + 18)));
    const auto height = std::int64_t(std::int32_t(readU32(data + 22)));
    const std::uint64_t rowBytes = (std::uint64_t(width < 0 ? -width : width) * readU16(data + 28) + 31) / 32 * 4;
    return pixelOffset + rowBytes * std::uint64_t(height < 0 ? -height : height) <= size;
}

bool tgaComplete(const std::uint8_t* data, std::size_t size) {
    if (size < 18) {
        return false;
    }
    const std::uint32_t type = data[2];
    const std::uint64_t pixels = std::uint64_t{readU16(data + 12)} * readU16(data + 14);
    const std::uint64_t pixelBytes = (data[16] + 7u) / 8;
    const std::uint64_t mapBytes = data[1] ? std::uint64_t{readU16(data + 5)} * ((data[7] + 7u) / 8) : 0;
    std::uint64_t at = 18 + data[0] + mapBytes;
    if (type < 8) {
        return at + pixels * pixelBytes <= size;
    }
    // RLE: a packet header byte, then one pixel (a run) or n pixels (raw).
    for (std::uint64_t left = pixels; left > 0;) {
        if (at >= size) {
            return false;
        }
        const std::uint8_t packet = data[at++];
        const std::uint64_t count = (packet & 0x7Fu) + 1;
        at += (packet & 0x80) ? pixelBytes : count * pixelBytes;
        left -= std::min(left, count);
    }
    return at <= size;
}

// Returns the reason the data cannot be handed to stb_image, or null.
const char* dataProblem(ImageFileFormat fileFormat, const std::uint8_t* data, std::size_t size) {
    const bool complete = fileFormat == ImageFileFormat::Bmp ? bmpComplete(data, size) : tgaComplete(data, size);
    return complete ? nullptr : kPictureTruncated;
}

void appendBytes(void* context, void* data, int size) {
    auto* file = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    file->insert(file->end(), bytes, bytes + size);
}

}  // namespace

ImageResult readStbInfo(const std::uint8_t* data, std::size_t size, ImageInfo* info) {
    if (size > INT_MAX) {
        return ImageResult::failure(kResultInvalidData, "image file too large");
    }
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data, int(size), &width, &height, &channels)) {
        return ImageResult::failure(kResultInvalidData, stbReason("image file not recognised"));
    }
    info->imageFileFormat = pictureFileFormat(data, size);
    if (info->imageFileFormat == ImageFileFormat::Bmp && height < 0 && height > INT_MIN) {
        height = -height;  // a top-down BMP; stb_image's information passes the sign on
    }
    ImageResult result = checkPictureSize(width, height);
    if (!result.ok()) {
        return result;
    }
    info->width = std::uint32_t(width);
    info->height = std::uint32_t(height);
    info->format = formatOfChannels(channels);
    PlainBmp bmp;
    if (info->imageFileFormat == ImageFileFormat::Bmp && findPlainBmp(data, size, &bmp)) {
        info->format = plainBmpFormat(data, bmp);  // a 32-bit file written without alpha has its fourth bytes 0
    }
    return ImageResult::success();
}

ImageResult readStbImage(const std::uint8_t* data, std::size_t size, Bitmap* bitmap, ImageInfo* info) {
    ImageResult result = readStbInfo(data, size, info);
    if (!result.ok()) {
        return result;
    }
    if (const char* problem = dataProblem(info->imageFileFormat, data, size)) {
        return ImageResult::failure(kResultInvalidData, problem);
    }
    int width = 0, height = 0, channels = 0;
    stbi_uc* rgba = stbi_load_from_memory(data, int(size), &width, &height, &channels, 4);
    if (rgba == nullptr) {
        return ImageResult::failure(kResultInvalidData, stbReason("image data not readable"));
    }
    if (std::uint32_t(width) != info->width || std::uint32_t(height) != info->height) {
        stbi_image_free(rgba);
        return ImageResult::failure(kResultInvalidData, "image size differs between header and data");
    }
    *bitmap = Bitmap(info->width, info->height);
    for (std::size_t i = 0; i < bitmap->pixels.size(); ++i) {
        const stbi_uc* p = rgba + 4 * i;
        bitmap->pixels[i] = std::uint32_t(p[3]) << 24 | std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
    }
    stbi_image_free(rgba);
    return ImageResult::success();
}

ImageResult writeStbImage(ImageFileFormat fileFormat, const Bitmap& bitmap, bool withAlpha,
                          std::vector<std::uint8_t>* file) {
    if (bitmap.width < 1 || bitmap.height < 1 || bitmap.width > kMaxImageDimension ||
        bitmap.height > kMaxImageDimension) {
        return ImageResult::failure(kResultInvalidCall, "image size out of range for writing");
    }
    const bool alpha = withAlpha && fileFormat != ImageFileFormat::Jpg && fileFormat != ImageFileFormat::Ppm;
    const int channels = alpha ? 4 : 3;
    std::vector<std::uint8_t> pixels(bitmap.pixels.size() * std::size_t(channels));
    for (std::size_t i = 0; i < bitmap.pixels.size(); ++i) {
        const std::uint32_t pixel = bitmap.pixels[i];
        std::uint8_t* p = pixels.data() + i * std::size_t(channels);
        p[0] = std::uint8_t(pixel >> 16);
        p[1] = std::uint8_t(pixel >> 8);
        p[2] = std::uint8_t(pixel);
        if (alpha) {
            p[3] = std::uint8_t(pixel >> 24);
        }
    }
    const int w = int(bitmap.width), h = int(bitmap.height);
    file->clear();
    int written = 0;
    switch (fileFormat) {
        case ImageFileFormat::Png:
            written = stbi_write_png_to_func(appendBytes, file, w, h, channels, pixels.data(), w * channels);
            break;
        case ImageFileFormat::Tga:
            written = stbi_write_tga_to_func(appendBytes, file, w, h, channels, pixels.data());
            break;
        case ImageFileFormat::Jpg:
            written = stbi_write_jpg_to_func(appendBytes, file, w, h, channels, pixels.data(), 90);
            break;
        case ImageFileFormat::Ppm: {
            // Binary PPM: a text header, then R, G, B rows top to bottom.
            const std::string header = "P6\n" + std::to_string(w) + " " + std::to_string(h) + "\n255\n";
            file->assign(header.begin(), header.end());
            file->insert(file->end(), pixels.begin(), pixels.end());
            written = 1;
            break;
        }
        case ImageFileFormat::Bmp:  // written without stb_image_write (d3dxImageBmp.h)
        case ImageFileFormat::Dib:
        case ImageFileFormat::Dds:
            break;
    }
    if (!written) {
        file->clear();
        return ImageResult::failure(kResultFail, "image could not be encoded");
    }
    return ImageResult::success();
}

}  // namespace d3dx
