// The image functions: file type dispatch, the load pipeline (decode, scale,
// mip chain, format conversion) and saving.
#include "platform/d3dx/d3dxImage.h"

#include "platform/d3dx/d3dxImageBmp.h"
#include "platform/d3dx/d3dxImageDecode.h"
#include "platform/d3dx/d3dxImageDxt.h"
#include "platform/d3dx/d3dxImageFilter.h"
#include "platform/d3dx/d3dxImageStb.h"
#include "platform/d3dx/ddsFile.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <fstream>
#include <iterator>

namespace d3dx {

static_assert(std::endian::native == std::endian::little,
              "Bitmap pixels are copied to A8R8G8B8 surfaces byte for byte");

namespace {

constexpr std::uint8_t kScrambleMarker[8] = {0x00, 0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40};

// Files larger than this are refused unread; a full 8192x8192 cube map with
// its mip chain in A8R8G8B8 stays well below it.
constexpr std::uint64_t kMaxFileBytes = 2048ull << 20;

const char* kScrambledReason = "scrambled image file refused: its block order is not known";

std::uint32_t levelSize(std::uint32_t size, std::uint32_t level) { return std::max(1u, size >> level); }

Bitmap surfaceToBitmap(const ImageSurface& surface, Format format) {
    if (formatIsCompressed(format)) {
        return decompressDxt(surface.bytes.data(), surface.width, surface.height, format);
    }
    Bitmap bitmap(surface.width, surface.height);
    std::memcpy(bitmap.pixels.data(), surface.bytes.data(), bitmap.pixels.size() * 4);
    if (format == Format::X8R8G8B8) {
        makeOpaque(bitmap);
    }
    return bitmap;
}

const std::uint8_t* bytesOf(const Bitmap& bitmap) { return reinterpret_cast<const std::uint8_t*>(bitmap.pixels.data()); }

ImageSurface bitmapToSurface(const Bitmap& bitmap, Format format) {
    const std::uint8_t* bytes = bytesOf(bitmap);
    ImageSurface surface{bitmap.width, bitmap.height, std::vector<std::uint8_t>(bytes, bytes + bitmap.pixels.size() * 4)};
    if (format == Format::X8R8G8B8) {
        for (std::size_t i = 3; i < surface.bytes.size(); i += 4) {
            surface.bytes[i] = 0xFF;
        }
    }
    return surface;
}

// The one-level image a picture of the file's own format decodes to, without its surface.
Image pictureImage(Format fileFormat, std::uint32_t width, std::uint32_t height) {
    Image image;
    image.format = formatHasAlpha(fileFormat) ? Format::A8R8G8B8 : Format::X8R8G8B8;
    image.width = width;
    image.height = height;
    image.mipLevels = 1;
    return image;
}

// Decodes a whole file into an image of a surface format.
ImageResult decodeFile(const std::uint8_t* data, std::size_t size, Image* image, ImageInfo* info) {
    if (isScrambledImage(data, size)) {
        return ImageResult::failure(kResultInvalidData, kScrambledReason);
    }
    if (isDdsFile(data, size)) {
        return readDds(data, size, image, info);
    }
    PlainBmp bmp;
    if (findPlainBmp(data, size, &bmp)) {
        // The common BMP layouts: decoded straight into the surface.
        *info = ImageInfo{};
        info->width = bmp.width;
        info->height = bmp.height;
        info->format = plainBmpFormat(data, bmp);
        info->imageFileFormat = ImageFileFormat::Bmp;
        *image = pictureImage(info->format, bmp.width, bmp.height);
        ImageSurface& surface = image->surfaces.emplace_back();
        surface = {bmp.width, bmp.height, std::vector<std::uint8_t>(surfaceByteSize(image->format, bmp.width, bmp.height))};
        readPlainBmp(data, bmp, image->format, surface.bytes.data());
        return ImageResult::success();
    }
    Bitmap bitmap;
    ImageResult result = readPicture(data, size, &bitmap, info);
    if (!result.ok()) {
        return result;
    }
    *image = pictureImage(info->format, bitmap.width, bitmap.height);
    image->surfaces.push_back(bitmapToSurface(bitmap, image->format));  // moved: a list initialiser would copy
    return ImageResult::success();
}

ImageResult readWholeFile(const std::string& path, std::vector<std::uint8_t>* bytes) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) {
        return ImageResult::failure(kResultFileNotFound, "image file not opened: " + path);
    }
    const std::streamoff length = in.tellg();
    if (length < 0 || std::uint64_t(length) > kMaxFileBytes) {
        return ImageResult::failure(kResultInvalidData, "image file too large: " + path);
    }
    bytes->resize(std::size_t(length));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes->data()), length)) {
        return ImageResult::failure(kResultFail, "image file not read: " + path);
    }
    return ImageResult::success();
}

std::uint32_t sizeOrDefault(std::uint32_t asked, std::uint32_t fallback) {
    return asked == 0 || asked == kDefault ? fallback : asked;
}

// The bitmaps of one face in the target size: the source's own levels where
// the size is unchanged, then levels made with the mip filter.
std::vector<Bitmap> targetLevels(const Image& source, std::uint32_t face, std::uint32_t width, std::uint32_t height,
                                 std::uint32_t levels, std::uint32_t firstToMake, const ImageLoadDesc& desc) {
    std::vector<Bitmap> bitmaps;
    if (firstToMake == 0) {
        bitmaps.push_back(surfaceToBitmap(source.surface(face, 0), source.format));
        if (width != source.width || height != source.height) {
            bitmaps.back() = resizeBitmap(bitmaps.back(), width, height, desc.filter);
        }
    } else {
        for (std::uint32_t level = 0; level < firstToMake; ++level) {
            bitmaps.push_back(surfaceToBitmap(source.surface(face, level), source.format));
        }
    }
    while (bitmaps.size() < levels) {
        bitmaps.push_back(nextMipLevel(bitmaps.back(), desc.mipFilter));
    }
    return bitmaps;
}

}  // namespace

bool isScrambledImage(const void* data, std::size_t size) {
    return size >= sizeof kScrambleMarker && std::memcmp(data, kScrambleMarker, sizeof kScrambleMarker) == 0;
}

ImageResult checkImage(const Image& image) {
    auto bad = [](const std::string& reason) { return ImageResult::failure(kResultInvalidCall, "image: " + reason); };
    if (!formatIsSurfaceFormat(image.format)) {
        return bad(std::string("format ") + formatName(image.format) + " cannot be held");
    }
    if (image.width < 1 || image.height < 1 || image.width > kMaxImageDimension ||
        image.height > kMaxImageDimension) {
        return bad("size out of range");
    }
    if (image.mipLevels < 1 || image.mipLevels > fullMipChainLength(image.width, image.height)) {
        return bad("bad mip level count");
    }
    if (image.isCube && image.width != image.height) {
        return bad("cube map faces are not square");
    }
    if (image.surfaces.size() != std::size_t{image.faceCount()} * image.mipLevels) {
        return bad("surface count does not match faces and levels");
    }
    for (std::uint32_t face = 0; face < image.faceCount(); ++face) {
        for (std::uint32_t level = 0; level < image.mipLevels; ++level) {
            const ImageSurface& surface = image.surface(face, level);
            if (surface.width != levelSize(image.width, level) || surface.height != levelSize(image.height, level) ||
                surface.bytes.size() != surfaceByteSize(image.format, surface.width, surface.height)) {
                return bad("surface " + std::to_string(face) + "/" + std::to_string(level) + " has the wrong size");
            }
        }
    }
    return ImageResult::success();
}

ImageResult GetImageInfoFromFileInMemory(const void* data, std::size_t size, ImageInfo* info) {
    if ((data == nullptr && size != 0) || info == nullptr) {
        return ImageResult::failure(kResultInvalidCall, "GetImageInfoFromFileInMemory: no data or no info");
    }
    if (size == 0) {
        return ImageResult::failure(kResultInvalidData, "image file is empty");
    }
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (isScrambledImage(bytes, size)) {
        return ImageResult::failure(kResultInvalidData, kScrambledReason);
    }
    if (isDdsFile(bytes, size)) {
        return readDdsInfo(bytes, size, info);
    }
    return readPictureInfo(bytes, size, info);
}

ImageResult GetImageInfoFromFile(const std::string& path, ImageInfo* info) {
    std::vector<std::uint8_t> bytes;
    ImageResult result = readWholeFile(path, &bytes);
    return result.ok() ? GetImageInfoFromFileInMemory(bytes.data(), bytes.size(), info) : result;
}

namespace {

// ConvertImage; surfaces kept as they stand are moved out of `takeFrom` (the
// source itself, or null to copy them), which saves a copy of every pixel of
// a load that asks for the file's own size and format.
ImageResult convertImage(const Image& source, Image* takeFrom, const ImageLoadDesc& desc, Image* out) {
    ImageResult result = checkImage(source);
    if (!result.ok()) {
        return result;
    }
    const Format format = desc.format == Format::Unknown ? source.format : desc.format;
    if (!formatIsSurfaceFormat(format)) {
        return ImageResult::failure(kResultInvalidCall,
                                    std::string("cannot convert an image to ") + formatName(format));
    }
    const std::uint32_t width = sizeOrDefault(desc.width, source.width);
    const std::uint32_t height = sizeOrDefault(desc.height, source.height);
    if (width > kMaxImageDimension || height > kMaxImageDimension || (source.isCube && width != height)) {
        return ImageResult::failure(kResultInvalidCall, "asked image size out of range: " + std::to_string(width) +
                                                            "x" + std::to_string(height));
    }
    const std::uint32_t chain = fullMipChainLength(width, height);
    const std::uint32_t levels = std::min(sizeOrDefault(desc.mipLevels, chain), chain);
    const bool sameSize = width == source.width && height == source.height;
    // Levels of the source that can be taken over: all that exist at the
    // asked size, byte for byte when the format is unchanged too.
    const std::uint32_t kept = sameSize ? std::min(levels, source.mipLevels) : 0;
    const bool copyKept = format == source.format;

    Image image;
    image.format = format;
    image.width = width;
    image.height = height;
    image.mipLevels = levels;
    image.isCube = source.isCube;
    image.surfaces.resize(std::size_t{image.faceCount()} * levels);
    std::vector<Bitmap> toCompress;
    std::vector<ImageSurface*> compressedTargets;
    for (std::uint32_t face = 0; face < image.faceCount(); ++face) {
        std::uint32_t firstToMake = 0;
        if (copyKept) {
            // Levels still to make are made from the kept ones, so those are moved only when none is made.
            Image* movable = kept == levels ? takeFrom : nullptr;
            for (; firstToMake < kept; ++firstToMake) {
                if (movable) {
                    image.surface(face, firstToMake) = std::move(movable->surface(face, firstToMake));
                } else {
                    image.surface(face, firstToMake) = source.surface(face, firstToMake);
                }
            }
            if (firstToMake == levels) {
                continue;
            }
        }
        std::vector<Bitmap> bitmaps = targetLevels(source, face, width, height, levels,
                                                   copyKept ? firstToMake : kept, desc);
        for (std::uint32_t level = copyKept ? firstToMake : 0; level < levels; ++level) {
            ImageSurface& surface = image.surface(face, level);
            if (formatIsCompressed(format)) {
                surface.width = bitmaps[level].width;
                surface.height = bitmaps[level].height;
                toCompress.push_back(std::move(bitmaps[level]));
                compressedTargets.push_back(&surface);
            } else {
                surface = bitmapToSurface(bitmaps[level], format);
            }
        }
    }
    std::vector<std::vector<std::uint8_t>> blocks = compressDxt(toCompress, format);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        compressedTargets[i]->bytes = std::move(blocks[i]);
    }
    *out = std::move(image);
    return ImageResult::success();
}

}  // namespace

ImageResult ConvertImage(const Image& source, const ImageLoadDesc& desc, Image* out) {
    return convertImage(source, nullptr, desc, out);
}

ImageResult LoadImageFromFileInMemory(const void* data, std::size_t size, const ImageLoadDesc& desc, Image* image,
                                      ImageInfo* info) {
    if ((data == nullptr && size != 0) || image == nullptr) {
        return ImageResult::failure(kResultInvalidCall, "LoadImageFromFileInMemory: no data or no image");
    }
    *image = Image{};
    if (size == 0) {
        return ImageResult::failure(kResultInvalidData, "image file is empty");
    }
    Image decoded;
    ImageInfo fileInfo;
    ImageResult result = decodeFile(static_cast<const std::uint8_t*>(data), size, &decoded, &fileInfo);
    if (!result.ok()) {
        return result;
    }
    if (desc.cube && !decoded.isCube) {
        return ImageResult::failure(kResultInvalidData, "image file is not a cube map");
    }
    if (!desc.cube && decoded.isCube) {
        // A 2-D texture from a cube map takes its first face.
        decoded.isCube = false;
        decoded.surfaces.resize(decoded.mipLevels);
    }
    result = convertImage(decoded, &decoded, desc, image);
    if (result.ok() && info != nullptr) {
        *info = fileInfo;
    }
    return result;
}

ImageResult LoadImageFromFile(const std::string& path, const ImageLoadDesc& desc, Image* image, ImageInfo* info) {
    std::vector<std::uint8_t> bytes;
    ImageResult result = readWholeFile(path, &bytes);
    if (!result.ok()) {
        if (image != nullptr) {
            *image = Image{};
        }
        return result;
    }
    return LoadImageFromFileInMemory(bytes.data(), bytes.size(), desc, image, info);
}

ImageResult SaveImageToFileInMemory(std::vector<std::uint8_t>* file, ImageFileFormat fileFormat, const Image& image) {
    if (file == nullptr) {
        return ImageResult::failure(kResultInvalidCall, "SaveImageToFileInMemory: no output");
    }
    file->clear();
    if (fileFormat == ImageFileFormat::Dds) {
        return writeDds(image, file);
    }
    ImageResult result = checkImage(image);
    if (!result.ok()) {
        return result;
    }
    const ImageSurface& top = image.surface(0, 0);
    const bool bmp = fileFormat == ImageFileFormat::Bmp || fileFormat == ImageFileFormat::Dib;
    if (bmp && !formatIsCompressed(image.format)) {
        // The surface's bytes are already in BMP's order: written as they stand.
        writeBmp(top.bytes.data(), top.width, top.height, formatHasAlpha(image.format), file);
        return ImageResult::success();
    }
    const Bitmap bitmap = surfaceToBitmap(top, image.format);
    const bool withAlpha = formatHasAlpha(image.format) || (image.format == Format::DXT1 && hasTransparency(bitmap));
    if (bmp) {
        writeBmp(bytesOf(bitmap), bitmap.width, bitmap.height, withAlpha, file);
        return ImageResult::success();
    }
    return writeStbImage(fileFormat, bitmap, withAlpha, file);
}

ImageResult SaveImageToFile(const std::string& path, ImageFileFormat fileFormat, const Image& image) {
    std::vector<std::uint8_t> bytes;
    ImageResult result = SaveImageToFileInMemory(&bytes, fileFormat, image);
    if (!result.ok()) {
        return result;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size())) ||
        !out.flush()) {
        return ImageResult::failure(kResultFail, "image file not written: " + path);
    }
    return ImageResult::success();
}

}  // namespace d3dx
