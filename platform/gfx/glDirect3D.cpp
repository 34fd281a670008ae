#include "platform/gfx/direct3d.h"

#include "platform/gfx/device.h"

namespace gfx {

std::unique_ptr<Direct3D> makeGlDirect3D() {
    logLine("gfx::makeGlDirect3D - the OpenGL device is not available yet\n");
    return nullptr;
}

}  // namespace gfx
