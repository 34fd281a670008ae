// Reading back what a frame left in the renderer's back buffer, for tests
// and benchmarks alike (it speaks no GoogleTest: the caller checks the
// result code).
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/graphics/simRenderer.h"
#include "platform/gfx/device.h"

namespace testsupport {

// Fills `pixels` with the back buffer's width x height pixels as 0xFFRRGGBB,
// top row first (the X8R8G8B8 back buffer keeps no alpha, so every pixel
// reads opaque); all zero when the lock is refused. Gives the lock's result.
inline gfx::HRESULT readBackBuffer(simRenderer& renderer, uint32_t width, uint32_t height,
                                   std::vector<uint32_t>& pixels) {
    pixels.assign(size_t(width) * height, 0);
    gfx::Device& device = *renderer.getDevice();
    gfx::D3DLOCKED_RECT locked{};
    const gfx::SurfaceHandle surface = renderer.getBackBuffer();
    const gfx::HRESULT result = device.LockRect(surface, &locked, nullptr, gfx::D3DLOCK_READONLY);
    if (!locked.pBits) return result;
    for (uint32_t y = 0; y < height; ++y)
        std::memcpy(&pixels[size_t(y) * width], static_cast<const uint8_t*>(locked.pBits) + size_t(y) * locked.Pitch,
                    size_t(width) * 4);
    device.UnlockRect(surface);
    for (uint32_t& p : pixels) p |= 0xFF000000u;
    return result;
}

}  // namespace testsupport
