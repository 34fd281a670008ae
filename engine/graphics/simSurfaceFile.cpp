#include "engine/graphics/simSurfaceFile.h"

#include <cstring>

#include "platform/d3dx/d3dxImage.h"
#include "platform/gfx/device.h"

using namespace gfx;

namespace {

bool fail(std::string* reason, const std::string& text) {
    if (reason) *reason = text;
    return false;
}

// The image format of a surface the editors keep pictures in, or Unknown.
d3dx::Format imageFormat(D3DFORMAT format) {
    if (format == D3DFMT_A8R8G8B8) return d3dx::Format::A8R8G8B8;
    if (format == D3DFMT_X8R8G8B8) return d3dx::Format::X8R8G8B8;
    return d3dx::Format::Unknown;
}

// The image format a surface can be read back in: the editors' formats and
// the compressed ones textures are loaded in, kept as blocks.
d3dx::Format readableFormat(D3DFORMAT format) {
    if (format == D3DFMT_DXT1) return d3dx::Format::DXT1;
    if (format == D3DFMT_DXT5) return d3dx::Format::DXT5;
    return imageFormat(format);
}

// Copies rows between a locked surface and a tightly packed picture.
void copyRows(uint8_t* to, size_t toPitch, const uint8_t* from, size_t fromPitch, size_t rowBytes, uint32_t rows) {
    for (uint32_t row = 0; row < rows; ++row) std::memcpy(to + row * toPitch, from + row * fromPitch, rowBytes);
}

}  // namespace

bool simReadSurface(Device& device, SurfaceHandle surface, d3dx::Image& picture, std::string* reason) {
    D3DSURFACE_DESC desc;
    if (FAILED(device.GetDesc(surface, &desc))) return fail(reason, "the surface is gone");
    picture = d3dx::Image{};
    picture.format = readableFormat(desc.Format);
    if (picture.format == d3dx::Format::Unknown) return fail(reason, "the surface's format cannot be saved");
    picture.width = desc.Width;
    picture.height = desc.Height;
    picture.mipLevels = 1;
    picture.surfaces.resize(1);
    d3dx::ImageSurface& pixels = picture.surfaces[0];
    pixels.width = desc.Width;
    pixels.height = desc.Height;
    // Rows of pixels, or of 4 x 4 blocks for a compressed surface.
    const size_t rowBytes = d3dx::surfaceRowPitch(picture.format, desc.Width);
    const uint32_t rows = d3dx::formatIsCompressed(picture.format) ? (desc.Height + 3) / 4 : desc.Height;
    pixels.bytes.resize(rowBytes * rows);
    D3DLOCKED_RECT locked{};
    if (FAILED(device.LockRect(surface, &locked, nullptr, D3DLOCK_READONLY)))
        return fail(reason, "the surface cannot be read");
    copyRows(pixels.bytes.data(), rowBytes, static_cast<const uint8_t*>(locked.pBits), size_t(locked.Pitch),
             rowBytes, rows);
    return SUCCEEDED(device.UnlockRect(surface)) || fail(reason, "the surface cannot be read");
}

bool simReadTexture(Device& device, TextureHandle texture, bool cube, d3dx::Image& picture, std::string* reason) {
    d3dx::Image whole;
    whole.isCube = cube;
    for (uint32_t face = 0; face < whole.faceCount(); ++face) {
        SurfaceHandle surface;
        const HRESULT got = cube ? device.GetCubeMapSurface(texture, static_cast<D3DCUBEMAP_FACES>(face), 0, &surface)
                                 : device.GetSurfaceLevel(texture, 0, &surface);
        if (FAILED(got)) return fail(reason, "the texture is gone");
        d3dx::Image one;
        const bool read = simReadSurface(device, surface, one, reason);
        device.Release(surface);
        if (!read) return false;
        whole.format = one.format;
        whole.width = one.width;
        whole.height = one.height;
        whole.mipLevels = 1;
        whole.surfaces.push_back(std::move(one.surfaces[0]));
    }
    picture = std::move(whole);
    return true;
}

bool simSaveSurfaceToFileInMemory(Device& device, SurfaceHandle surface, d3dx::ImageFileFormat format,
                                  std::vector<uint8_t>& file, std::string* reason) {
    d3dx::Image picture;
    if (!simReadSurface(device, surface, picture, reason)) return false;
    const d3dx::ImageResult saved = d3dx::SaveImageToFileInMemory(&file, format, picture);
    return saved.ok() || fail(reason, saved.reason);
}

bool simLoadSurfaceFromFileInMemory(Device& device, SurfaceHandle surface, const uint8_t* data, size_t size,
                                    std::string* reason) {
    D3DSURFACE_DESC desc;
    if (FAILED(device.GetDesc(surface, &desc))) return fail(reason, "the surface is gone");
    d3dx::ImageLoadDesc load;
    load.width = desc.Width;
    load.height = desc.Height;
    load.mipLevels = 1;
    load.format = imageFormat(desc.Format);
    if (load.format == d3dx::Format::Unknown) return fail(reason, "the surface's format cannot be loaded");
    d3dx::Image picture;
    const d3dx::ImageResult loaded = d3dx::LoadImageFromFileInMemory(data, size, load, &picture);
    if (!loaded.ok()) return fail(reason, loaded.reason);
    D3DLOCKED_RECT locked{};
    if (FAILED(device.LockRect(surface, &locked, nullptr, 0))) return fail(reason, "the surface cannot be written");
    const size_t rowBytes = size_t(desc.Width) * 4;
    copyRows(static_cast<uint8_t*>(locked.pBits), size_t(locked.Pitch), picture.surfaces[0].bytes.data(), rowBytes,
             rowBytes, desc.Height);
    return SUCCEEDED(device.UnlockRect(surface)) || fail(reason, "the surface cannot be written");
}
