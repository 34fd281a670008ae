// stb_image and stb_image_write behind the image functions. This is the one
// translation unit that holds their implementations.
#include "platform/d3dx/d3dxImageStb.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <string>

#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_ONLY_BMP
#define STBI_ONLY_PNG
#define STBI_ONLY_TGA
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNM
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

ImageFileFormat fileFormatOf(const std::uint8_t* data, std::size_t size) {
    auto startsWith = [&](const char* magic, std::size_t length) {
        return size >= length && std::memcmp(data, magic, length) == 0;
    };
    if (startsWith("BM", 2)) return ImageFileFormat::Bmp;
    if (startsWith("\x89PNG", 4)) return ImageFileFormat::Png;
    if (startsWith("\xFF\xD8", 2)) return ImageFileFormat::Jpg;
    if (startsWith("P5", 2) || startsWith("P6", 2)) return ImageFileFormat::Ppm;
    return ImageFileFormat::Tga;  // the one format without a magic number
}

Format formatOfChannels(int channels) {
    switch (channels) {
        case 1: return Format::L8;
        case 2: return Format::A8L8;
        case 3: return Format::X8R8G8B8;
        default: return Format::A8R8G8B8;
    }
}

std::string stbReason(const char* what) {
    return std::string(what) + " (" + stbi_failure_reason() + ")";
}

std::uint32_t readU16(const std::uint8_t* p) { return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8; }
std::uint32_t readU32(const std::uint8_t* p) { return readU16(p) | readU16(p + 2) << 16; }

// stb_image reads zeros past the end of a BMP, TGA or PPM and of JPEG scan
// data, so a truncated file would decode to a picture with a black tail.
// These checks walk the headers (and the RLE packets of a TGA) against the
// bytes present first.
const char* kTruncated = "image file truncated: the header announces more data";

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

bool jpegComplete(const std::uint8_t* data, std::size_t size) {
    // The end-of-image marker: FF D9 never occurs inside entropy-coded data,
    // where an FF is always followed by 00 or a restart marker.
    for (std::size_t i = size; i-- > 2;) {
        if (data[i - 1] == 0xFF && data[i] == 0xD9) {
            return true;
        }
    }
    return false;
}

// A 32-bit BI_RGB BMP whose fourth bytes are all 0 was written without
// alpha (stb_image then decodes it opaque), so its information must not
// claim an alpha channel. Scans the bytes present; decodes nothing.
bool bmpAlphaAllZero(const std::uint8_t* data, std::size_t size) {
    if (size < 34 || readU16(data + 28) != 32 || readU32(data + 30) != 0) {
        return false;
    }
    for (std::size_t at = std::size_t{readU32(data + 10)} + 3; at < size; at += 4) {
        if (data[at] != 0) {
            return false;
        }
    }
    return true;
}

// Returns the reason a PPM cannot be read, or null.
const char* pnmProblem(const std::uint8_t* data, std::size_t size) {
    // "P5" or "P6", then width, height and the largest sample value as text
    // separated by white space and comments, then one white-space byte.
    std::size_t at = 2;
    std::uint64_t fields[3] = {};
    for (std::uint64_t& field : fields) {
        while (at < size && (std::isspace(data[at]) || data[at] == '#')) {
            if (data[at] == '#') {
                while (at < size && data[at] != '\n' && data[at] != '\r') ++at;
            } else {
                ++at;
            }
        }
        for (; at < size && std::isdigit(data[at]) && field < (1u << 30); ++at) {
            field = field * 10 + (data[at] - '0');
        }
    }
    if (fields[2] > 255 || stbi_is_16_bit_from_memory(data, int(size))) {
        // stb_image converts 16-bit samples through an 8-bit buffer and reads
        // past its end; nothing the engine loads has them.
        return "16-bit PPM samples are not supported";
    }
    const std::uint64_t channels = data[1] == '5' ? 1 : 3;
    return at + 1 + fields[0] * fields[1] * channels <= size ? nullptr : kTruncated;
}

// Returns the reason the data cannot be handed to stb_image, or null.
const char* dataProblem(ImageFileFormat fileFormat, const std::uint8_t* data, std::size_t size) {
    switch (fileFormat) {
        case ImageFileFormat::Bmp: return bmpComplete(data, size) ? nullptr : kTruncated;
        case ImageFileFormat::Tga: return tgaComplete(data, size) ? nullptr : kTruncated;
        case ImageFileFormat::Jpg: return jpegComplete(data, size) ? nullptr : kTruncated;
        case ImageFileFormat::Ppm: return pnmProblem(data, size);
        default: return nullptr;  // the PNG decoder checks its own lengths
    }
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
    *info = ImageInfo{};
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data, int(size), &width, &height, &channels)) {
        return ImageResult::failure(kResultInvalidData, stbReason("image file not recognised"));
    }
    info->imageFileFormat = fileFormatOf(data, size);
    if (info->imageFileFormat == ImageFileFormat::Bmp && height < 0 && height > INT_MIN) {
        height = -height;  // a top-down BMP; stb_image's information passes the sign on
    }
    if (width < 1 || height < 1 || std::uint32_t(width) > kMaxImageDimension ||
        std::uint32_t(height) > kMaxImageDimension) {
        return ImageResult::failure(kResultInvalidData, "image size out of range: " + std::to_string(width) + "x" +
                                                            std::to_string(height));
    }
    info->width = std::uint32_t(width);
    info->height = std::uint32_t(height);
    info->format = formatOfChannels(channels);
    if (info->imageFileFormat == ImageFileFormat::Bmp && channels == 4 && bmpAlphaAllZero(data, size)) {
        info->format = Format::X8R8G8B8;
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
        case ImageFileFormat::Bmp:
        case ImageFileFormat::Dib:
            written = stbi_write_bmp_to_func(appendBytes, file, w, h, channels, pixels.data());
            break;
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
