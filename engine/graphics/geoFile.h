// The .geo model file, decoded into plain records.
//
// A .geo file holds a model's materials, one triangle list of vertices and a
// tree of named nodes whose texture layers cut the vertex list into batches.
// `readGeoFile` parses a whole file from memory and checks it completely
// before anything is built from it: the model resource turns these records
// into its materials, vertex buffer and node tree. `writeGeoFile` is the
// inverse, for the tools that make the program's own models and for tests.
//
// Layout (little-endian, packed; counts are i32, a count <= 0 means none):
//   u32 format word, u32 header word A, u32 header word B,
//   u32 triangle count, u8 unused, box (6 x f32: min x y z, max x y z),
//   i32 M, M materials, i32 V, V vertices (52 bytes each), i32 R, R nodes.
// Material: char[128] name, i32 T, T x char[512] texture file ("none" marks an
//   empty slot), f32[3] diffuse, emissive, ambient, specular (0..1),
//   f32 incandescance, transparency, glow, specular rolloff, eccentricity,
//   reflectivity.
// Node: char[128] name, u32 kind, box, f32[16] matrix, i32 L, L layers,
//   i32 K, K child nodes.
// Layer: box, i32 material index, u8[10] kept bytes, i32 B, B batches.
// Batch: box, i32 first vertex, i32 end vertex (exclusive).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/core/simVertex.h"
#include "platform/d3dx/d3dxMathTypes.h"

struct geoFileBox {
    d3dx::Vector3 min;
    d3dx::Vector3 max;
};

struct geoFileMaterial {
    std::string name;                   // at most 127 bytes are written
    std::vector<std::string> textures;  // "none" for an empty slot
    // Colours as stored: red, green, blue, each 0..1.
    std::array<float, 3> diffuse{}, emissive{}, ambient{}, specular{};
    float incandescance = 0, transparency = 0, glow = 0;
    float specularRolloff = 0, eccentricity = 0, reflectivity = 0;
};

struct geoFileBatch {
    geoFileBox box;
    int32_t firstVertex = 0;
    int32_t endVertex = 0;
};

struct geoFileLayer {
    geoFileBox box;
    int32_t materialIndex = 0;
    std::array<uint8_t, 10> keptBytes{};
    std::vector<geoFileBatch> batches;
};

struct geoFileNode {
    std::string name;
    uint32_t kind = 0;  // as stored; the model applies the name rule
    geoFileBox box;
    std::array<float, 16> matrix{};
    std::vector<geoFileLayer> layers;
    std::vector<geoFileNode> children;
};

struct geoFileData {
    uint32_t formatWord = 0;
    uint32_t headerWordA = 0;
    uint32_t headerWordB = 0;
    uint32_t triangleCount = 0;
    uint8_t unused = 0;
    geoFileBox box;
    std::vector<geoFileMaterial> materials;
    // Whole triangles only: a stored count that is not a multiple of three
    // has its last one or two vertices left unread, as the simulator does.
    std::vector<simVertex> vertices;
    std::vector<geoFileNode> roots;
};

// Nodes nest at most this deep; deeper files are refused rather than
// walked with unbounded recursion.
constexpr int kGeoFileMaxDepth = 64;

// Parses a whole file. On failure gives false with a one-line reason in
// `error` ("truncated material 2", "batch 0..40 outside 36 vertices", ...)
// and leaves `out` empty.
bool readGeoFile(const void* data, size_t size, geoFileData& out, std::string& error);

// Encodes the records in the file layout above.
std::vector<uint8_t> writeGeoFile(const geoFileData& data);
