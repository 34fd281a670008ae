// PNG through libspng: a decoder written for hostile input (every length
// and checksum is checked, sizes are limited before allocation) and fuzzed
// continuously where it is developed. Gamma is not applied; transparency
// chunks become alpha.
#include "platform/d3dx/d3dxImageDecode.h"

#include <spng.h>

#include <string>
#include <utility>

namespace d3dx {

namespace {

// Ancillary chunks (text, colour profiles) are not used; this bounds the
// size of each and what the decoder keeps of them, however many a file
// holds. Image data chunks are not limited by it.
constexpr std::size_t kAncillaryChunkLimit = std::size_t{16} << 20;

// One context per call keeps the readers thread-safe.
class PngContext {
public:
    PngContext() : context_(spng_ctx_new(0)) {}
    ~PngContext() { spng_ctx_free(context_); }
    PngContext(const PngContext&) = delete;
    PngContext& operator=(const PngContext&) = delete;

    spng_ctx* get() const { return context_; }

private:
    spng_ctx* context_;
};

ImageResult failure(const char* what, int error) {
    return ImageResult::failure(kResultInvalidData, std::string(what) + " (" + spng_strerror(error) + ")");
}

// Channels as the file describes them: a tRNS chunk adds alpha to a grey,
// colour or palette picture.
int channelsOf(const spng_ihdr& header, bool transparency) {
    switch (header.color_type) {
        case SPNG_COLOR_TYPE_GRAYSCALE: return transparency ? 2 : 1;
        case SPNG_COLOR_TYPE_GRAYSCALE_ALPHA: return 2;
        case SPNG_COLOR_TYPE_TRUECOLOR_ALPHA: return 4;
        default: return transparency ? 4 : 3;  // truecolour and palette
    }
}

ImageResult readHeader(const PngContext& png, const std::uint8_t* data, std::size_t size, ImageInfo* info) {
    if (png.get() == nullptr) {
        return ImageResult::failure(kResultOutOfMemory, "PNG decoder not started");
    }
    int error = spng_set_png_buffer(png.get(), data, size);
    if (error == 0) error = spng_set_image_limits(png.get(), kMaxImageDimension, kMaxImageDimension);
    if (error == 0) error = spng_set_chunk_limits(png.get(), kAncillaryChunkLimit, kAncillaryChunkLimit);
    spng_ihdr header{};
    if (error == 0) error = spng_get_ihdr(png.get(), &header);
    if (error != 0) {
        return failure("PNG header not readable", error);
    }
    ImageResult result = checkPictureSize(header.width, header.height);
    if (!result.ok()) {
        return result;
    }
    spng_trns transparency{};
    error = spng_get_trns(png.get(), &transparency);
    if (error != 0 && error != SPNG_ECHUNKAVAIL) {
        return failure("PNG chunks not readable", error);
    }
    info->width = header.width;
    info->height = header.height;
    info->format = formatOfChannels(channelsOf(header, error == 0));
    info->imageFileFormat = ImageFileFormat::Png;
    return ImageResult::success();
}

}  // namespace

ImageResult readPngInfo(const std::uint8_t* data, std::size_t size, ImageInfo* info) {
    PngContext png;
    return readHeader(png, data, size, info);
}

ImageResult readPng(const std::uint8_t* data, std::size_t size, Bitmap* bitmap, ImageInfo* info) {
    PngContext png;
    ImageResult result = readHeader(png, data, size, info);
    if (!result.ok()) {
        return result;
    }
    Bitmap decoded(info->width, info->height);
    const std::size_t bytes = decoded.pixels.size() * 4;
    std::size_t needed = 0;
    int error = spng_decoded_image_size(png.get(), SPNG_FMT_RGBA8, &needed);
    if (error == 0 && needed != bytes) {
        return ImageResult::failure(kResultInvalidData, "PNG decoded size differs from its header");
    }
    if (error == 0) {
        error = spng_decode_image(png.get(), decoded.pixels.data(), bytes, SPNG_FMT_RGBA8, SPNG_DECODE_TRNS);
    }
    if (error != 0) {
        return failure("PNG data not readable", error);
    }
    // Memory order R, G, B, A to the bitmap's B, G, R, A, in place.
    auto* pixel = reinterpret_cast<std::uint8_t*>(decoded.pixels.data());
    for (std::size_t i = 0; i < bytes; i += 4) {
        std::swap(pixel[i], pixel[i + 2]);
    }
    *bitmap = std::move(decoded);
    return ImageResult::success();
}

}  // namespace d3dx
