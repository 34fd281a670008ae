#include "engine/graphics/simTextureUpload.h"

#include <algorithm>
#include <cstring>

#include "platform/d3dx/d3dxImage.h"
#include "platform/gfx/device.h"

using namespace gfx;

namespace {

// Copies one surface of the image into a locked level, row by row (rows of
// blocks for DXT): the device's pitch may be wider than the image's rows.
HRESULT copySurface(const d3dx::ImageSurface& surface, d3dx::Format format, const D3DLOCKED_RECT& locked) {
    const uint64_t rowBytes = d3dx::surfaceRowPitch(format, surface.width);
    if (rowBytes == 0 || locked.Pitch < 0 || uint64_t(locked.Pitch) < rowBytes) return D3DERR_INVALIDCALL;
    const uint64_t rows = surface.bytes.size() / rowBytes;
    for (uint64_t row = 0; row < rows; ++row)
        std::memcpy(static_cast<uint8_t*>(locked.pBits) + row * uint64_t(locked.Pitch),
                    surface.bytes.data() + row * rowBytes, rowBytes);
    return D3D_OK;
}

HRESULT decode(const uint8_t* data, size_t size, const simTextureRequest& request, bool cube, d3dx::Image* image,
               std::string* reason) {
    d3dx::ImageLoadDesc desc;
    desc.width = cube ? d3dx::kDefault : request.width;
    desc.height = cube ? d3dx::kDefault : request.height;
    desc.mipLevels = std::max(request.mipLevels, 1u);
    desc.format = static_cast<d3dx::Format>(request.format);
    desc.filter = d3dx::kFilterLinear;
    desc.mipFilter = d3dx::kFilterLinear;
    desc.cube = cube;
    const d3dx::ImageResult result = d3dx::LoadImageFromFileInMemory(data, size, desc, image);
    if (result.ok()) return D3D_OK;
    if (reason) *reason = result.reason.empty() ? "the image could not be decoded" : result.reason;
    return result.code;
}

}  // namespace

HRESULT simCreateTextureFromFileInMemory(Device& device, const uint8_t* data, size_t size,
                                         const simTextureRequest& request, TextureHandle* out, std::string* reason) {
    *out = {};
    d3dx::Image image;
    HRESULT result = decode(data, size, request, false, &image, reason);
    if (FAILED(result)) return result;
    TextureHandle texture;
    result = device.CreateTexture(image.width, image.height, image.mipLevels, request.usage, request.format,
                                  request.pool, &texture);
    if (FAILED(result)) return result;
    const uint32_t levels = std::min(device.GetLevelCount(texture), image.mipLevels);
    for (uint32_t level = 0; level < levels && SUCCEEDED(result); ++level) {
        D3DLOCKED_RECT locked;
        result = device.LockRect(texture, level, &locked, nullptr, 0);
        if (FAILED(result)) break;
        result = copySurface(image.surface(0, level), image.format, locked);
        device.UnlockRect(texture, level);
    }
    if (FAILED(result)) {
        device.Release(texture);
        return result;
    }
    *out = texture;
    return D3D_OK;
}

HRESULT simCreateCubeTextureFromFileInMemory(Device& device, const uint8_t* data, size_t size,
                                             const simTextureRequest& request, TextureHandle* out,
                                             std::string* reason) {
    *out = {};
    d3dx::Image image;
    HRESULT result = decode(data, size, request, true, &image, reason);
    if (FAILED(result)) return result;
    TextureHandle cube;
    result = device.CreateCubeTexture(image.width, image.mipLevels, request.usage, request.format, request.pool,
                                      &cube);
    if (FAILED(result)) return result;
    for (uint32_t face = 0; face < 6 && SUCCEEDED(result); ++face) {
        for (uint32_t level = 0; level < image.mipLevels && SUCCEEDED(result); ++level) {
            SurfaceHandle surface;
            result = device.GetCubeMapSurface(cube, static_cast<D3DCUBEMAP_FACES>(face), level, &surface);
            if (FAILED(result)) break;
            D3DLOCKED_RECT locked;
            result = device.LockRect(surface, &locked, nullptr, 0);
            if (SUCCEEDED(result)) {
                result = copySurface(image.surface(face, level), image.format, locked);
                device.UnlockRect(surface);
            }
            device.Release(surface);
        }
    }
    if (FAILED(result)) {
        device.Release(cube);
        return result;
    }
    *out = cube;
    return D3D_OK;
}
