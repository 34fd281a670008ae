// tbOffscreenDrawing: a bracket for drawing screen primitives into a surface
// other than the back buffer (the water mask, the faces of the reflection
// cube map).
//
// While it lives the target and its depth surface are bound (the viewport
// covering the whole target) and the states that decide what a screen
// primitive writes are known: no effect, lighting, fog, stencil, clip plane,
// culling, alpha test or mip filtering (a texture is read from its first
// level), depth always passed and never written, and alpha blending (source
// alpha over inverse source alpha) only when asked for.
// A scene is begun when none is open. When it goes, the back buffer, its
// depth surface, the viewport and every state it changed are put back, so
// it can run inside a frame or outside one.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/graphics/simRendererState.h"
#include "platform/gfx/d3dTypes.h"
#include "platform/gfx/handles.h"

class simRenderer;

class tbOffscreenDrawing {
public:
    tbOffscreenDrawing(gfx::SurfaceHandle target, gfx::SurfaceHandle depth, bool blend);
    ~tbOffscreenDrawing();
    tbOffscreenDrawing(const tbOffscreenDrawing&) = delete;
    tbOffscreenDrawing& operator=(const tbOffscreenDrawing&) = delete;

    // False when there is no renderer or no target: draw nothing then.
    bool ok() const { return m_renderer != nullptr; }
    simRenderer& renderer() const { return *m_renderer; }

    static constexpr size_t kKnownStates = 12;

private:
    simRenderer* m_renderer = nullptr;
    bool m_ownScene = false;
    gfx::D3DVIEWPORT9 m_viewport{};
    uint32_t m_alphaTest = 0;
    simStateValue m_saved[kKnownStates] = {};
};
