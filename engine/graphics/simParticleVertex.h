// simParticleVertex: one corner of a particle's quad in the shared particle
// buffer.
//
// The layout is the engine's 52-byte vertex (format 0x352: position, normal,
// diffuse colour, three texture-coordinate pairs). The six corners 0..5 make
// the two triangles of one quad; what tells them apart is fixed when the
// shared buffer is built and never rewritten:
//
//   corner  pair 0 (u, v)  pair 1 (direction)  pair 2 second value
//     0       (0, 0)          (-1, -1)             -1
//     1       (1, 0)          ( 1, -1)              1
//     2       (1, 1)          ( 1,  1)              1
//     3       (0, 0)          (-1, -1)             -1
//     4       (1, 1)          ( 1,  1)              1
//     5       (0, 1)          (-1,  1)             -1
//
// Pair 1 is the corner's direction from the quad's centre; pair 2's second
// value repeats its x direction. Per frame only the position, normal (the
// motion vector of motion-blurred particles), colour and the first value of
// pair 2 (the size) are written.
#pragma once

#include <cstdint>

#include "engine/core/simVertex.h"

struct simParticleVertex : simVertex {
    static constexpr int kCorners = 6;

    // A zero normal, the colour, and pair 2's first value `extra`; the
    // texture pairs of a corner outside 0..5 are left unset and reported
    // ("simParticleVertex::simParticleVertex - invalid index").
    simParticleVertex(const d3dx::Vector3& position, int corner, uint32_t colour, float extra);
};

static_assert(sizeof(simParticleVertex) == 52, "particles share the 52-byte vertex layout");
