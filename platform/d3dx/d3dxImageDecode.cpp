// Picture readers chosen by the file's magic number.
#include "platform/d3dx/d3dxImageDecode.h"

#include <cstring>
#include <string>

namespace d3dx {

const char* const kPictureTruncated = "image file truncated: the header announces more data";

namespace {

struct PictureReader {
    ImageResult (*info)(const std::uint8_t* data, std::size_t size, ImageInfo* info);
    ImageResult (*read)(const std::uint8_t* data, std::size_t size, Bitmap* bitmap, ImageInfo* info);
};

PictureReader readerFor(ImageFileFormat fileFormat) {
    switch (fileFormat) {
        case ImageFileFormat::Png: return {readPngInfo, readPng};
        case ImageFileFormat::Jpg: return {readJpegInfo, readJpeg};
        case ImageFileFormat::Ppm: return {readPpmInfo, readPpm};
        default: return {readStbInfo, readStbImage};  // BMP and TGA
    }
}

}  // namespace

ImageFileFormat pictureFileFormat(const std::uint8_t* data, std::size_t size) {
    auto startsWith = [&](const char* magic, std::size_t length) {
        return size >= length && std::memcmp(data, magic, length) == 0;
    };
    if (startsWith("BM", 2)) return ImageFileFormat::Bmp;
    if (startsWith("\x89PNG", 4)) return ImageFileFormat::Png;
    if (startsWith("\xFF\xD8", 2)) return ImageFileFormat::Jpg;
    if (startsWith("P5", 2) || startsWith("P6", 2)) return ImageFileFormat::Ppm;
    return ImageFileFormat::Tga;
}

ImageResult readPictureInfo(const std::uint8_t* data, std::size_t size, ImageInfo* info) {
    *info = ImageInfo{};
    return readerFor(pictureFileFormat(data, size)).info(data, size, info);
}

ImageResult readPicture(const std::uint8_t* data, std::size_t size, Bitmap* bitmap, ImageInfo* info) {
    *info = ImageInfo{};
    return readerFor(pictureFileFormat(data, size)).read(data, size, bitmap, info);
}

ImageResult checkPictureSize(std::int64_t width, std::int64_t height) {
    if (width < 1 || height < 1 || width > std::int64_t{kMaxImageDimension} || height > std::int64_t{kMaxImageDimension}) {
        return ImageResult::failure(kResultInvalidData, "image size out of range: " + std::to_string(width) + "x" +
                                                            std::to_string(height));
    }
    return ImageResult::success();
}

Format formatOfChannels(int channels) {
    switch (channels) {
        case 1: return Format::L8;
        case 2: return Format::A8L8;
        case 3: return Format::X8R8G8B8;
        default: return Format::A8R8G8B8;
    }
}

}  // namespace d3dx
