// The model-scheme project file (.tvp), decoded into plain records.
//
// Layout (little-endian, packed; counts are i32 and a count <= 0 means none;
// texts are fixed-size fields, NUL-terminated, bytes behind the NUL ignored):
//   char[32] magic "TOLVANEBUILDER PROJECT", i32 version (1),
//   char[256] model name, char[256] scheme name        (header, 548 bytes)
//   geometry block:
//     box (6 x f32: min x y z, max x y z)
//     texture block: u32 width, u32 height, u32 n, n bytes of a BMP file
//     i32 M, M materials (413 bytes each)
//     i32 V, V vertices (52 bytes each, the vertex file record)
//     i32 T, T triangles (179 bytes each, then their lists)
//     i32 R, R objects (nesting their children and mesh parts)
//     tool settings (4332 bytes with no outline points, no UV selection and
//     no cameras; 804 more per camera record)
//   i32 S, S stored shapes: char[128] name, i32 P, P points of 25 bytes.
// A file whose first 32 bytes are not the magic is version 0: no magic and no
// version (the model name starts at byte 0), materials without colours and
// values, objects without the visible byte, and no stored shapes.
//
// `readProjectFile` checks the whole file before anything is built from it:
// every count against the bytes left, every index against its list, mesh-part
// ranges against the vertices, object nesting, the texture's size and byte
// count. A file that fails gives false and a one-line reason, and `out` is
// left empty. `writeProjectFile` is the inverse.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/scheme/tbStoredShape.h"
#include "app/scheme/tbToolSettings.h"
#include "engine/core/simColour.h"
#include "engine/core/simVertex.h"

struct tbFileBox {
    d3dx::Vector3 min, max;
    bool operator==(const tbFileBox&) const = default;
};

// The paint texture's picture.
struct tbFileTexture {
    uint32_t width = 0, height = 0;  // pixels, 1..8192
    std::vector<uint8_t> bmp;        // a BMP file image
    bool operator==(const tbFileTexture&) const = default;
};

struct tbFileMaterial {
    uint32_t index = 0;
    std::string textureName;  // at most 255 characters
    uint8_t paintFlag = 0;
    // 32 bytes each: four i32 (red, green, blue, alpha), then four f32 copies.
    simColour ambient, diffuse, specular, fourthColour;
    float transparency = 0, value2 = 0, value3 = 0, reflectivity = 0, value5 = 0, eccentricity = 0;
};

struct tbFileTriangle {
    uint32_t index = 0;
    d3dx::Vector3 centre;
    float radius = 0;
    d3dx::Vector3 faceNormal;
    std::array<uint32_t, 3> vertexIndices{};
    std::array<d3dx::Vector3, 3> positions{}, normals{};
    std::array<d3dx::Vector2, 3> uvs{}, screenCorners{};
    std::array<float, 3> screenDepths{};
    std::array<uint8_t, 3> edgeFlags{};
    // Neighbours as triangle indices; corner lists as (triangle, corner).
    std::vector<uint32_t> edgeNeighbours, cornerNeighbours, textureNeighbours;
    std::array<std::vector<std::pair<uint32_t, uint32_t>>, 3> cornerLists;
    bool operator==(const tbFileTriangle&) const = default;
};

struct tbFileMeshPart {
    // A part without a material stores this index.
    static constexpr uint32_t kNoMaterial = 0xFFFFFFFFu;

    tbFileBox box;
    uint32_t firstVertex = 0, endVertex = 0;  // firstVertex <= endVertex <= vertex count
    uint32_t material = kNoMaterial;
    std::string textureName = "NULL";  // written for the reader's eyes only
};

struct tbFileObject {
    std::string name;  // at most 255 characters
    uint32_t kind = 0;
    uint8_t enabled = 1, visible = 1;
    tbFileBox box;
    std::vector<tbFileObject> children;
    std::vector<tbFileMeshPart> meshParts;
};

struct tbFileGeometry {
    tbFileBox box;
    tbFileTexture texture;
    std::vector<tbFileMaterial> materials;
    std::vector<simVertex> vertices;
    std::vector<tbFileTriangle> triangles;
    std::vector<tbFileObject> objects;
    tbToolSettings settings;
};

struct tbProjectFileData {
    static constexpr int32_t kCurrentVersion = 1;

    int32_t version = kCurrentVersion;
    std::string modelName;   // at most 255 bytes; one plain file name (no folder), else the file is refused
    std::string schemeName;  // at most 255 bytes
    tbFileGeometry geometry;
    std::vector<tbStoredShape> shapes;  // version 1 and later
};

// Sizes of the fixed records, in bytes.
constexpr size_t kProjectHeaderSize = 548;
constexpr size_t kProjectMaterialSize = 413;
constexpr size_t kProjectMaterialSizeV0 = 261;
constexpr size_t kProjectTriangleSize = 179;  // without its lists
constexpr size_t kProjectMeshPartSize = 292;
constexpr size_t kProjectToolSettingsSize = 4332;  // without outline points, UV lists and cameras
// Objects nest at most this deep; deeper files are refused.
constexpr int kProjectMaxObjectDepth = 64;

// `cameraCount` is the number of camera records the settings hold: the
// scene's first two cameras, those that exist.
bool readProjectFile(const void* data, size_t size, size_t cameraCount, tbProjectFileData& out,
                     std::string& error);
// Writes `data.version` 0 or 1 as laid out above; the settings hold as many
// camera records as `data.geometry.settings.cameras` has.
std::vector<uint8_t> writeProjectFile(const tbProjectFileData& data);
