// Importing a model for painting: reading the .geo file, normalising its
// texture coordinates and building the triangles with their neighbour lists,
// the edge flags and the re-triangulation of thin neighbours (the paint
// texture's creation does not depend on the triangle count and is left out).
//  - the program's hashed neighbour search on a 50,000-triangle model, and on
//    5,000 triangles for comparison;
//  - the search that compares every pair of triangles on 5,000 triangles;
//    it grows with the square of the count, so 50,000 triangles would take
//    100 times as long;
//  - the sample trainer users paint first (kestrel, about 22,000 triangles).
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbTextureCoordinate.h"
#include "engine/graphics/geoFile.h"
#include "tests/app/scheme/pairwiseNeighbours.h"
#include "tests/app/scheme/schemeModels.h"

namespace {

// A grid of quads with `triangles` triangles (rows of 100 quads).
std::vector<uint8_t> gridFile(int triangles) {
    const int columns = 100, rows = triangles / (2 * columns);
    return writeGeoFile(test::paintableModel("bench", test::gridVertices(columns, rows), 4));
}

void importTriangles(const std::vector<uint8_t>& file, bool pairwise) {
    geoFileData geo;
    std::string error;
    if (!readGeoFile(file.data(), file.size(), geo, error)) return;
    tbGeometry model(nullptr);
    model.vertices.reserve(geo.vertices.size());
    for (simVertex v : geo.vertices) {
        v.uv[0].x = tbTextureCoordinate::normalise(v.uv[0].x);
        v.uv[0].y = tbTextureCoordinate::normalise(v.uv[0].y);
        model.box.growByPoint(v.position);
        model.vertices.push_back(v);
    }
    if (pairwise) {
        model.buildTriangles(&test::PairwiseNeighbours::make);
    } else {
        model.buildTriangles();
    }
    benchmark::DoNotOptimize(model.triangles.data());
}

void BM_ImportHashedSearch(benchmark::State& state) {
    const std::vector<uint8_t> file = gridFile(int(state.range(0)));
    for (auto _ : state) importTriangles(file, false);
    state.counters["triangles"] = double(state.range(0));
}
BENCHMARK(BM_ImportHashedSearch)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_ImportPairwiseSearch(benchmark::State& state) {
    const std::vector<uint8_t> file = gridFile(int(state.range(0)));
    for (auto _ : state) importTriangles(file, true);
    state.counters["triangles"] = double(state.range(0));
}
BENCHMARK(BM_ImportPairwiseSearch)->Arg(5000)->Unit(benchmark::kMillisecond);

void BM_ImportSampleTrainer(benchmark::State& state) {
    std::ifstream in(std::string(TOLVANE_SOURCE_DIR) +
                         "/resources/objects/aircraft/fixedWing/trainers/kestrel/kestrel.geo",
                     std::ios::binary);
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    geoFileData geo;
    std::string error;
    if (!readGeoFile(file.data(), file.size(), geo, error)) {
        state.SkipWithError("the sample trainer cannot be read");
        return;
    }
    for (auto _ : state) importTriangles(file, false);
    state.counters["triangles"] = double(geo.vertices.size() / 3);
}
BENCHMARK(BM_ImportSampleTrainer)->Unit(benchmark::kMillisecond);

}  // namespace
