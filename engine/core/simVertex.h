// simVertex: the vertex of loaded and imported models.
//
// In memory it is the 52-byte vertex of the model vertex buffers (position,
// normal, diffuse colour, three texture-coordinate sets). On disk the colour
// moves to the end:
//
//   offset size field
//    0     12  position x, y, z   (3 x f32)
//   12     12  normal x, y, z     (3 x f32)
//   24     24  (u, v) of sets 1, 2, 3 (6 x f32)
//   48      4  colour, ARGB u32 (bytes on disk: blue, green, red, alpha)
#pragma once

#include <cstdint>
#include <cstdio>

#include "platform/d3dx/d3dxMathTypes.h"

struct simVertex {
    // Vertex-buffer format: position, normal, diffuse colour, three UV sets.
    static constexpr uint32_t kFormat = 0x352;
    static constexpr size_t kFileSize = 52;

    // The normal of a vertex drawn without one: lighting sees it, so it
    // is the same everywhere the engine draws in world space.
    static constexpr d3dx::Vector3 kDrawnNormal{1.0f, 1.0f, 1.0f};

    d3dx::Vector3 position;
    d3dx::Vector3 normal;
    uint32_t colour = 0;  // packed ARGB, alpha in the top byte
    d3dx::Vector2 uv[3];

    simVertex() = default;
    // A drawn vertex: a position, a colour and the u and v of texture sets
    // 1, 2 and 3, with the normal kDrawnNormal.
    simVertex(const d3dx::Vector3& at, uint32_t argb, float u1, float v1, float u2, float v2, float u3, float v3)
        : position(at), normal(kDrawnNormal), colour(argb), uv{{u1, v1}, {u2, v2}, {u3, v3}} {}

    // The file form above. A null handle or a short read gives false and
    // leaves the vertex unchanged.
    bool read(FILE* file);
    bool write(FILE* file) const;
};

static_assert(sizeof(simVertex) == 52, "simVertex is the 52-byte vertex of the vertex buffers");
