// simRendererCaps: what the adapter can do, read once when the renderer starts.
//
// The constructor asks the adapter for its capabilities and logs them. When
// they cannot be had the record stays zeroed: no hardware lighting (so the
// device uses software vertex processing), no mipmaps, no antialiasing.
#pragma once

#include <cstdint>

namespace gfx {
class Direct3D;
}

class simRendererCaps {
public:
    // Reads adapter 0's HAL capabilities from `direct3d` (null: all zero).
    explicit simRendererCaps(const gfx::Direct3D* direct3d);

    uint32_t hardwareLighting = 0;  // 1 or 0
    uint32_t maxActiveLights = 0;
    uint8_t mipmapTexturing = 0;
    uint8_t doubleSidedStencil = 0;
    uint32_t vertexShaderMajor = 0, vertexShaderMinor = 0;
    uint32_t pixelShaderMajor = 0, pixelShaderMinor = 0;
    uint8_t antialiasing = 0;
    uint32_t antialiasingQuality = 0;  // quality levels of non-maskable multisampling
    float maxTextureWidth = 0.0f, maxTextureHeight = 0.0f;  // texels
    uint32_t numberOfDisplays = 0;
};
