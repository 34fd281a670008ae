// Engine vectors as OpenAL takes them.
//
// The engine's world is left-handed (z into the screen) and OpenAL's is
// right-handed (z out of it): a vector crosses over with its z negated, which
// keeps left and right, front and back where they were. Negating a whole
// vector instead would swap front and back.
#pragma once

#include <AL/al.h>

#include <array>

#include "platform/d3dx/d3dxMathTypes.h"

using openALVector = std::array<ALfloat, 3>;

constexpr openALVector toOpenAL(const d3dx::Vector3& v, float scale = 1.0f) {
    return {v.x * scale, v.y * scale, -v.z * scale};
}
