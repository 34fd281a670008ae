// tbNeighbourIndex: finds a triangle's neighbours without comparing it with
// every other triangle.
//
// Corners are filed under the exact bit patterns of their positions and of
// their texture coordinates (-0 filed with +0, since they compare equal), so
// the triangles that can share a corner with a given one are found by a few
// look-ups. Those candidates are then compared corner by corner with exact
// float comparison, in triangle order, so every list has the same contents
// and the same order as comparing the triangle with all others would give.
//
// The index holds triangle positions, not pointers: a triangle whose corners
// move (the import's re-triangulation of thin triangles) is taken out before
// the move and filed again after it.
#pragma once

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "app/scheme/tbTriangle.h"

// What the triangle builder needs of a neighbour search. The index below is
// the program's; a search comparing every pair of triangles stands in for it
// where the two are measured or checked against each other.
class tbNeighbourFinder {
public:
    virtual ~tbNeighbourFinder() = default;
    // Empties the triangle's seven lists and fills them again.
    virtual void findNeighbours(tbTriangle& triangle) = 0;
    // Told before a triangle's corners move, and after.
    virtual void remove(const tbTriangle& triangle) = 0;
    virtual void insert(const tbTriangle& triangle) = 0;
};

class tbNeighbourIndex : public tbNeighbourFinder {
public:
    using Triangles = std::vector<std::unique_ptr<tbTriangle>>;

    // Files every corner of every triangle; `triangles` must outlive the index
    // and keep its length, and each triangle's index must be its position.
    explicit tbNeighbourIndex(const Triangles& triangles);

    // Empties the triangle's seven lists and fills them again from the
    // triangles that share a position or a texture coordinate with it.
    void findNeighbours(tbTriangle& triangle) override;

    // Takes the triangle's corners out of the index, or files them again.
    void remove(const tbTriangle& triangle) override;
    void insert(const tbTriangle& triangle) override;

private:
    struct Key {
        uint32_t bits[3];
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        size_t operator()(const Key& key) const;
    };
    using Map = std::unordered_map<Key, std::vector<uint32_t>, KeyHash>;

    static Key positionKey(const d3dx::Vector3& p);
    static Key uvKey(const d3dx::Vector2& uv);

    const Triangles& m_triangles;
    Map m_positions;  // triangle indices with a corner at that position (once per corner)
    Map m_uvs;        // the same for texture coordinates
    std::vector<uint32_t> m_candidates;  // scratch, kept to spare allocations
};
