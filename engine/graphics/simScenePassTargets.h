// What the scene's pass handlers share: the renderer and its device, the
// back buffer's size, and the render-target surfaces they make, bind and
// release. Each call does nothing (or fails) without a renderer.
#pragma once

#include <cstdint>

#include "platform/gfx/d3dTypes.h"
#include "platform/gfx/handles.h"

namespace gfx {
class Device;
}
class simRenderer;
class simRendererState;
class simTexture;

namespace simScenePass {

simRenderer* renderer();
simRendererState* state();
gfx::Device* device();

// The engine window's back-buffer size (0 without a window).
float backBufferWidth();
float backBufferHeight();

// A depth-stencil surface without multisampling, discarded after use.
bool createDepthSurface(uint32_t width, uint32_t height, gfx::D3DFORMAT format, gfx::SurfaceHandle* out);
// The texture's top level as a surface (false without a device texture).
bool topLevelSurface(const simTexture* texture, gfx::SurfaceHandle* out);
// Releases the surface (when there is one) and clears the handle.
void releaseSurface(gfx::SurfaceHandle& surface);
// Takes a map the handler makes out of the resource index and gives it back.
// The resource system deletes every indexed resource when it goes down,
// which the application does before the graphics system: an indexed map
// would then be deleted twice, once there and once by its handler.
simTexture* ownedTexture(simTexture* texture);

// Render target 0 and the depth-stencil surface (null: none).
void bindTargets(gfx::SurfaceHandle target, gfx::SurfaceHandle depth);
// The renderer's default render target and depth-stencil surface again.
void bindDefaultTargets();
// Clears the bound target (and depth when asked) with depth 1.0, stencil 0.
void clear(bool depth, uint32_t colour);

}  // namespace simScenePass
