// The value fields every flying-site file (.tvq, .tvf) writes the same way:
// vectors and matrices as raw little-endian floats, colours as four 4-byte
// integers with alpha first.
#pragma once

#include "engine/core/byteWriter.h"
#include "engine/core/simColour.h"
#include "platform/d3dx/d3dxMathTypes.h"

inline void tbWriteSiteVector(utils::ByteWriter& out, const d3dx::Vector3& v) {
    out.f32(v.x);
    out.f32(v.y);
    out.f32(v.z);
}

inline void tbWriteSiteMatrix(utils::ByteWriter& out, const d3dx::Matrix& m) {
    for (const auto& row : m.m)
        for (float f : row) out.f32(f);
}

inline void tbWriteSiteColour(utils::ByteWriter& out, const simColour& c) {
    out.i32(c.alpha);
    out.i32(c.red);
    out.i32(c.green);
    out.i32(c.blue);
}
