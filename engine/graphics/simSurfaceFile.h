// Surfaces to and from image files in memory: the work of the extension
// library's D3DXSaveSurfaceToFileInMemory and D3DXLoadSurfaceFromFileInMemory
// for the surfaces the editors keep their pictures in (A8R8G8B8 and
// X8R8G8B8, lockable render targets and texture levels). Reading also takes
// the DXT surfaces textures are loaded in, as their blocks.
//
// Rows go top first both ways, as Direct3D keeps them. A load scales the
// file's picture to the surface's size with the linear filter and converts
// it to the surface's format; a file that cannot be decoded, or a surface of
// another format, gives false and a one-line reason and leaves the surface
// as it was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/d3dx/d3dxImageTypes.h"
#include "platform/gfx/handles.h"

namespace d3dx {
struct Image;
}
namespace gfx {
class Device;
}

// The surface's pixels as a one-level picture in the surface's format.
bool simReadSurface(gfx::Device& device, gfx::SurfaceHandle surface, d3dx::Image& picture,
                    std::string* reason = nullptr);
// Level 0 of a 2-D texture, or of each face of a cube map (`cube`), as a
// one-level picture in the texture's format.
bool simReadTexture(gfx::Device& device, gfx::TextureHandle texture, bool cube, d3dx::Image& picture,
                    std::string* reason = nullptr);
bool simSaveSurfaceToFileInMemory(gfx::Device& device, gfx::SurfaceHandle surface, d3dx::ImageFileFormat format,
                                  std::vector<uint8_t>& file, std::string* reason = nullptr);
bool simLoadSurfaceFromFileInMemory(gfx::Device& device, gfx::SurfaceHandle surface, const uint8_t* data,
                                    size_t size, std::string* reason = nullptr);
