// The OpenGL 3.3 core implementation of the device, and how the program
// hooks it to its window.
//
// The back buffer is a framebuffer object of our own (RGBA8, or multisampled
// and resolved at Present) with 24-bit depth and 8-bit stencil. Present blits
// it, flipped to GL's bottom-up rows, into the default framebuffer of the
// current context and then calls the present hook, which swaps the window's
// buffers. Headless (EGL without a surface) Present does nothing more.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "platform/gfx/deviceBackend.h"

namespace gfx {

struct GlPresentHook {
    // The window's drawable size in pixels; false when there is no window.
    std::function<bool(int* width, int* height)> windowSize;
    // Called after the back buffer has been copied to the window.
    std::function<void()> swap;
};

// Installs the hook every OpenGL device uses at Present (empty: headless).
void setGlPresentHook(GlPresentHook hook);

// A GL backend for the context current on this thread, sized for params;
// null with *hr set when the context lacks OpenGL 3.3 or the back buffer
// cannot be made.
std::unique_ptr<DeviceBackend> makeGlBackend(const D3DPRESENT_PARAMETERS& params, HRESULT* hr);

// Forgets which GL state the device believes is set, so the next draw sets
// everything again (after foreign GL code ran in the same context).
void forceGlStateReapply(DeviceBackend& glBackend);

// GL calls made by OpenGL devices on this thread so far.
std::uint64_t glCalls();

}  // namespace gfx
