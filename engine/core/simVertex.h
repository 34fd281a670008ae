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

    d3dx::Vector3 position;
    d3dx::Vector3 normal;
    uint32_t colour = 0;  // packed ARGB, alpha in the top byte
    d3dx::Vector2 uv[3];

    // The file form above. A null handle or a short read gives false and
    // leaves the vertex unchanged.
    bool read(FILE* file);
    bool write(FILE* file) const;
};

static_assert(sizeof(simVertex) == 52, "simVertex is the 52-byte vertex of the vertex buffers");
