// Internal to simTexture: making device textures from image files in memory
// and from nothing, the work of the extension library's texture functions.
//
// Decoding, scaling, mip generation and DXT compression are the image
// module's (platform/d3dx); these functions create the device texture and
// copy every level (and face) into it. A file that cannot be decoded gives
// its image result code and a one-line reason; a device refusal gives the
// device's result code and an empty reason, so the caller can tell bad media
// from a device that said no.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/gfx/d3dTypes.h"
#include "platform/gfx/handles.h"
#include "platform/gfx/results.h"

namespace gfx {
class Device;
}

struct simTextureRequest {
    uint32_t width = 0, height = 0;  // the size made (the file is scaled to it)
    uint32_t mipLevels = 1;          // at most this many levels
    uint32_t usage = 0;
    gfx::D3DFORMAT format = gfx::D3DFMT_A8R8G8B8;
    gfx::D3DPOOL pool = gfx::D3DPOOL_DEFAULT;
};

// A 2-D texture from a whole image file. On failure *out stays null.
gfx::HRESULT simCreateTextureFromFileInMemory(gfx::Device& device, const uint8_t* data, size_t size,
                                              const simTextureRequest& request, gfx::TextureHandle* out,
                                              std::string* reason);

// A cube map from a DDS cube file, its faces scaled to the file's edge
// (request.width and height are ignored).
gfx::HRESULT simCreateCubeTextureFromFileInMemory(gfx::Device& device, const uint8_t* data, size_t size,
                                                  const simTextureRequest& request, gfx::TextureHandle* out,
                                                  std::string* reason);
