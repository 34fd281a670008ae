// The engine's renderer and its device as the editor's own drawing reaches
// them (paint and mask surfaces, off-screen targets): both are null before
// the graphics system is made and after it goes, so every caller checks.
#pragma once

#include "platform/gfx/handles.h"

class simRenderer;
namespace gfx {
class Device;
}

simRenderer* tbRenderer();
gfx::Device* tbDevice();
// Gives the surface back to the device, when there still is one, and
// forgets it either way.
void tbReleaseSurface(gfx::SurfaceHandle& surface);
