#include "app/shell/tbDevice.h"

#include "engine/core/simGlobals.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "platform/gfx/device.h"

simRenderer* tbRenderer() { return g_graphics ? g_graphics->getRenderer() : nullptr; }

gfx::Device* tbDevice() {
    simRenderer* renderer = tbRenderer();
    return renderer ? renderer->getDevice() : nullptr;
}

void tbReleaseSurface(gfx::SurfaceHandle& surface) {
    if (surface && tbDevice()) tbDevice()->Release(surface);
    surface = {};
}
