// The camera record: one application camera as stored in a model-scheme
// project file (inside its tool settings section), 804 bytes, little-endian,
// f32 values, matrices as 16 f32 in row order.
//
//   offset size content
//      0   12  rotation angles x (pitch), y (yaw), z
//     12    4  projection mode (u32: 0 orbit, 1 orthographic, 2 first person)
//     16    4  orientation mode (u32: 0 perspective, 1..6 the fixed views)
//     20   64  saved rotation matrix
//     84  128  name, NUL-terminated (read up to the first NUL, at most 127 characters)
//    212   12  target
//    224   12  position          236 12 forward          248 12 up
//    260   12  zeros             272 12 bounding-sphere centre
//    284    8  distance, then the constant 3.0
//    292   16  zeros
//    308    8  field of view, aspect     316 8 aspect, near
//    324    8  near, far                 332 8 far, position x
//    340    8  zeros             348 8 bounding-sphere radius, 4 unused bytes
//    356   64  rotation matrix   420 64 view matrix
//    484   64  reserved          548 64 projection matrix
//    612   64  inverse view      676 64 reserved       740 64 inverse rotation
//
// The paired 8-byte slots repeat a value; on reading the later copy wins.
// Zero, reserved and unused bytes are written as zeros and ignored.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/d3dx/d3dxMathTypes.h"

struct tbCameraRecord {
    static constexpr size_t kSize = 804;
    static constexpr size_t kNameSize = 128;

    d3dx::Vector3 angles;
    uint32_t projectionMode = 0;
    uint32_t orientationMode = 0;
    d3dx::Matrix savedRotation;
    std::string name;
    d3dx::Vector3 target, position, forward, up, sphereCentre;
    float distance = 0.0f;
    float afterDistance = 3.0f;
    float fieldOfView = 0.0f, aspect = 0.0f, nearZ = 0.0f, farZ = 0.0f;
    float sphereRadius = 0.0f;
    d3dx::Matrix rotation, view, projection, inverseView, inverseRotation;
};

// A record's bytes as a project file holds them.
using tbCameraRecordBytes = std::array<uint8_t, tbCameraRecord::kSize>;

tbCameraRecordBytes tbWriteCameraRecord(const tbCameraRecord& record);

// Parses a record. False, with the reason, when fewer than 804 bytes are
// given or a value the camera is rebuilt from (angles, matrices it keeps,
// target, distance, lens) is not finite, the near and far distances cannot
// make a projection or the aspect is not above zero; `out` is then untouched. Modes past their last value
// are taken as the last.
bool tbReadCameraRecord(const uint8_t* bytes, size_t size, tbCameraRecord& out, std::string* reason = nullptr);
