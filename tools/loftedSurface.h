// loftedSurface: the smooth parts of the sample aircraft and how their
// texture coordinates are laid out. Included by geoGenerator.cpp only.
//
// Every part is a grid of points P(i, j): i runs along the part (fuselage
// stations, wing span, spinner profile), j across it (round a section or an
// airfoil). Each grid is one island of the paint texture, unrolled by arc
// length (u along the part, v across each row, centred), so a texel covers
// about the same surface everywhere. All islands share one scale and are
// packed on shelves, the largest scale that fits the texture.
//
// Closed parts share exact positions where their edges meet (zero-thickness
// wing tips, fuselage halves meeting on the top and bottom lines), so the
// painting tools find a neighbour across every seam.
#pragma once

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "engine/core/simVertex.h"

namespace loft {

using d3dx::Vector2;
using d3dx::Vector3;

constexpr float kPi = 3.14159265f;

inline Vector3 sub(const Vector3& a, const Vector3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vector3 add(const Vector3& a, const Vector3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vector3 scale(const Vector3& a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline float dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vector3 cross(const Vector3& a, const Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float length(const Vector3& a) { return std::sqrt(dot(a, a)); }
inline bool same(const Vector3& a, const Vector3& b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

// A grid of points with the centre of each row i's section, from which
// "outward" is told.
struct Grid {
    int rows = 0, columns = 0;  // i in [0, rows), j in [0, columns)
    std::vector<Vector3> points;
    std::vector<Vector3> centres;  // one per row
    Vector3& at(int i, int j) { return points[size_t(i) * columns + j]; }
    const Vector3& at(int i, int j) const { return points[size_t(i) * columns + j]; }
};

inline Grid makeGrid(int rows, int columns, const std::function<Vector3(int, int)>& point,
                     const std::function<Vector3(int)>& centre) {
    Grid g;
    g.rows = rows;
    g.columns = columns;
    g.points.resize(size_t(rows) * columns);
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j) g.at(i, j) = point(i, j);
        g.centres.push_back(centre(i));
    }
    return g;
}

// One part's triangles before packing: texture coordinates are in surface
// units until `pack` places the island.
struct Island {
    std::vector<simVertex> vertices;
    bool paint = true;  // laid out on the paint texture
    float minU = 0, minV = 0, maxU = 0, maxV = 0;
};

// Unrolls the grid by arc length and triangulates it, each triangle wound
// clockwise seen from outside; triangles with two corners on one point
// (the fans round a closed end) are left out.
inline Island islandOf(const Grid& g) {
    // Along is the same for a whole row (the mean step of its points), so
    // each row is a straight line on the texture and no cell can fold over
    // where the points of one row move by different amounts.
    std::vector<Vector2> uv(g.points.size());
    float along = 0;
    for (int i = 0; i < g.rows; ++i) {
        if (i > 0) {
            float step = 0;
            for (int j = 0; j < g.columns; ++j) step += length(sub(g.at(i, j), g.at(i - 1, j)));
            along += step / float(g.columns);
        }
        std::vector<float> across(g.columns, 0.0f);
        for (int j = 1; j < g.columns; ++j) across[j] = across[j - 1] + length(sub(g.at(i, j), g.at(i, j - 1)));
        for (int j = 0; j < g.columns; ++j) uv[size_t(i) * g.columns + j] = {along, across[j] - across.back() / 2};
    }
    auto normalAt = [&](int i, int j) {
        const Vector3 di = sub(g.at(std::min(i + 1, g.rows - 1), j), g.at(std::max(i - 1, 0), j));
        const Vector3 dj = sub(g.at(i, std::min(j + 1, g.columns - 1)), g.at(i, std::max(j - 1, 0)));
        Vector3 n = cross(di, dj);
        const Vector3 out = sub(g.at(i, j), g.centres[i]);
        if (length(n) < 1e-6f) n = out;
        if (dot(n, out) < 0) n = scale(n, -1);
        const float l = length(n);
        return l > 0 ? scale(n, 1 / l) : Vector3(0, 1, 0);
    };
    Island island;
    auto vertex = [&](int i, int j) {
        simVertex v;
        v.position = g.at(i, j);
        v.normal = normalAt(i, j);
        v.colour = 0xFFFFFFFF;
        v.uv[0] = v.uv[1] = v.uv[2] = uv[size_t(i) * g.columns + j];
        return v;
    };
    auto triangle = [&](simVertex a, simVertex b, simVertex c, const Vector3& centre) {
        if (same(a.position, b.position) || same(b.position, c.position) || same(a.position, c.position)) return;
        const Vector3 mid = scale(add(add(a.position, b.position), c.position), 1.0f / 3);
        if (dot(cross(sub(b.position, a.position), sub(c.position, a.position)), sub(mid, centre)) < 0)
            std::swap(b, c);
        island.vertices.push_back(a);
        island.vertices.push_back(b);
        island.vertices.push_back(c);
    };
    // A cell is cut along the diagonal that leaves no triangle with all its
    // corners on the grid's edge: where an edge collapses onto another
    // island's (a body closing to a line, a tip of no thickness) such a
    // triangle would be the very same triangle in both islands.
    auto onEdge = [&](int i, int j) { return i == 0 || j == 0 || i == g.rows - 1 || j == g.columns - 1; };
    for (int i = 0; i + 1 < g.rows; ++i) {
        const Vector3 centre = scale(add(g.centres[i], g.centres[i + 1]), 0.5f);
        for (int j = 0; j + 1 < g.columns; ++j) {
            const bool flip = (onEdge(i, j) && onEdge(i + 1, j) && onEdge(i + 1, j + 1)) ||
                              (onEdge(i, j) && onEdge(i + 1, j + 1) && onEdge(i, j + 1));
            if (!flip) {
                triangle(vertex(i, j), vertex(i + 1, j), vertex(i + 1, j + 1), centre);
                triangle(vertex(i, j), vertex(i + 1, j + 1), vertex(i, j + 1), centre);
            } else {
                triangle(vertex(i, j), vertex(i + 1, j), vertex(i, j + 1), centre);
                triangle(vertex(i + 1, j), vertex(i + 1, j + 1), vertex(i, j + 1), centre);
            }
        }
    }
    return island;
}

// Places every paint island on the unit texture at one common scale: each
// turned to lie long side across, sorted tallest first onto shelves, with a
// gap of `gap` (texture units) round each. Non-paint islands are squeezed
// into (0..1) on their own.
inline void pack(std::vector<Island*> islands, float gap) {
    for (Island* is : islands) {
        is->minU = is->minV = 1e30f;
        is->maxU = is->maxV = -1e30f;
        for (const simVertex& v : is->vertices) {
            is->minU = std::min(is->minU, v.uv[0].x), is->maxU = std::max(is->maxU, v.uv[0].x);
            is->minV = std::min(is->minV, v.uv[0].y), is->maxV = std::max(is->maxV, v.uv[0].y);
        }
        if (is->maxV - is->minV > is->maxU - is->minU) {
            for (simVertex& v : is->vertices) v.uv[0] = {v.uv[0].y, v.uv[0].x};
            std::swap(is->minU, is->minV);
            std::swap(is->maxU, is->maxV);
        }
    }
    std::vector<Island*> paint;
    for (Island* is : islands) {
        if (is->paint) {
            paint.push_back(is);
            continue;
        }
        const float w = std::max(is->maxU - is->minU, 1e-6f), h = std::max(is->maxV - is->minV, 1e-6f);
        for (simVertex& v : is->vertices) {
            v.uv[0] = {(v.uv[0].x - is->minU) / w, (v.uv[0].y - is->minV) / h};
            v.uv[1] = v.uv[2] = v.uv[0];
        }
    }
    std::stable_sort(paint.begin(), paint.end(),
                     [](const Island* a, const Island* b) { return a->maxV - a->minV > b->maxV - b->minV; });
    // Where each island's corner goes at scale s; false when they overflow.
    std::vector<Vector2> corners(paint.size());
    auto layout = [&](float s) {
        float x = gap, y = gap, shelf = 0;
        for (size_t k = 0; k < paint.size(); ++k) {
            const float w = (paint[k]->maxU - paint[k]->minU) * s, h = (paint[k]->maxV - paint[k]->minV) * s;
            if (x + w + gap > 1) {
                x = gap;
                y += shelf + gap;
                shelf = 0;
            }
            if (x + w + gap > 1 || y + h + gap > 1) return false;
            corners[k] = {x, y};
            x += w + gap;
            shelf = std::max(shelf, h);
        }
        return true;
    };
    float lo = 0, hi = 1;
    while (layout(hi)) hi *= 2;
    for (int step = 0; step < 40; ++step) {
        const float mid = (lo + hi) / 2;
        (layout(mid) ? lo : hi) = mid;
    }
    layout(lo);
    for (size_t k = 0; k < paint.size(); ++k) {
        for (simVertex& v : paint[k]->vertices) {
            v.uv[0] = {corners[k].x + (v.uv[0].x - paint[k]->minU) * lo,
                       corners[k].y + (v.uv[0].y - paint[k]->minV) * lo};
            v.uv[1] = v.uv[2] = v.uv[0];
        }
    }
}

// ---- Shapes

// The half-thickness of a symmetric four-digit airfoil with a closed
// trailing edge, as a fraction of the chord, at x (0 leading edge .. 1
// trailing edge).
inline float airfoilThickness(float x, float thickness) {
    // Exactly closed at both edges, so the two sides of a split surface meet.
    if (x <= 0 || x >= 1) return 0;
    return 5 * thickness *
           (0.2969f * std::sqrt(x) - 0.1260f * x - 0.3516f * x * x + 0.2843f * x * x * x - 0.1036f * x * x * x * x);
}

// A lifting surface (wing half, tailplane half, fin, blade). Stations run
// from the root to the tip; both end stations have no thickness so the
// surface closes on itself. Across runs from the leading edge over the
// "upper" side to the trailing edge and back under to the leading edge.
struct Wing {
    Vector3 root;           // leading edge at the root
    Vector3 spanDir;        // root towards tip (its length is the span)
    Vector3 chordDir;       // leading edge towards trailing edge (unit)
    Vector3 upDir;          // towards the upper surface (unit)
    float rootChord = 1, tipChord = 1;
    float thickness = 0.12f, camber = 0.0f;
    float sweep = 0.0f;     // leading edge moves back by this times the span fraction
    float tipRound = 0.1f;  // fraction of the span rounded off at the tip
    int stations = 30, chordPoints = 16;
};

// The wing's grid(s): one island wrapping round the trailing edge, or, with
// `split`, one island per side (seams at both edges).
inline std::vector<Grid> wingGrids(const Wing& w, bool split) {
    std::vector<float> xs(w.chordPoints + 1);
    for (int k = 0; k <= w.chordPoints; ++k) xs[k] = 0.5f - 0.5f * std::cos(kPi * k / w.chordPoints);
    // Station 0 is a flat root just inside station 1.
    auto station = [&](int i, float& fraction, float& chord, float& thick) {
        const int last = w.stations - 1;
        fraction = i == 0 ? 0.0f : 0.02f + 0.98f * float(i - 1) / float(last - 1);
        chord = w.rootChord + (w.tipChord - w.rootChord) * fraction;
        thick = i == 0 || i == last ? 0.0f : 1.0f;
        const float start = 1 - w.tipRound;
        if (fraction > start) {
            const float r = (fraction - start) / w.tipRound;
            const float shrink = std::sqrt(std::max(0.0f, 1 - r * r));
            chord *= 0.3f + 0.7f * shrink;
            thick *= std::sqrt(shrink);
        }
    };
    auto point = [&](int i, float x, float side) {
        float fraction, chord, thick;
        station(i, fraction, chord, thick);
        const float lead = w.sweep * fraction + (w.rootChord - chord) * 0.25f;
        const float camber = w.camber * 4 * x * (1 - x) * chord;
        const float t = side * thick * airfoilThickness(x, w.thickness) * chord;
        return add(add(add(w.root, scale(w.spanDir, fraction)), scale(w.chordDir, lead + x * chord)),
                   scale(w.upDir, camber + t));
    };
    auto centre = [&](int i) {
        float fraction, chord, thick;
        station(i, fraction, chord, thick);
        const float lead = w.sweep * fraction + (w.rootChord - chord) * 0.25f;
        return add(add(add(w.root, scale(w.spanDir, fraction)), scale(w.chordDir, lead + 0.4f * chord)),
                   scale(w.upDir, w.camber * 0.96f * chord * 0.5f));
    };
    const int n = w.chordPoints;
    if (!split) {
        return {makeGrid(
            w.stations, 2 * n + 1,
            [&](int i, int j) { return j <= n ? point(i, xs[j], 1) : point(i, xs[2 * n - j], -1); }, centre)};
    }
    return {makeGrid(w.stations, n + 1, [&](int i, int j) { return point(i, xs[j], 1); }, centre),
            makeGrid(w.stations, n + 1, [&](int i, int j) { return point(i, xs[n - j], -1); }, centre)};
}

// The same surface mirrored in the centre plane (x negated).
inline Wing mirrored(Wing w) {
    w.root.x = -w.root.x;
    w.spanDir.x = -w.spanDir.x;
    w.chordDir.x = -w.chordDir.x;
    w.upDir.x = -w.upDir.x;
    return w;
}

// A body of sections along z, from the back (`tail`) to the front (`nose`):
// each section's half-width, top and bottom. One half (side 1 is the
// pilot's left, x > 0) runs from the top line round to the bottom line; a
// section of no width closes the body there.
struct Body {
    float tail = 0, nose = 1;
    std::function<float(float)> halfWidth, top, bottom;  // of u = 0 (tail) .. 1 (nose)
    float roundness = 0.6f;                              // 1 an ellipse, less boxier
    int stations = 40, sectionPoints = 12;
};

inline Grid bodyGrid(const Body& b, float side) {
    auto sectionPoint = [&](int i, int j) {
        const float u = float(i) / float(b.stations - 1);
        const float z = b.tail + (b.nose - b.tail) * u;
        const float yc = (b.top(u) + b.bottom(u)) / 2, h = (b.top(u) - b.bottom(u)) / 2;
        if (j == 0) return Vector3(0, b.top(u), z);
        if (j == b.sectionPoints) return Vector3(0, b.bottom(u), z);
        const float a = kPi * float(j) / float(b.sectionPoints);
        const float s = std::pow(std::sin(a), b.roundness), c = std::cos(a);
        const float cy = std::copysign(std::pow(std::fabs(c), b.roundness), c);
        return Vector3(side * b.halfWidth(u) * s, yc + h * cy, z);
    };
    auto centre = [&](int i) {
        const float u = float(i) / float(b.stations - 1);
        return Vector3(0, (b.top(u) + b.bottom(u)) / 2, b.tail + (b.nose - b.tail) * u);
    };
    return makeGrid(b.stations, b.sectionPoints + 1, sectionPoint, centre);
}

// A solid of revolution round `axis` through `centre`: the profile gives
// (distance along the axis, radius) points; half = the side of `sideDir`
// only (angle 0..pi from `upDir`), else all the way round.
inline Grid revolutionGrid(const Vector3& centre, const Vector3& axis, const Vector3& upDir, const Vector3& sideDir,
                           const std::vector<Vector2>& profile, bool half, int around) {
    auto point = [&](int i, int j) {
        float c, s;
        if (j == 0 || (!half && j == around)) {
            c = 1, s = 0;
        } else if (half && j == around) {
            c = -1, s = 0;
        } else {
            const float a = (half ? kPi : 2 * kPi) * float(j) / float(around);
            c = std::cos(a), s = std::sin(a);
        }
        const float r = profile[i].y;
        return add(add(centre, scale(axis, profile[i].x)), add(scale(upDir, r * c), scale(sideDir, r * s)));
    };
    return makeGrid(
        int(profile.size()), around + 1, point, [&](int i) { return add(centre, scale(axis, profile[i].x)); });
}

}  // namespace loft
