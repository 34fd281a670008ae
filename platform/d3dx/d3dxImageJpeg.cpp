// JPEG through libjpeg-turbo's TurboJPEG interface: a decoder written for
// hostile input and fuzzed continuously where it is developed. Grey pictures
// give L8 information, all others X8R8G8B8; CMYK files (as Adobe writes
// them, inverted) are turned into RGB here.
#include "platform/d3dx/d3dxImageDecode.h"

#include <turbojpeg.h>

#include <string>
#include <utility>

namespace d3dx {

namespace {

// One decompressor per call keeps the readers thread-safe.
class Decompressor {
public:
    Decompressor() : handle_(tjInitDecompress()) {}
    ~Decompressor() {
        if (handle_ != nullptr) tjDestroy(handle_);
    }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    tjhandle get() const { return handle_; }
    std::string error() const { return tjGetErrorStr2(handle_); }

private:
    tjhandle handle_;
};

struct JpegHeader {
    int width = 0;
    int height = 0;
    int colourSpace = TJCS_RGB;
};

// The end-of-image marker must close the file: FF D9 never occurs inside
// entropy-coded data, where an FF is always followed by 00 or a restart
// marker, so a file cut short is refused before it is decoded.
bool jpegComplete(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = size; i-- > 2;) {
        if (data[i - 1] == 0xFF && data[i] == 0xD9) {
            return true;
        }
    }
    return false;
}

ImageResult readHeader(const Decompressor& decompressor, const std::uint8_t* data, std::size_t size,
                       JpegHeader* header, ImageInfo* info) {
    if (decompressor.get() == nullptr) {
        return ImageResult::failure(kResultOutOfMemory, "JPEG decoder not started");
    }
    int subsampling = 0;
    if (tjDecompressHeader3(decompressor.get(), data, static_cast<unsigned long>(size), &header->width,
                            &header->height, &subsampling, &header->colourSpace) != 0) {
        return ImageResult::failure(kResultInvalidData, "JPEG header not readable (" + decompressor.error() + ")");
    }
    ImageResult result = checkPictureSize(header->width, header->height);
    if (result.ok()) {
        info->width = std::uint32_t(header->width);
        info->height = std::uint32_t(header->height);
        info->format = formatOfChannels(header->colourSpace == TJCS_GRAY ? 1 : 3);
        info->imageFileFormat = ImageFileFormat::Jpg;
    }
    return result;
}

// C, M, Y, K in each pixel's four bytes (inverted, as Adobe writes them)
// become opaque 0xAARRGGBB in place.
void cmykToArgb(Bitmap* bitmap) {
    auto* bytes = reinterpret_cast<std::uint8_t*>(bitmap->pixels.data());
    for (std::uint32_t& pixel : bitmap->pixels) {
        const std::uint32_t k = bytes[3];
        auto channel = [k](std::uint32_t inverse) { return (inverse * k + 127) / 255; };
        pixel = 0xFF000000u | channel(bytes[0]) << 16 | channel(bytes[1]) << 8 | channel(bytes[2]);
        bytes += 4;
    }
}

}  // namespace

ImageResult readJpegInfo(const std::uint8_t* data, std::size_t size, ImageInfo* info) {
    Decompressor decompressor;
    JpegHeader header;
    return readHeader(decompressor, data, size, &header, info);
}

ImageResult readJpeg(const std::uint8_t* data, std::size_t size, Bitmap* bitmap, ImageInfo* info) {
    Decompressor decompressor;
    JpegHeader header;
    ImageResult result = readHeader(decompressor, data, size, &header, info);
    if (!result.ok()) {
        return result;
    }
    if (!jpegComplete(data, size)) {
        return ImageResult::failure(kResultInvalidData, kPictureTruncated);
    }
    const bool cmyk = header.colourSpace == TJCS_CMYK || header.colourSpace == TJCS_YCCK;
    // Memory order B, G, R, A is the bitmap's own layout, so the decoder
    // writes straight into it. Any warning (corrupt or missing data) stops
    // the decode: a partial picture is never loaded. Progressive files are
    // limited in their scan count, which bounds the time a crafted file takes.
    Bitmap decoded(std::uint32_t(header.width), std::uint32_t(header.height));
    if (tjDecompress2(decompressor.get(), data, static_cast<unsigned long>(size),
                      reinterpret_cast<unsigned char*>(decoded.pixels.data()), header.width, header.width * 4,
                      header.height, cmyk ? TJPF_CMYK : TJPF_BGRA, TJFLAG_STOPONWARNING | TJFLAG_LIMITSCANS) != 0) {
        return ImageResult::failure(kResultInvalidData, "JPEG data not readable (" + decompressor.error() + ")");
    }
    if (cmyk) {
        cmykToArgb(&decoded);
    }
    *bitmap = std::move(decoded);
    return ImageResult::success();
}

}  // namespace d3dx
