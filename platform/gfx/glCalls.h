// Counting of OpenGL calls (internal to platform/gfx).
//
// Every GL call of the device goes through GFX_GL so benchmarks and tests can
// see how much GL work a frame or a state change costs.
#pragma once

#include <cstdint>

namespace gfx {

extern thread_local std::uint64_t g_glCallCount;

// GL calls made by the OpenGL device on this thread so far.
inline std::uint64_t glCallCount() { return g_glCallCount; }

}  // namespace gfx

#define GFX_GL(call) (++::gfx::g_glCallCount, call)
