// The neighbour search that compares a triangle with every other one, corner
// by corner with exact float comparison: the reference the program's hashed
// index must match list for list, and the baseline it is measured against.
#pragma once

#include <memory>
#include <vector>

#include "app/scheme/tbNeighbourIndex.h"

namespace test {

class PairwiseNeighbours : public tbNeighbourFinder {
public:
    explicit PairwiseNeighbours(const std::vector<std::unique_ptr<tbTriangle>>& triangles)
        : m_triangles(triangles) {}

    void findNeighbours(tbTriangle& t) override {
        t.edgeNeighbours.clear();
        t.cornerNeighbours.clear();
        t.textureNeighbours.clear();
        for (auto& list : t.cornerLists) list.clear();
        for (const auto& candidate : m_triangles) {
            tbTriangle* other = candidate.get();
            if (other == &t) continue;
            int positions = 0, uvs = 0;
            for (uint32_t i = 0; i < 3; ++i) {
                for (uint32_t j = 0; j < 3; ++j) {
                    if (t.positions[i].x == other->positions[j].x && t.positions[i].y == other->positions[j].y &&
                        t.positions[i].z == other->positions[j].z) {
                        t.cornerLists[i].push_back({other, j});
                        ++positions;
                    }
                    if (t.uvs[i].x == other->uvs[j].x && t.uvs[i].y == other->uvs[j].y) ++uvs;
                }
            }
            if (positions == 2) t.edgeNeighbours.push_back(other);
            if (positions == 1) t.cornerNeighbours.push_back(other);
            if (uvs == 2) t.textureNeighbours.push_back(other);
        }
    }
    void remove(const tbTriangle&) override {}
    void insert(const tbTriangle&) override {}

    static std::unique_ptr<tbNeighbourFinder> make(const std::vector<std::unique_ptr<tbTriangle>>& triangles) {
        return std::make_unique<PairwiseNeighbours>(triangles);
    }

private:
    const std::vector<std::unique_ptr<tbTriangle>>& m_triangles;
};

}  // namespace test
