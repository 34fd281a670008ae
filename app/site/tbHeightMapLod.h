// tbHeightMapLod: which triangles of a height map one view draws.
//
// A large map seen from the ground spends most of its squares far away,
// where dozens of them share a pixel, and the software rasteriser pays for
// every one. The map's squares are grouped in a quadtree of square blocks
// (1, 2, 4 ... squares a side); a view draws a block whole when
//   - it is flat: every corner in one plane and of one colour, so the whole
//     block looks exactly as its squares would; or
//   - it covers at most kBlockArea square pixels of the screen and spans at
//     most kBlockSpan pixels each way, where its squares are a few pixels
//     across or slivers of a pixel (far off, or seen at a grazing angle) and
//     the picture barely changes (a hilly 256 x 256 map seen from the
//     pilot's eye changes under 0.2 per cent of its pixels visibly);
// and leaves out a block that lies wholly outside the view. Single squares
// are the map's own two triangles (p0, p1, p2) and (p0, p2, p3), p0 first, so
// close up the picture is the map's square for square.
//
// A drawn block joins its neighbours without cracks: its outline runs
// through every corner that a smaller neighbouring block uses on its edge,
// as a fan around the block's centre cell, so two blocks always share their
// edge's vertices. Triangles keep the squares' winding, so culling drops the
// same side. Flat shading takes a triangle's colour from its first corner:
// a square's p0 as in the map, a block's centre cell for a fan.
//
// Indices name the map's cells row by row (cell (r, c) is r * N + c); a cell
// is a corner of the squares (r, c), (r - 1, c), (r, c - 1), (r - 1, c - 1).
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3dx/d3dxMathTypes.h"

class tbHeightMapLod {
public:
    // The most a block drawn whole may cover: the box of its corners on the
    // screen, in square pixels, and its side in pixels.
    static constexpr float kBlockArea = 100.0f;
    static constexpr float kBlockSpan = 32.0f;

    // The blocks' boxes and flatness from the cells' world positions and
    // colours, N x N row by row; fewer than 2 x 2 cells give no triangles.
    void build(uint32_t cellsPerSide, const std::vector<d3dx::Vector3>& positions,
               const std::vector<uint32_t>& colours);
    // The triangles (3 indices each) drawn through `viewProjection` (world to
    // clip space, Direct3D's depth 0..w) into a viewport of `width` x `height`
    // pixels.
    void select(const d3dx::Matrix& viewProjection, float width, float height, std::vector<uint32_t>* indices);

private:
    struct Block {
        d3dx::Vector3 min, max;
        // Flat: the block's cells lie on plane.x * x + plane.y * y +
        // plane.z * z + plane.w = 0 (unit normal) and share `colour`.
        d3dx::Vector4 plane;
        uint32_t colour = 0;
        bool flat = false;
    };
    struct Leaf {
        uint32_t level, row, column;
    };
    // How many blocks of `level` (2^level squares a side) a side of the map holds.
    uint32_t blocksPerSide(uint32_t level) const;
    Block& block(uint32_t level, uint32_t row, uint32_t column);
    // Whether the block lies wholly inside the map.
    bool whole(uint32_t level, uint32_t row, uint32_t column) const;
    void visit(uint32_t level, uint32_t row, uint32_t column);
    void emit(const Leaf& leaf, std::vector<uint32_t>* indices);

    uint32_t m_n = 0;       // cells a side
    uint32_t m_levels = 0;  // level L blocks are 2^L squares a side
    // Blocks of each level, row by row, covering the squares from (0, 0).
    std::vector<std::vector<Block>> m_blocks;
    // What select works with.
    d3dx::Matrix m_viewProjection;
    float m_halfWidth = 0, m_halfHeight = 0;
    std::vector<Leaf> m_leaves;
    std::vector<uint8_t> m_corner;  // per cell: a corner of a drawn block
    std::vector<uint32_t> m_outline;
};
