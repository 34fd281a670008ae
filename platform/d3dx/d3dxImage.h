// Image files in and out: the CPU half of the extension library's texture
// and surface functions (image information, load from file or memory with
// scaling, mip generation and DXT compression, save to file or memory).
//
// Reads PNG (through libspng), JPEG (through libjpeg-turbo), BMP and TGA
// with RLE (through stb_image), binary PPM and PGM (our own reader) and DDS
// (2-D and cube maps, mip chains, DXT1/3/5 and the common uncompressed
// formats). Writes BMP, DIB, PNG, TGA, JPEG and PPM (through stb_image_write)
// and DDS (A8R8G8B8, X8R8G8B8 and DXT1/3/5, with every face and level).
//
// The device layer uploads an Image into a texture and reads surfaces back
// into one; nothing here touches a device or OpenGL.
//
// File contents are untrusted: every reader checks the header against the
// bytes present and refuses sizes beyond kMaxImageDimension before it
// allocates, so a truncated or lying file gives a failure, never a partial
// image. Files that begin with the engine's 8-byte scramble marker are refused
// (their block order is not known). No function logs: a failure returns a
// result code and a one-line reason for the caller to log. All functions are
// thread-safe.
#pragma once

#include "platform/d3dx/d3dxImageTypes.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace d3dx {

// One mip level of one face.
struct ImageSurface {
    std::uint32_t width = 0;   // pixels
    std::uint32_t height = 0;  // pixels
    // Pixels in the image's format: rows (of pixels, or of 4x4 blocks when
    // compressed) top to bottom, surfaceRowPitch bytes each, no padding;
    // surfaceByteSize(format, width, height) bytes in all.
    std::vector<std::uint8_t> bytes;
};

// A texture's worth of pixels: one face (or six for a cube map), each with
// mipLevels surfaces from the full size down.
struct Image {
    Format format = Format::Unknown;  // one of the surface formats (formatIsSurfaceFormat)
    std::uint32_t width = 0;          // pixels of level 0
    std::uint32_t height = 0;         // pixels of level 0
    std::uint32_t mipLevels = 0;      // levels of each face
    bool isCube = false;              // six faces, in the order +X, -X, +Y, -Y, +Z, -Z
    std::vector<ImageSurface> surfaces;  // face-major: face f, level l at f * mipLevels + l

    std::uint32_t faceCount() const { return isCube ? 6 : 1; }
    ImageSurface& surface(std::uint32_t face, std::uint32_t level) { return surfaces[face * mipLevels + level]; }
    const ImageSurface& surface(std::uint32_t face, std::uint32_t level) const {
        return surfaces[face * mipLevels + level];
    }
};

// What a load should produce (the size, level, format and filter arguments
// of the extension library's "Ex" load functions).
struct ImageLoadDesc {
    std::uint32_t width = kDefault;      // kDefault or 0: the file's width; else scaled to this
    std::uint32_t height = kDefault;     // kDefault or 0: the file's height
    std::uint32_t mipLevels = kDefault;  // kDefault or 0: the full chain; else at most this many
    Format format = Format::Unknown;     // Unknown: the file's format when it is a surface format,
                                         // else A8R8G8B8 or X8R8G8B8 by the file's alpha
    std::uint32_t filter = kFilterLinear;     // scaling filter (kFilter*)
    std::uint32_t mipFilter = kFilterLinear;  // filter that makes missing mip levels
    bool cube = false;                   // the file must be a cube map; all six faces are loaded
};

// True when the data begins with the 8-byte scramble marker.
bool isScrambledImage(const void* data, std::size_t size);

// Reads the file's information from its header, without decoding pixels.
ImageResult GetImageInfoFromFileInMemory(const void* data, std::size_t size, ImageInfo* info);
ImageResult GetImageInfoFromFile(const std::string& path, ImageInfo* info);

// Decodes the file and converts it as desc asks: scales each face to the
// asked size, keeps the file's own mip levels where they fit and makes the
// missing ones with the mip filter, and converts to the asked format
// (compressing to DXT where asked). info (optional) receives the file's
// information. A 2-D load of a cube map takes its first face. On failure
// *image is left empty.
ImageResult LoadImageFromFileInMemory(const void* data, std::size_t size, const ImageLoadDesc& desc, Image* image,
                                      ImageInfo* info = nullptr);
ImageResult LoadImageFromFile(const std::string& path, const ImageLoadDesc& desc, Image* image,
                              ImageInfo* info = nullptr);

// Converts an image to another size, level count or format, as a load with
// the same desc would (desc.cube is ignored; faces are kept).
ImageResult ConvertImage(const Image& source, const ImageLoadDesc& desc, Image* out);

// Checks that the image is whole: a surface format, sizes within
// kMaxImageDimension, 1 to the full chain of levels, and every face and level
// present with the size and byte count its place in the chain gives.
ImageResult checkImage(const Image& image);

// Encodes an image as a file. DDS keeps every face and level in the image's
// format; the other formats write level 0 of the first face, with alpha when
// the format carries it (BMP, PNG, TGA) and without it otherwise (JPEG, PPM).
ImageResult SaveImageToFileInMemory(std::vector<std::uint8_t>* file, ImageFileFormat fileFormat, const Image& image);
ImageResult SaveImageToFile(const std::string& path, ImageFileFormat fileFormat, const Image& image);

}  // namespace d3dx
