// Where a sound lies for a listener, as the gains of the two output channels.
//
// Shared by the two 3-D calculations over the mixer (X3DAudio's and
// DirectSound's 3-D buffers), with the Doppler shift both apply. The world is left-handed like the engine's:
// with the listener's front and top, its right is top x front.
#pragma once

#include <algorithm>
#include <cmath>

#include "platform/d3dx/d3dxMathTypes.h"

struct stereoGains {
    float left = 1.0f;
    float right = 1.0f;
};

// Constant-power pan by how far to the right of the listener `offset` (the
// sound's position minus the listener's) points: full left, centre (0.707
// each), full right. A sound at the listener is centred.
inline stereoGains panFor(const d3dx::Vector3& offset, const d3dx::Vector3& front, const d3dx::Vector3& top) {
    const d3dx::Vector3 right(top.y * front.z - top.z * front.y, top.z * front.x - top.x * front.z,
                              top.x * front.y - top.y * front.x);
    const float distance = std::sqrt(offset.x * offset.x + offset.y * offset.y + offset.z * offset.z);
    const float rightLength = std::sqrt(right.x * right.x + right.y * right.y + right.z * right.z);
    float side = 0.0f;  // -1 left .. 1 right
    if (distance > 0.0f && rightLength > 0.0f)
        side = (offset.x * right.x + offset.y * right.y + offset.z * right.z) / (distance * rightLength);
    const float angle = (side + 1.0f) * 0.25f * 3.14159265f;
    return {std::cos(angle), std::sin(angle)};
}

inline float lengthOf(const d3dx::Vector3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

// The Doppler shift (a frequency ratio) of a sound at `offset` from the
// listener, for velocities in the same units per second as `speedOfSound`:
// moving closer raises it. Held to 0..4, and 1 for a sound at the listener.
inline float dopplerShift(const d3dx::Vector3& offset, const d3dx::Vector3& listenerVelocity,
                          const d3dx::Vector3& soundVelocity, float speedOfSound) {
    const float distance = lengthOf(offset);
    if (!(distance > 0.0f) || !(speedOfSound > 0.0f)) return 1.0f;
    const d3dx::Vector3 towards = offset * (1.0f / distance);
    const float listenerSpeed = listenerVelocity.x * towards.x + listenerVelocity.y * towards.y +
                                listenerVelocity.z * towards.z;
    const float soundSpeed = soundVelocity.x * towards.x + soundVelocity.y * towards.y + soundVelocity.z * towards.z;
    const float shift = (speedOfSound + listenerSpeed) / std::max(speedOfSound + soundSpeed, speedOfSound * 0.01f);
    return std::clamp(shift, 0.0f, 4.0f);
}
