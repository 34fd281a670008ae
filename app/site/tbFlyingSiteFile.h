// The flying-site project file (.tvq), decoded into plain records.
//
// Layout (little-endian, packed; texts are fixed fields, NUL-terminated,
// bytes behind the NUL ignored):
//   header, 2753 bytes:
//     char[32] magic "TOLVANEBUILDER PROJECT", u32 version (2),
//     char[256] export file name, char[256] site name, char[256] description,
//     u32 image mode, u8 interior, 6 x char[256] cube image paths
//     (-X, +X, -Y, +Y, -Z, +Z), char[256] spherical image path,
//     vec3 panorama rotation, vec3 panorama position, f32[16] panorama
//     transform, ambient, diffuse and specular colour records (16 bytes each,
//     four i32 alpha, red, green, blue), vec3 sun position, u32 N
//   N collision objects: u32 type tag (0..4), then the object's record
//   u8 water enabled, vec3 water position, u32 S, S bytes of a DDS image
//   (the water mask)
//   u32 P, P position records of 92 bytes
//   u8 wind flag, f32 wind speed three times, vec3 wind rotation,
//   vec3 wind position
//   version 2 and later: char[512] ambient sound path, u8 reverb.
//
// `readFlyingSiteFile` checks the whole file before anything is built from
// it: every count against the bytes left, every type tag, every object
// record (through the object reader it is given), the water mask's size,
// and the file's end. A file that fails gives false and a one-line reason,
// and `out` is left as it was. `writeFlyingSiteFile` is the inverse; with
// a reader that accepts what it wrote, the two round-trip byte for byte.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/core/simColour.h"
#include "platform/d3dx/d3dxMathTypes.h"

namespace utils {
class ByteCursor;
}

constexpr size_t kFlyingSiteHeaderSize = 2753;
constexpr size_t kFlyingSitePositionSize = 92;
constexpr size_t kFlyingSiteMagicSize = 32;
constexpr size_t kFlyingSiteTextSize = 256;
constexpr size_t kFlyingSiteSoundSize = 512;
// Type tags of the collision objects: primitive, height map, area, marker, skyline.
constexpr uint32_t kFlyingSiteObjectTags = 5;

// One collision object as the file holds it: its tag and its record bytes
// (which repeat the tag; the object kinds lay them out).
struct tbSiteObjectEntry {
    uint32_t tag = 0;
    std::vector<uint8_t> record;
    bool operator==(const tbSiteObjectEntry&) const = default;
};

using tbSitePositionRecord = std::array<uint8_t, kFlyingSitePositionSize>;

struct tbFlyingSiteFileData {
    uint32_t version = 2;
    std::string exportName;       // at most 255 characters, as all 256-byte texts
    std::string siteName;
    std::string siteDescription;
    uint32_t imageMode = 0;       // 0 six cube images, 1 one spherical image
    uint8_t interior = 0;
    std::array<std::string, 6> cubeImages;
    std::string sphereImage;
    d3dx::Vector3 panoramaRotation, panoramaPosition;
    d3dx::Matrix panoramaTransform = d3dx::Matrix::identity();
    simColour ambient, diffuse, specular;
    d3dx::Vector3 sunPosition;
    std::vector<tbSiteObjectEntry> objects;
    uint8_t waterEnabled = 0;
    d3dx::Vector3 waterPosition;
    std::vector<uint8_t> waterMask;  // a DDS file image
    std::vector<tbSitePositionRecord> positions;
    uint8_t windFlag = 0;            // 1 when the wind speed is above 0
    std::array<float, 3> windSpeed{};  // the same value three times
    d3dx::Vector3 windRotation, windPosition;
    std::string ambientSound;        // version 2 and later; at most 511 characters
    uint8_t reverb = 0;              // version 2 and later
};

// Reads one collision object's record of type `tag` (0..4), the cursor
// standing after the tag, and checks it whole; false with a reason in
// `error` when it is not sound. The collision objects provide it.
using tbSiteObjectRecordReader = std::function<bool(utils::ByteCursor& in, uint32_t tag, std::string& error)>;

bool readFlyingSiteFile(const void* data, size_t size, const tbSiteObjectRecordReader& readObject,
                        tbFlyingSiteFileData& out, std::string& error);
std::vector<uint8_t> writeFlyingSiteFile(const tbFlyingSiteFileData& data);
