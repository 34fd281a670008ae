// Binary PPM ("P6", colour) and PGM ("P5", grey): a text header of width,
// height and the largest sample value, separated by white space and
// comments, then one white-space byte and one byte a sample, rows top to
// bottom. Read here rather than by a general-purpose decoder so that every
// number is bounded while it is parsed and the samples are checked against
// the bytes present before anything is allocated.
#include "platform/d3dx/d3dxImageDecode.h"

#include <string>

namespace d3dx {

namespace {

// Two-byte samples are refused; nothing the engine loads has them.
constexpr std::uint32_t kMaxSampleValue = 255;

struct PpmHeader {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t maxValue = 0;
    std::uint32_t channels = 0;  // 1 (P5) or 3 (P6)
    std::size_t samplesAt = 0;   // offset of the first sample
};

bool isSpace(std::uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(std::uint8_t c) { return c >= '0' && c <= '9'; }

ImageResult malformed(const std::string& what) {
    return ImageResult::failure(kResultInvalidData, "PPM header malformed: " + what);
}

// Skips white space and comments ('#' to the end of the line); true when at
// least one byte was skipped.
bool skipSeparator(const std::uint8_t* data, std::size_t size, std::size_t* at) {
    const std::size_t start = *at;
    while (*at < size && (isSpace(data[*at]) || data[*at] == '#')) {
        if (data[*at] == '#') {
            while (*at < size && data[*at] != '\n' && data[*at] != '\r') ++*at;
        } else {
            ++*at;
        }
    }
    return *at > start;
}

// Reads a decimal number of at most `limit`, stopping as soon as it passes
// the limit, so no digit count can overflow it.
ImageResult readNumber(const std::uint8_t* data, std::size_t size, std::size_t* at, std::uint32_t limit,
                       const char* name, std::uint32_t* value) {
    if (!skipSeparator(data, size, at) || *at >= size || !isDigit(data[*at])) {
        return malformed(std::string("no ") + name);
    }
    std::uint32_t number = 0;
    for (; *at < size && isDigit(data[*at]); ++*at) {
        number = number * 10 + (data[*at] - '0');
        if (number > limit) {
            return malformed(std::string(name) + " larger than " + std::to_string(limit));
        }
    }
    *value = number;
    return ImageResult::success();
}

ImageResult readHeader(const std::uint8_t* data, std::size_t size, PpmHeader* header) {
    if (size < 2 || data[0] != 'P' || (data[1] != '5' && data[1] != '6')) {
        return malformed("not a binary PPM or PGM file");
    }
    header->channels = data[1] == '5' ? 1 : 3;
    std::size_t at = 2;
    // Sample values up to 65535 are well-formed; the two-byte ones get their
    // own reason below.
    ImageResult result = readNumber(data, size, &at, kMaxImageDimension, "width", &header->width);
    if (result.ok()) result = readNumber(data, size, &at, kMaxImageDimension, "height", &header->height);
    if (result.ok()) result = readNumber(data, size, &at, 65535, "largest sample value", &header->maxValue);
    if (!result.ok()) {
        return result;
    }
    if (at >= size || !isSpace(data[at])) {
        return malformed("no white space before the samples");
    }
    header->samplesAt = at + 1;
    if (header->maxValue == 0) {
        return malformed("largest sample value is 0");
    }
    if (header->maxValue > kMaxSampleValue) {
        return ImageResult::failure(kResultInvalidData, "16-bit PPM samples are not supported");
    }
    return checkPictureSize(header->width, header->height);
}

void fillInfo(const PpmHeader& header, ImageInfo* info) {
    info->width = header.width;
    info->height = header.height;
    info->format = formatOfChannels(int(header.channels));
    info->imageFileFormat = ImageFileFormat::Ppm;
}

}  // namespace

ImageResult readPpmInfo(const std::uint8_t* data, std::size_t size, ImageInfo* info) {
    PpmHeader header;
    ImageResult result = readHeader(data, size, &header);
    if (result.ok()) {
        fillInfo(header, info);
    }
    return result;
}

ImageResult readPpm(const std::uint8_t* data, std::size_t size, Bitmap* bitmap, ImageInfo* info) {
    PpmHeader header;
    ImageResult result = readHeader(data, size, &header);
    if (!result.ok()) {
        return result;
    }
    const std::size_t pixelCount = std::size_t{header.width} * header.height;
    if (pixelCount * header.channels > size - header.samplesAt) {
        return ImageResult::failure(kResultInvalidData, kPictureTruncated);
    }
    fillInfo(header, info);
    // Samples are scaled from 0..maxValue to 0..255 (the identity for the
    // usual 255); a sample above maxValue is taken as maxValue.
    std::uint8_t scale[256];
    for (std::uint32_t v = 0; v < 256; ++v) {
        const std::uint32_t clamped = v < header.maxValue ? v : header.maxValue;
        scale[v] = std::uint8_t((clamped * 255 + header.maxValue / 2) / header.maxValue);
    }
    *bitmap = Bitmap(header.width, header.height);
    const std::uint8_t* sample = data + header.samplesAt;
    for (std::uint32_t& pixel : bitmap->pixels) {
        const std::uint32_t r = scale[sample[0]];
        const std::uint32_t g = header.channels == 3 ? scale[sample[1]] : r;
        const std::uint32_t b = header.channels == 3 ? scale[sample[2]] : r;
        pixel = 0xFF000000u | r << 16 | g << 8 | b;
        sample += header.channels;
    }
    return ImageResult::success();
}

}  // namespace d3dx
