#include "app/scheme/tbNeighbourIndex.h"

#include <algorithm>
#include <bit>

namespace {

// Equal floats share a bit pattern except for the two zeros.
uint32_t bitsOf(float value) { return value == 0.0f ? 0u : std::bit_cast<uint32_t>(value); }

void eraseOne(std::vector<uint32_t>& list, uint32_t value) {
    auto it = std::find(list.begin(), list.end(), value);
    if (it != list.end()) list.erase(it);
}

// Coordinates of models are often whole or simple numbers whose low mantissa
// bits are all zero, so every bit of the key is mixed into every bit of the
// hash (the finaliser of splitmix64).
uint64_t mix(uint64_t h) {
    h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ull;
    h = (h ^ (h >> 27)) * 0x94D049BB133111EBull;
    return h ^ (h >> 31);
}

}  // namespace

size_t tbNeighbourIndex::KeyHash::operator()(const Key& key) const {
    const uint64_t xy = uint64_t(key.bits[0]) | uint64_t(key.bits[1]) << 32;
    return static_cast<size_t>(mix(mix(xy) ^ key.bits[2]));
}

tbNeighbourIndex::Key tbNeighbourIndex::positionKey(const d3dx::Vector3& p) {
    return Key{{bitsOf(p.x), bitsOf(p.y), bitsOf(p.z)}};
}

tbNeighbourIndex::Key tbNeighbourIndex::uvKey(const d3dx::Vector2& uv) {
    return Key{{bitsOf(uv.x), bitsOf(uv.y), 0u}};
}

tbNeighbourIndex::tbNeighbourIndex(const Triangles& triangles) : m_triangles(triangles) {
    m_positions.reserve(triangles.size() * 2);
    m_uvs.reserve(triangles.size() * 2);
    for (const auto& t : triangles) insert(*t);
}

void tbNeighbourIndex::insert(const tbTriangle& t) {
    for (int i = 0; i < 3; ++i) {
        m_positions[positionKey(t.positions[i])].push_back(t.index);
        m_uvs[uvKey(t.uvs[i])].push_back(t.index);
    }
}

void tbNeighbourIndex::remove(const tbTriangle& t) {
    for (int i = 0; i < 3; ++i) {
        eraseOne(m_positions[positionKey(t.positions[i])], t.index);
        eraseOne(m_uvs[uvKey(t.uvs[i])], t.index);
    }
}

void tbNeighbourIndex::findNeighbours(tbTriangle& t) {
    t.edgeNeighbours.clear();
    t.cornerNeighbours.clear();
    t.textureNeighbours.clear();
    for (auto& list : t.cornerLists) list.clear();

    m_candidates.clear();
    for (int i = 0; i < 3; ++i) {
        for (const Map* map : {&m_positions, &m_uvs}) {
            const auto found = map == &m_positions ? map->find(positionKey(t.positions[i]))
                                                   : map->find(uvKey(t.uvs[i]));
            if (found != map->end())
                m_candidates.insert(m_candidates.end(), found->second.begin(), found->second.end());
        }
    }
    std::sort(m_candidates.begin(), m_candidates.end());
    m_candidates.erase(std::unique(m_candidates.begin(), m_candidates.end()), m_candidates.end());

    for (uint32_t index : m_candidates) {
        tbTriangle* other = m_triangles[index].get();
        if (other == &t) continue;
        int positionMatches = 0, textureMatches = 0;
        for (uint32_t i = 0; i < 3; ++i) {
            for (uint32_t j = 0; j < 3; ++j) {
                if (t.positions[i] == other->positions[j]) {
                    t.cornerLists[i].push_back({other, j});
                    ++positionMatches;
                }
                if (t.uvs[i] == other->uvs[j]) ++textureMatches;
            }
        }
        if (positionMatches == 2) t.edgeNeighbours.push_back(other);
        if (positionMatches == 1) t.cornerNeighbours.push_back(other);
        if (textureMatches == 2) t.textureNeighbours.push_back(other);
    }
}
