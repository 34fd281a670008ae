// The exported site file (.tvf) that the simulator loads, built from a plain
// record of what it holds.
//
// Layout (little-endian, packed; texts are fixed blocks: the text, its NUL
// and zeros to the block's end):
//    1  char[32]   magic "TOLVANEBUILDER FLYING SITE"
//    2  u32        version (2)
//    3  char[256]  site name
//    4  char[256]  site description
//    5  u32        image mode (0 six cube images, 1 one spherical image)
//    6  u8         interior
//    7  char[256]  per panorama image: six in mode 0, one in mode 1, none else
//    8  vec3       panorama rotation
//    9  f32[16]    panorama transform
//   10  char[256]  cube map file name
//   11  3 x 16     ambient, diffuse and specular colour (i32 alpha, red, green, blue)
//   12  vec3       sun position
//   13  u32 P, then P position records of 92 bytes
//   14  u32 N, then per collision object a u32 type tag and its record
//   15  u32 n, n bytes: a 256 x 256 black picture as a BMP file
//   16  u8         water enabled
//   17  vec3       water position                        (water enabled only)
//   18  u32 n, n bytes: the water mask as a BMP file      (water enabled only)
//   19  u8         1 when the wind speed is above 0
//   20  f32 x 3    wind speed, three times
//   21  vec3       wind rotation
//   22  char[128]  the ambient sound's file name, without folders
//   23  u8         reverb
// Positions come before the objects here, unlike in the project file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/site/tbFlyingSiteFile.h"
#include "engine/core/simColour.h"
#include "platform/d3dx/d3dxMathTypes.h"

constexpr uint32_t kSiteTvfVersion = 2;
constexpr size_t kSiteTvfSoundSize = 128;

struct tbSiteTvfData {
    std::string siteName;
    std::string siteDescription;
    uint32_t imageMode = 0;
    uint8_t interior = 0;
    std::vector<std::string> imageNames;  // field 7: six in mode 0, one in mode 1 ("[No image]" for any missing)
    d3dx::Vector3 panoramaRotation;
    d3dx::Matrix panoramaTransform = d3dx::Matrix::identity();
    std::string cubemapName;
    simColour ambient, diffuse, specular;
    d3dx::Vector3 sunPosition;
    std::vector<tbSitePositionRecord> positions;
    std::vector<tbSiteObjectEntry> objects;
    std::vector<uint8_t> blackBitmap;  // a BMP file
    uint8_t waterEnabled = 0;
    d3dx::Vector3 waterPosition;
    std::vector<uint8_t> waterMaskBitmap;  // a BMP file; written only with the water enabled
    float windSpeed = 0.0f;                // metres per second
    d3dx::Vector3 windRotation;
    std::string ambientSoundName;  // file name only
    uint8_t reverb = 0;
};

std::vector<uint8_t> writeSiteTvfFile(const tbSiteTvfData& data);

// The fields the site file takes over from the project file's record as they
// stand (names, lighting, records, water, wind, reverb); the image names, the
// cube map's and the sound's names and the two pictures are the export's.
tbSiteTvfData tbSiteTvfDataOf(const tbFlyingSiteFileData& project);
