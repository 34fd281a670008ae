// The records of the renderer's immediate drawing calls, and the batch that
// collects them.
//
// Callers build these in vectors and hand them to the batched calls
// (`simRenderer::drawRects`, `drawLines2D`, `drawTriangles2D`, `drawLines3D`,
// `drawTriangles3D`, `drawQuads3D`), or let the single-primitive calls append
// them to a batch that is drawn later in one go. Screen records are in
// back-buffer (or render-target) pixels, world records in world units under
// the current transforms. Colours are packed ARGB (`simColour::toARGB`).
// Field order is memory order; every field is a 4-byte float unless said.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/core/simVertex.h"
#include "platform/d3dx/d3dxMathTypes.h"

// An axis-aligned screen rectangle: corners (x1, y1) and (x2, y2), drawn as
// the corners (x1, y1), (x2, y1), (x2, y2), (x1, y2) with the UVs (u1, v1),
// (u2, v1), (u2, v2), (u1, v2).
struct simScreenRect {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    uint32_t colour = 0;  // ARGB
    float u1 = 0, v1 = 0, u2 = 1, v2 = 1;

    simScreenRect() = default;
    simScreenRect(const d3dx::Vector2& a, const d3dx::Vector2& b, uint32_t c)
        : x1(a.x), y1(a.y), x2(b.x), y2(b.y), colour(c) {}
    simScreenRect(const d3dx::Vector2& a, const d3dx::Vector2& b, uint32_t c, const d3dx::Vector2& uvA,
                  const d3dx::Vector2& uvB)
        : x1(a.x), y1(a.y), x2(b.x), y2(b.y), colour(c), u1(uvA.x), v1(uvA.y), u2(uvB.x), v2(uvB.y) {}
};

struct simScreenLine {
    d3dx::Vector2 p0, p1;
    d3dx::Vector2 uv0, uv1;
    uint32_t colour0 = 0, colour1 = 0;  // ARGB at each end

    simScreenLine() = default;
    simScreenLine(const d3dx::Vector2& a, const d3dx::Vector2& b, uint32_t c0, uint32_t c1,
                  const d3dx::Vector2& uvA = {0, 0}, const d3dx::Vector2& uvB = {1, 1})
        : p0(a), p1(b), uv0(uvA), uv1(uvB), colour0(c0), colour1(c1) {}
};

struct simScreenTriangle {
    d3dx::Vector2 p0, p1, p2;
    d3dx::Vector2 uv0, uv1, uv2;
    uint32_t colour0 = 0, colour1 = 0, colour2 = 0;  // ARGB at each corner

    simScreenTriangle() = default;
    simScreenTriangle(const d3dx::Vector2& a, const d3dx::Vector2& b, const d3dx::Vector2& c, uint32_t ca,
                      uint32_t cb, uint32_t cc, const d3dx::Vector2& uvA, const d3dx::Vector2& uvB,
                      const d3dx::Vector2& uvC)
        : p0(a), p1(b), p2(c), uv0(uvA), uv1(uvB), uv2(uvC), colour0(ca), colour1(cb), colour2(cc) {}
};

struct simLine3D {
    d3dx::Vector3 p0, p1;
    d3dx::Vector2 uv0, uv1;
    uint32_t colour0 = 0, colour1 = 0;  // ARGB at each end

    simLine3D() = default;
    simLine3D(const d3dx::Vector3& a, const d3dx::Vector3& b, uint32_t c0, uint32_t c1,
              const d3dx::Vector2& uvA = {0, 0}, const d3dx::Vector2& uvB = {1, 1})
        : p0(a), p1(b), uv0(uvA), uv1(uvB), colour0(c0), colour1(c1) {}
    simLine3D(const d3dx::Vector3& a, const d3dx::Vector3& b, uint32_t c, const d3dx::Vector2& uvA = {0, 0},
              const d3dx::Vector2& uvB = {1, 1})
        : simLine3D(a, b, c, c, uvA, uvB) {}
};

struct simTriangle3D {
    d3dx::Vector3 p0, p1, p2;
    d3dx::Vector3 n0, n1, n2;  // corner normals
    d3dx::Vector2 uv0, uv1, uv2;
    uint32_t colour0 = 0, colour1 = 0, colour2 = 0;  // ARGB at each corner

    simTriangle3D() = default;
    simTriangle3D(const d3dx::Vector3& a, const d3dx::Vector3& b, const d3dx::Vector3& c, const d3dx::Vector3& na,
                  const d3dx::Vector3& nb, const d3dx::Vector3& nc, const d3dx::Vector2& uvA, const d3dx::Vector2& uvB,
                  const d3dx::Vector2& uvC, uint32_t ca, uint32_t cb, uint32_t cc)
        : p0(a), p1(b), p2(c), n0(na), n1(nb), n2(nc), uv0(uvA), uv1(uvB), uv2(uvC), colour0(ca), colour1(cb),
          colour2(cc) {}
    // Every normal the drawn normal (simVertex::kDrawnNormal).
    simTriangle3D(const d3dx::Vector3& a, const d3dx::Vector3& b, const d3dx::Vector3& c, uint32_t ca,
                  uint32_t cb, uint32_t cc, const d3dx::Vector2& uvA = {0, 0}, const d3dx::Vector2& uvB = {1, 0},
                  const d3dx::Vector2& uvC = {1, 1})
        : p0(a), p1(b), p2(c), n0(simVertex::kDrawnNormal), n1(simVertex::kDrawnNormal),
          n2(simVertex::kDrawnNormal), uv0(uvA), uv1(uvB), uv2(uvC),
          colour0(ca), colour1(cb), colour2(cc) {}
    simTriangle3D(const d3dx::Vector3& a, const d3dx::Vector3& b, const d3dx::Vector3& c, uint32_t colour)
        : simTriangle3D(a, b, c, colour, colour, colour) {}
};

// Corners go round the quad; it is drawn as (p0, p1, p2) and (p0, p2, p3).
struct simQuad3D {
    d3dx::Vector3 p0, p1, p2, p3;
    d3dx::Vector3 n0, n1, n2, n3;  // corner normals
    d3dx::Vector2 uv0, uv1, uv2, uv3;
    uint32_t colour = 0;  // ARGB

    simQuad3D() = default;
    // Every normal the drawn normal; UVs (0, 0), (1, 0), (1, 1), (0, 1).
    simQuad3D(const d3dx::Vector3& a, const d3dx::Vector3& b, const d3dx::Vector3& c, const d3dx::Vector3& d,
              uint32_t col)
        : p0(a), p1(b), p2(c), p3(d), n0(simVertex::kDrawnNormal), n1(simVertex::kDrawnNormal),
          n2(simVertex::kDrawnNormal), n3(simVertex::kDrawnNormal), uv0(0, 0), uv1(1, 0),
          uv2(1, 1), uv3(0, 1), colour(col) {}
};

// A caller's collection of primitives, drawn by `simRenderer::drawBatch` as
// one draw per non-empty vector: screen lines, world lines, screen
// triangles, world triangles, in that order.
struct simPrimitiveBatch {
    std::vector<simScreenLine> screenLines;
    std::vector<simLine3D> worldLines;
    std::vector<simScreenTriangle> screenTriangles;
    std::vector<simTriangle3D> worldTriangles;

    void clear() {
        screenLines.clear();
        worldLines.clear();
        screenTriangles.clear();
        worldTriangles.clear();
    }
};
