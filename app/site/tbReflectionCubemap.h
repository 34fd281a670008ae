// tbReflectionCubemap: the cube map the lighting preview reflects, 512 x 512
// texels a face, drawn from the six panorama images.
//
// Faces follow Direct3D's order (+X, -X, +Y, -Y, +Z, -Z); the panorama's
// slots follow the project file's (-X, +X, -Y, +Y, -Z, +Z), so face +X is
// drawn from slot 1, -X from slot 0 and so on. Side faces are drawn
// mirrored left to right, the top and bottom faces turned a quarter, to
// match how the simulator lays its panorama images out. The cube map
// survives a lost device as a DDS image in memory.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/gfx/handles.h"

class simTexture;

class tbReflectionCubemap {
public:
    static constexpr uint32_t kSize = 512;
    static constexpr int kFaces = 6;

    tbReflectionCubemap() = default;
    ~tbReflectionCubemap();
    tbReflectionCubemap(const tbReflectionCubemap&) = delete;
    tbReflectionCubemap& operator=(const tbReflectionCubemap&) = delete;

    // Makes the cube map with six opaque white faces; false when the device
    // refuses it (the site then works without reflections).
    bool create();
    bool exists() const { return static_cast<bool>(m_texture); }

    // Draws every face from the image of its direction; a slot without an
    // image gives a plain white face.
    void build(const std::array<simTexture*, kFaces>& slots);

    void onDeviceReset();
    void onDeviceRestore();

    gfx::TextureHandle texture() const { return m_texture; }
    // The panorama slot each face (Direct3D's order) is drawn from.
    static constexpr std::array<int, kFaces> kSlotOfFace = {1, 0, 3, 2, 5, 4};

private:
    void release();

    gfx::TextureHandle m_texture;
    std::vector<uint8_t> m_image;  // DDS, held over a lost device
};
