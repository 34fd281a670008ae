#include "app/site/tbHeightMapLod.h"

#include <algorithm>
#include <cmath>

#include "platform/d3dx/d3dxMath.h"

namespace {

// How far a corner may lie off its block's plane (world units), and how
// closely two blocks' normals must agree, for them to count as one plane:
// far below what any view can show.
constexpr float kPlaneTolerance = 0.01f;
constexpr float kNormalTolerance = 1e-6f;
// A corner nearer the eye's plane than this is taken as behind it.
constexpr float kNearestW = 1e-6f;

d3dx::Vector4 planeThrough(const d3dx::Vector3& a, const d3dx::Vector3& b, const d3dx::Vector3& c) {
    const d3dx::Vector3 ab = b - a, ac = c - a;
    d3dx::Vector3 n;
    d3dx::Vec3Cross(&n, &ab, &ac);
    d3dx::Vec3Normalize(&n, &n);
    return {n, -d3dx::Vec3Dot(&n, &a)};
}

bool onPlane(const d3dx::Vector4& plane, const d3dx::Vector3& p) {
    return std::fabs(plane.x * p.x + plane.y * p.y + plane.z * p.z + plane.w) <= kPlaneTolerance;
}

bool samePlane(const d3dx::Vector4& a, const d3dx::Vector4& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z >= 1.0f - kNormalTolerance && std::fabs(a.w - b.w) <= kPlaneTolerance;
}

}  // namespace

uint32_t tbHeightMapLod::blocksPerSide(uint32_t level) const {
    const uint32_t squares = m_n - 1, side = 1u << level;
    return (squares + side - 1) >> level;
}

tbHeightMapLod::Block& tbHeightMapLod::block(uint32_t level, uint32_t row, uint32_t column) {
    return m_blocks[level][size_t(row) * blocksPerSide(level) + column];
}

bool tbHeightMapLod::whole(uint32_t level, uint32_t row, uint32_t column) const {
    const uint32_t squares = m_n - 1;
    return ((row + 1) << level) <= squares && ((column + 1) << level) <= squares;
}

void tbHeightMapLod::build(uint32_t cellsPerSide, const std::vector<d3dx::Vector3>& positions,
                           const std::vector<uint32_t>& colours) {
    m_blocks.clear();
    m_n = cellsPerSide >= 2 && positions.size() >= size_t(cellsPerSide) * cellsPerSide &&
                  colours.size() >= positions.size()
              ? cellsPerSide
              : 0;
    m_levels = 0;
    if (m_n == 0) return;
    while ((1u << m_levels) < m_n - 1) ++m_levels;
    ++m_levels;
    m_blocks.resize(m_levels);
    const uint32_t n = m_n;

    // Single squares: the box of their corners; flat when the fourth corner
    // lies on the plane of the first three and all four share a colour.
    const uint32_t squares = n - 1;
    m_blocks[0].resize(size_t(squares) * squares);
    for (uint32_t r = 0; r < squares; ++r)
        for (uint32_t c = 0; c < squares; ++c) {
            const size_t i0 = size_t(r) * n + c, i1 = i0 + n, i2 = i1 + 1, i3 = i0 + 1;
            Block& b = block(0, r, c);
            d3dx::Vec3Minimize(&b.min, &positions[i0], &positions[i1]);
            d3dx::Vec3Minimize(&b.min, &b.min, &positions[i2]);
            d3dx::Vec3Minimize(&b.min, &b.min, &positions[i3]);
            d3dx::Vec3Maximize(&b.max, &positions[i0], &positions[i1]);
            d3dx::Vec3Maximize(&b.max, &b.max, &positions[i2]);
            d3dx::Vec3Maximize(&b.max, &b.max, &positions[i3]);
            b.plane = planeThrough(positions[i0], positions[i1], positions[i2]);
            b.colour = colours[i0];
            b.flat = colours[i1] == b.colour && colours[i2] == b.colour && colours[i3] == b.colour &&
                     onPlane(b.plane, positions[i3]);
        }

    // Each larger block from the (up to) four below it; only a block wholly
    // inside the map can be flat.
    for (uint32_t level = 1; level < m_levels; ++level) {
        const uint32_t side = blocksPerSide(level), below = blocksPerSide(level - 1);
        m_blocks[level].resize(size_t(side) * side);
        for (uint32_t r = 0; r < side; ++r)
            for (uint32_t c = 0; c < side; ++c) {
                Block& b = block(level, r, c);
                bool first = true;
                bool flat = whole(level, r, c);
                for (uint32_t k = 0; k < 4; ++k) {
                    const uint32_t cr = 2 * r + (k & 1), cc = 2 * c + (k >> 1);
                    if (cr >= below || cc >= below) continue;
                    const Block& child = block(level - 1, cr, cc);
                    if (first) {
                        b.min = child.min;
                        b.max = child.max;
                        b.plane = child.plane;
                        b.colour = child.colour;
                        first = false;
                    } else {
                        d3dx::Vec3Minimize(&b.min, &b.min, &child.min);
                        d3dx::Vec3Maximize(&b.max, &b.max, &child.max);
                    }
                    flat = flat && child.flat && child.colour == b.colour && samePlane(child.plane, b.plane);
                }
                b.flat = flat;
            }
    }
}

void tbHeightMapLod::visit(uint32_t level, uint32_t row, uint32_t column) {
    const Block& b = block(level, row, column);
    // The box's corners in clip space: wholly outside one side of the view
    // volume, the block is left out.
    int outside[6] = {};
    bool allInFront = true;
    float left = 1e30f, right = -1e30f, top = 1e30f, bottom = -1e30f;
    for (int k = 0; k < 8; ++k) {
        const d3dx::Vector3 p(k & 1 ? b.max.x : b.min.x, k & 2 ? b.max.y : b.min.y, k & 4 ? b.max.z : b.min.z);
        d3dx::Vector4 q;
        d3dx::Vec3Transform(&q, &p, &m_viewProjection);
        outside[0] += q.x < -q.w;
        outside[1] += q.x > q.w;
        outside[2] += q.y < -q.w;
        outside[3] += q.y > q.w;
        outside[4] += q.z < 0.0f;
        outside[5] += q.z > q.w;
        if (q.w <= kNearestW) {
            allInFront = false;
            continue;
        }
        const float x = q.x / q.w * m_halfWidth, y = q.y / q.w * m_halfHeight;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
    }
    for (int count : outside)
        if (count == 8) return;
    const float width = right - left, height = bottom - top;
    const bool small =
        allInFront && width * height <= kBlockArea && width <= kBlockSpan && height <= kBlockSpan;
    if (level == 0 || (whole(level, row, column) && (b.flat || small))) {
        m_leaves.push_back({level, row, column});
        return;
    }
    const uint32_t below = blocksPerSide(level - 1);
    for (uint32_t k = 0; k < 4; ++k) {
        const uint32_t r = 2 * row + (k & 1), c = 2 * column + (k >> 1);
        if (r < below && c < below) visit(level - 1, r, c);
    }
}

void tbHeightMapLod::emit(const Leaf& leaf, std::vector<uint32_t>* indices) {
    const uint32_t n = m_n, side = 1u << leaf.level;
    const uint32_t r0 = leaf.row * side, c0 = leaf.column * side;
    const uint32_t p0 = r0 * n + c0, p1 = p0 + side * n, p2 = p1 + side, p3 = p0 + side;
    // The outline from p0 through p1, p2 and p3, the squares' own order,
    // with every corner a neighbouring block uses on the way.
    std::vector<uint32_t>& outline = m_outline;
    outline.clear();
    const int32_t steps[4] = {int32_t(n), 1, -int32_t(n), -1};
    uint32_t at = p0;
    for (int32_t step : steps)
        for (uint32_t k = 0; k < side; ++k, at = uint32_t(int32_t(at) + step))
            if (k == 0 || m_corner[at]) outline.push_back(at);
    if (outline.size() == 4) {
        indices->insert(indices->end(), {p0, p1, p2, p0, p2, p3});
        return;
    }
    const uint32_t centre = (r0 + side / 2) * n + c0 + side / 2;
    for (size_t i = 0; i < outline.size(); ++i)
        indices->insert(indices->end(), {centre, outline[i], outline[(i + 1) % outline.size()]});
}

void tbHeightMapLod::select(const d3dx::Matrix& viewProjection, float width, float height,
                            std::vector<uint32_t>* indices) {
    indices->clear();
    if (m_n == 0) return;
    m_viewProjection = viewProjection;
    m_halfWidth = width / 2;
    m_halfHeight = height / 2;
    m_leaves.clear();
    visit(m_levels - 1, 0, 0);

    m_corner.assign(size_t(m_n) * m_n, 0);
    for (const Leaf& leaf : m_leaves) {
        const uint32_t side = 1u << leaf.level, r0 = leaf.row * side, c0 = leaf.column * side;
        const uint32_t p0 = r0 * m_n + c0, p1 = p0 + side * m_n;
        m_corner[p0] = m_corner[p0 + side] = m_corner[p1] = m_corner[p1 + side] = 1;
    }
    for (const Leaf& leaf : m_leaves) emit(leaf, indices);
}
