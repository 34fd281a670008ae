// The vocabulary of the image functions: pixel formats, file formats, image
// information, filters and the result of a call.
//
// Values are those of Direct3D 9 and its extension library (D3DFORMAT,
// D3DXIMAGE_FILEFORMAT, D3DRESOURCETYPE, D3DX_FILTER_*), so that numbers kept
// in engine fields and files keep their meaning. Only the members the engine
// uses are defined.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

namespace d3dx {

// Pixel formats (D3DFORMAT values). Images in memory hold one of the five
// "surface formats" below; the others only describe what a file contains.
enum class Format : std::uint32_t {
    Unknown = 0,
    R8G8B8 = 20,
    A8R8G8B8 = 21,  // surface format: 4 bytes a pixel, memory order B, G, R, A
    X8R8G8B8 = 22,  // surface format: as A8R8G8B8, the fourth byte unused (reads as 255)
    R5G6B5 = 23,
    X1R5G5B5 = 24,
    A1R5G5B5 = 25,
    A4R4G4B4 = 26,
    A8 = 28,
    A8B8G8R8 = 32,
    X8B8G8R8 = 33,
    L8 = 50,
    A8L8 = 51,
    DXT1 = 0x31545844,  // surface format: 8 bytes a 4x4 block, 1-bit alpha
    DXT3 = 0x33545844,  // surface format: 16 bytes a block, explicit 4-bit alpha
    DXT5 = 0x35545844,  // surface format: 16 bytes a block, interpolated alpha
};

// True for formats whose pixels carry alpha (A8R8G8B8, DXT1 is not counted:
// its 1-bit alpha is a property of the data, not of the format).
bool formatHasAlpha(Format format);
// True for the block-compressed formats DXT1, DXT3 and DXT5.
bool formatIsCompressed(Format format);
// True for the formats an Image may hold (A8R8G8B8, X8R8G8B8, DXT1/3/5).
bool formatIsSurfaceFormat(Format format);
// Bytes of one surface of a surface format, or 0 for other formats. Blocks
// cover 4x4 pixels, so a 1x1 DXT1 surface takes one 8-byte block.
std::uint64_t surfaceByteSize(Format format, std::uint32_t width, std::uint32_t height);
// Bytes of one row of pixels (uncompressed) or of blocks (compressed).
std::uint64_t surfaceRowPitch(Format format, std::uint32_t width);
// The format's name as Direct3D spells it without the prefix ("DXT5").
const char* formatName(Format format);

// Image file formats (D3DXIMAGE_FILEFORMAT values).
enum class ImageFileFormat : std::uint32_t {
    Bmp = 0,
    Jpg = 1,
    Tga = 2,
    Png = 3,
    Dds = 4,
    Ppm = 5,
    Dib = 6,
};

// Resource types (D3DRESOURCETYPE values) an image file can describe.
enum class ResourceType : std::uint32_t {
    Texture = 3,
    CubeTexture = 5,
};

// What a file holds, read from its header without decoding the pixels
// (the shape of D3DXIMAGE_INFO).
struct ImageInfo {
    std::uint32_t width = 0;      // pixels
    std::uint32_t height = 0;     // pixels
    std::uint32_t depth = 1;      // always 1: volume textures are not read
    std::uint32_t mipLevels = 1;  // levels stored in the file (1 for all but DDS)
    Format format = Format::Unknown;  // the file's own pixel format
    ResourceType resourceType = ResourceType::Texture;
    ImageFileFormat imageFileFormat = ImageFileFormat::Bmp;
};

// Largest width or height accepted from a file or a caller. Files claiming
// more are refused before anything is allocated.
constexpr std::uint32_t kMaxImageDimension = 8192;

// Size and level arguments meaning "take it from the file" or "the whole
// chain" (D3DX_DEFAULT).
constexpr std::uint32_t kDefault = 0xFFFFFFFFu;

// Filters (D3DX_FILTER_* values). None and Point sample the nearest pixel;
// Linear, Triangle, Box and the default all filter linearly.
constexpr std::uint32_t kFilterNone = 1;
constexpr std::uint32_t kFilterPoint = 2;
constexpr std::uint32_t kFilterLinear = 3;
constexpr std::uint32_t kFilterTriangle = 4;
constexpr std::uint32_t kFilterBox = 5;

// Result codes the image functions return (HRESULT values).
constexpr std::int32_t kResultOk = 0;
constexpr std::int32_t kResultInvalidCall = static_cast<std::int32_t>(0x8876086Cu);   // D3DERR_INVALIDCALL
constexpr std::int32_t kResultInvalidData = static_cast<std::int32_t>(0x88760B59u);   // D3DXERR_INVALIDDATA
constexpr std::int32_t kResultOutOfMemory = static_cast<std::int32_t>(0x8007000Eu);   // E_OUTOFMEMORY
constexpr std::int32_t kResultFileNotFound = static_cast<std::int32_t>(0x80070002u);  // ERROR_FILE_NOT_FOUND
constexpr std::int32_t kResultFail = static_cast<std::int32_t>(0x80004005u);          // E_FAIL

// Outcome of an image call. Platform code does not log: on failure `reason`
// holds one line (no newline) for the caller to log, and `code` the result
// code the caller names in its own failure text.
struct ImageResult {
    std::int32_t code = kResultOk;
    std::string reason;

    bool ok() const { return code >= 0; }
    static ImageResult success() { return {}; }
    static ImageResult failure(std::int32_t code, std::string reason) { return {code, std::move(reason)}; }
};

}  // namespace d3dx
