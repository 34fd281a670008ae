// Small models for the model-scheme tests, written through the .geo writer.
#pragma once

#include <string>
#include <vector>

#include <utility>

#include "engine/graphics/geoFile.h"

namespace test {

// A flat grid of `columns` x `rows` quads (two triangles each) in the x-y
// plane, one unit per quad, texture coordinates across the whole grid;
// neighbouring quads share their corners exactly.
inline std::vector<simVertex> gridVertices(int columns, int rows) {
    std::vector<simVertex> out;
    auto corner = [&](int x, int y) {
        simVertex v;
        v.position = {float(x), float(y), 0.0f};
        v.normal = {0.0f, 0.0f, -1.0f};
        v.colour = 0xFFFFFFFF;
        v.uv[0] = {float(x) / float(columns), 1.0f - float(y) / float(rows)};
        return v;
    };
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < columns; ++x) {
            for (auto [cx, cy] : {std::pair{x, y}, {x, y + 1}, {x + 1, y + 1}, {x, y}, {x + 1, y + 1}, {x + 1, y}})
                out.push_back(corner(cx, cy));
        }
    }
    return out;
}

// A model named for `modelName`: material 0 "paint" textured with
// "<modelName>.bmp", material 1 "metal" with "metal.bmp"; the vertices in
// one root object "body" whose one layer (material 0) cuts them into
// `batches` equal batches, and a child "gear__col".
inline geoFileData paintableModel(const std::string& modelName, std::vector<simVertex> vertices, int batches = 1) {
    geoFileData geo;
    geo.box = {{0, 0, 0}, {1, 1, 1}};
    geoFileMaterial paint;
    paint.name = "paint";
    paint.textures = {modelName + ".bmp"};
    paint.diffuse = {1.0f, 0.5f, 0.25f};
    geoFileMaterial metal;
    metal.name = "metal";
    metal.textures = {"metal.bmp"};
    geo.materials = {paint, metal};
    const int32_t count = int32_t(vertices.size());
    geo.triangleCount = uint32_t(count / 3);
    geo.vertices = std::move(vertices);

    geoFileNode body;
    body.name = "body";
    body.box = geo.box;
    geoFileLayer layer;
    layer.box = geo.box;
    layer.materialIndex = 0;
    const int32_t triangles = count / 3;
    for (int b = 0; b < batches; ++b) {
        const int32_t first = triangles * b / batches * 3, end = triangles * (b + 1) / batches * 3;
        layer.batches.push_back({geo.box, first, end});
    }
    body.layers = {layer};
    geoFileNode gear;
    gear.name = "gear__col";
    gear.box = geo.box;
    body.children = {gear};
    geo.roots = {body};
    return geo;
}

// Where the bundled sample aircraft lives in the source tree.
inline std::string sparrowFolder() {
    return std::string(TOLVANE_SOURCE_DIR) + "/resources/objects/aircraft/fixedWing/trainers/sparrow";
}

}  // namespace test
