// tbWaterMask: the flying site's painted water mask, 2048 x 2048 texels on
// the device, white where the water shows.
//
//   texture      X8R8G8B8 render-target texture the water is drawn with,
//                named "tbProject_flyingsite_waterMaskTexture";
//   surface      its level 0, which painting and filling draw into;
//   target       a 2048 x 2048 render target the mask is first cleared in;
//   depth        the D24S8 depth surface bound while drawing.
// Texel (0, 0) is the top-left corner, as Direct3D keeps render targets and
// read-backs. The mask survives a lost device as a DDS image in memory: its
// owner hands it the renderer's reset and restore hooks, and must be on the
// renderer's list before the mask is created, so that the mask is saved
// before its texture lets go of its surface.
// Without a texture (a device that refused it) every operation does nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/gfx/handles.h"

class simTexture;

class tbWaterMask {
public:
    static constexpr uint32_t kSize = 2048;

    tbWaterMask() = default;
    ~tbWaterMask();
    tbWaterMask(const tbWaterMask&) = delete;
    tbWaterMask& operator=(const tbWaterMask&) = delete;

    // Makes the texture and its surfaces and clears the mask to opaque white.
    // False when the device gave no texture; the mask is then empty.
    bool create();
    bool exists() const { return static_cast<bool>(m_surface); }

    // The whole mask in one colour (0xAARRGGBB).
    void fill(uint32_t argb);
    // One dab: a square of `radius` texels each way around texel (u, v),
    // textured with `brush` (null: plain) in `argb`, blended over the mask by
    // the colour's alpha.
    void dab(float u, float v, float radius, uint32_t argb, const simTexture* brush);

    // The mask as a DDS file image (X8R8G8B8, one level).
    bool save(std::vector<uint8_t>& dds, std::string* reason = nullptr) const;
    // A picture file image of any size and format the image loader reads,
    // scaled onto the mask. False, with the mask unchanged, when it cannot be
    // decoded.
    bool load(const std::vector<uint8_t>& file, std::string* reason = nullptr);
    // An all-white mask as a DDS file image, made without a device.
    static std::vector<uint8_t> whiteDds();

    void onDeviceReset();
    void onDeviceRestore();

    simTexture* texture() const { return m_texture.get(); }
    gfx::SurfaceHandle surface() const { return m_surface; }

private:
    bool makeSurfaces();
    void releaseSurfaces();
    void clear(gfx::SurfaceHandle surface, uint32_t argb);

    std::unique_ptr<simTexture> m_texture;
    gfx::SurfaceHandle m_surface, m_target, m_depth;
    std::vector<uint8_t> m_image;  // DDS, held over a lost device
};
