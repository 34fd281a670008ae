#include "app/scheme/tbMirrorMatch.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "app/scheme/tbTriangle.h"
#include "engine/core/utilsPicking.h"

namespace {

constexpr float kNormalTolerance = 0.05f;     // squared length of the normals' difference
constexpr float kCornerTolerance = 0.01f;     // squared distance to a source corner
constexpr float kUnchangedTolerance = 0.005f;  // squared UV distance that counts as the triangle's own
// The plane test was first made on the depth of an orthographic projector
// looking along the source's normal, near 0.01 and far 1000: 0.0001 of that
// depth range, in model units.
constexpr float kPlaneTolerance = 0.0001f * (1000.0f - 0.01f);
// A written triangle spanning more cells than this is tried against every
// source instead, so one huge triangle cannot fill the grid.
constexpr int64_t kMaxCellsPerTriangle = 64;

float dot(const d3dx::Vector3& a, const d3dx::Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
d3dx::Vector3 mirrored(const d3dx::Vector3& v) { return {-v.x, v.y, v.z}; }
bool finite(const d3dx::Vector3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

struct Box {
    d3dx::Vector3 lo{INFINITY, INFINITY, INFINITY}, hi{-INFINITY, -INFINITY, -INFINITY};
    void grow(const d3dx::Vector3& p) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    void grow(const Box& b) {
        grow(b.lo);
        grow(b.hi);
    }
    float largestSide() const { return std::max({hi.x - lo.x, hi.y - lo.y, hi.z - lo.z}); }
};

// A written triangle as its mirror image, with what its corners matched.
struct Written {
    tbTriangle* triangle = nullptr;
    d3dx::Vector3 corners[3];
    d3dx::Vector3 centre, normal;
    Box reach;  // where a source must reach for any corner to match
    bool matched[3] = {false, false, false};
    d3dx::Vector2 uvs[3];
    size_t lastSource = SIZE_MAX;
};

// A triangle made of numbers (an infinite or undefined coordinate or normal
// matches nothing, in either role).
bool wellFormed(const tbTriangle& t) {
    return finite(t.positions[0]) && finite(t.positions[1]) && finite(t.positions[2]) && finite(t.centre) &&
           finite(t.faceNormal) && std::isfinite(t.radius);
}

// The written triangles in cells of one size, each listed in every cell its
// reach overlaps (compressed rows: the cell's entries are items[start[c] ..
// start[c + 1])).
class Grid {
public:
    explicit Grid(const std::vector<Written>& written) {
        Box bounds;
        double sides = 0.0;
        for (const Written& w : written) {
            bounds.grow(w.reach);
            sides += double(w.reach.largestSide());
        }
        if (written.empty()) return;
        m_origin = bounds.lo;
        // Cells about as large as a triangle's reach, but never more cells
        // than a few per triangle, however spread out the model is.
        m_cell = sides / double(written.size());
        if (!(m_cell > 0.0)) m_cell = 1.0;
        const int64_t budget = 4 * int64_t(written.size()) + 64;
        for (;;) {
            const double sizes[3] = {double(bounds.hi.x) - bounds.lo.x, double(bounds.hi.y) - bounds.lo.y,
                                     double(bounds.hi.z) - bounds.lo.z};
            int64_t cells = 1;
            for (int a = 0; a < 3; ++a) {
                const double count = std::ceil(sizes[a] / m_cell);
                m_count[a] = count > double(budget) ? budget + 1 : std::max<int64_t>(1, int64_t(count));
                cells = std::min<int64_t>(cells * m_count[a], budget + 1);
            }
            if (cells <= budget) break;
            m_cell *= 1.25;
        }
        const size_t cellCount = size_t(m_count[0] * m_count[1] * m_count[2]);
        m_start.assign(cellCount + 1, 0);
        // Two passes: count each cell's entries, then place them.
        for (int pass = 0; pass < 2; ++pass) {
            std::vector<uint32_t> next;
            if (pass == 1) {
                for (size_t c = 0; c < cellCount; ++c) m_start[c + 1] += m_start[c];
                m_items.resize(m_start[cellCount]);
                next.assign(m_start.begin(), m_start.end() - 1);
            }
            for (uint32_t i = 0; i < written.size(); ++i) {
                int64_t lo[3], hi[3];
                range(written[i].reach, lo, hi);
                if ((hi[0] - lo[0] + 1) * (hi[1] - lo[1] + 1) * (hi[2] - lo[2] + 1) > kMaxCellsPerTriangle) {
                    if (pass == 0) m_oversize.push_back(i);
                    continue;
                }
                forCells(lo, hi, [&](size_t c) {
                    if (pass == 0) ++m_start[c + 1];
                    else m_items[next[c]++] = i;
                });
            }
        }
    }

    // Every written triangle whose reach may overlap the box, some perhaps
    // more than once.
    template <typename Visit>
    void near(const Box& box, Visit&& visit) const {
        for (uint32_t i : m_oversize) visit(i);
        if (m_start.empty()) return;
        int64_t lo[3], hi[3];
        range(box, lo, hi);
        forCells(lo, hi, [&](size_t c) {
            for (uint32_t k = m_start[c]; k < m_start[c + 1]; ++k) visit(m_items[k]);
        });
    }

private:
    void range(const Box& box, int64_t lo[3], int64_t hi[3]) const {
        const double from[3] = {double(box.lo.x) - m_origin.x, double(box.lo.y) - m_origin.y,
                                double(box.lo.z) - m_origin.z};
        const double to[3] = {double(box.hi.x) - m_origin.x, double(box.hi.y) - m_origin.y,
                              double(box.hi.z) - m_origin.z};
        for (int a = 0; a < 3; ++a) {
            auto cellOf = [&](double offset) {
                const double c = std::floor(offset / m_cell);
                return int64_t(std::clamp(c, 0.0, double(m_count[a] - 1)));
            };
            lo[a] = cellOf(from[a]);
            hi[a] = cellOf(to[a]);
        }
    }
    template <typename Each>
    void forCells(const int64_t lo[3], const int64_t hi[3], Each&& each) const {
        for (int64_t z = lo[2]; z <= hi[2]; ++z)
            for (int64_t y = lo[1]; y <= hi[1]; ++y)
                for (int64_t x = lo[0]; x <= hi[0]; ++x)
                    each(size_t((z * m_count[1] + y) * m_count[0] + x));
    }

    d3dx::Vector3 m_origin;
    double m_cell = 1.0;
    int64_t m_count[3] = {1, 1, 1};
    std::vector<uint32_t> m_start, m_items, m_oversize;
};

// One source against one written triangle: the corners it matches take its UVs.
void match(const tbTriangle& s, Written& w) {
    if (std::fabs(dot(w.centre - s.centre, s.faceNormal)) > kPlaneTolerance) return;
    const d3dx::Vector3 normals = w.normal - s.faceNormal;
    if (dot(normals, normals) > kNormalTolerance) return;
    for (int k = 0; k < 3; ++k) {
        const d3dx::Vector3& m = w.corners[k];
        bool found = false;
        for (int c = 0; c < 3 && !found; ++c) {
            const d3dx::Vector3 d = m - s.positions[c];
            if (dot(d, d) < kCornerTolerance) {
                w.uvs[k] = s.uvs[c];
                found = true;
            }
        }
        if (!found && utils::pointInTriangle(m, s.positions[0], s.positions[1], s.positions[2])) {
            utils::interpolateTriangleUV(m, s.positions[0], s.positions[1], s.positions[2], s.uvs[0], s.uvs[1],
                                         s.uvs[2], &w.uvs[k]);
            found = true;
        }
        if (found) w.matched[k] = true;
    }
}

bool unchanged(const Written& w) {
    for (int k = 0; k < 3; ++k) {
        const d3dx::Vector2 d = w.uvs[k] - w.triangle->uvs[k];
        if (d.x * d.x + d.y * d.y > kUnchangedTolerance) return false;
    }
    return true;
}

}  // namespace

std::vector<tbMirrorCopy> tbMatchMirror(const std::vector<tbTriangle*>& work, int direction,
                                        const std::function<void(float)>& progress) {
    auto writes = [direction](const tbTriangle& t) {
        return direction == 0 ? t.centre.x <= 0.0f : t.centre.x >= 0.0f;
    };
    auto reads = [direction](const tbTriangle& t) {
        return direction == 0 ? t.centre.x >= 0.0f : t.centre.x <= 0.0f;
    };

    std::vector<Written> written;
    for (tbTriangle* t : work) {
        if (!writes(*t) || !wellFormed(*t)) continue;
        Written w;
        w.triangle = t;
        for (int k = 0; k < 3; ++k) w.corners[k] = mirrored(t->positions[k]);
        w.centre = mirrored(t->centre);
        w.normal = mirrored(t->faceNormal);
        // A corner matches a source only within the corner tolerance of it
        // or inside it, and the centre must lie near the source's plane, so
        // a corner lies at most the radius plus the plane tolerance off it.
        const float margin = t->radius + kPlaneTolerance + 1e-3f * (1.0f + t->radius);
        for (const d3dx::Vector3& c : w.corners) {
            w.reach.grow(c - d3dx::Vector3(margin, margin, margin));
            w.reach.grow(c + d3dx::Vector3(margin, margin, margin));
        }
        written.push_back(w);
    }
    const Grid grid(written);

    const size_t step = std::max<size_t>(1, work.size() / 100);
    for (size_t i = 0; i < work.size(); ++i) {
        if (progress && i % step == 0) progress(float(i) / float(work.size()));
        const tbTriangle& s = *work[i];
        if (!reads(s) || !wellFormed(s)) continue;
        Box box;
        for (const d3dx::Vector3& p : s.positions) box.grow(p);
        grid.near(box, [&](uint32_t k) {
            Written& w = written[k];
            if (w.lastSource == i) return;
            w.lastSource = i;
            match(s, w);
        });
    }
    if (progress) progress(1.0f);

    std::vector<tbMirrorCopy> copies;
    for (const Written& w : written) {
        if (!w.matched[0] || !w.matched[1] || !w.matched[2] || unchanged(w)) continue;
        copies.push_back({w.triangle, {w.uvs[0], w.uvs[1], w.uvs[2]}});
    }
    return copies;
}
