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
#include <cstring>
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

// The vertex records where they lie in the parsed bytes (whole triangles
// only), for a reader that writes them straight into their destination
// instead of into `geoFileData::vertices`: the model loader decodes them
// into its vertex buffer in one pass.
struct geoFileVertexRun {
    const uint8_t* bytes = nullptr;  // count x 52 bytes in the file form
    int32_t count = 0;

    // Writes vertex `index` (0 <= index < count) in the 52-byte memory form
    // of simVertex to `destination`, which need not be aligned. The file
    // puts the colour last (bytes blue, green, red, alpha: one little-endian
    // ARGB word), memory between the normal and the UV pairs.
    void copyTo(int32_t index, void* destination) const {
        static_assert(offsetof(simVertex, normal) == 12 && offsetof(simVertex, colour) == 24 &&
                      offsetof(simVertex, uv) == 28);
        const uint8_t* raw = bytes + size_t(index) * simVertex::kFileSize;
        auto* out = static_cast<uint8_t*>(destination);
        std::memcpy(out, raw, 24);            // position, normal
        std::memcpy(out + 28, raw + 24, 24);  // three UV pairs
        std::memcpy(out + 24, raw + 48, 4);   // colour
    }
    // Coordinate `axis` (0 x, 1 y, 2 z) of vertex `index`'s position.
    float coordinate(int32_t index, int axis) const {
        float value;
        std::memcpy(&value, bytes + size_t(index) * simVertex::kFileSize + size_t(axis) * 4, 4);
        return value;
    }
};

// Which of the V stored vertices a reader takes. The model loader draws
// whole triangles and takes V / 3 * 3 of them, reading the rest of the file
// from there on (a file whose V is not a multiple of 3 is then misread, as
// the simulator misreads it). The model-scheme import takes all V and leaves
// the last one or two without a triangle.
enum class geoVertexReading { wholeTriangles, everyVertex };

// Parses a whole file. On failure gives false with a one-line reason in
// `error` ("truncated material 2", "batch 0..40 outside 36 vertices", ...)
// and leaves `out` empty.
bool readGeoFile(const void* data, size_t size, geoFileData& out, std::string& error,
                 geoVertexReading reading = geoVertexReading::wholeTriangles);
// The same, with the vertices left in `data` and described by `vertices`
// (`out.vertices` stays empty); `data` must outlive the run. On failure the
// run is empty.
bool readGeoFile(const void* data, size_t size, geoFileData& out, std::string& error, geoFileVertexRun* vertices);

// Encodes the records in the file layout above.
std::vector<uint8_t> writeGeoFile(const geoFileData& data);
