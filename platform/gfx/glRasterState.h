// The fixed raster state of the OpenGL device (depth, blend, cull, colour
// mask, stencil, multisampling, clip plane) as one packed 128-bit key.
//
// The draw path packs the Direct3D render states into a key, compares it
// with the key last applied (old ^ new) and issues GL calls only for the
// groups whose bits changed. `force` re-applies everything (after a context
// change, and to check the diffing itself).
#pragma once

#include <cstdint>

#include "platform/gfx/deviceState.h"

namespace gfx {

struct RasterKey {
    std::uint64_t lo = 0, hi = 0;
    friend bool operator==(RasterKey a, RasterKey b) { return a.lo == b.lo && a.hi == b.hi; }
};

// Packs the render states that map to fixed GL state.
RasterKey packRasterKey(const DeviceState& state);

class RasterStateCache {
public:
    // Applies key, touching only groups that differ from the last key applied.
    void apply(RasterKey key, bool force = false);
    // Clears write all of colour, depth and stencil, whatever the key says; the
    // next apply() puts the masks back.
    void openWriteMasksForClear();
    void invalidate() { valid_ = false; }

private:
    RasterKey applied_;
    bool valid_ = false;
};

}  // namespace gfx
