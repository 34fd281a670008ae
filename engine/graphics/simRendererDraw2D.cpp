// The renderer's screen-space drawing calls, through the shared 2-D buffer.
#include <cmath>

#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererDrawChunks.h"

using namespace gfx;
using namespace simDraw;
using d3dx::Vector2;

namespace {

// The angle's point on the circle; degrees turn into radians with the
// engine's shortened pi, so arcs match the rest of the engine's angles.
Vector2 arcPoint(const Vector2& centre, float radius, float degrees) {
    const float a = degrees / 180.0f * 3.1415f;
    return {centre.x + std::sin(a) * radius, centre.y + std::cos(a) * radius};
}

// The two triangles of a screen quad, corners snapped to pixel centres.
void fillQuad(simScreenVertex* out, const Vector2* p, const uint32_t* colours, const Vector2* uv) {
    static constexpr int kCorner[6] = {0, 1, 2, 0, 2, 3};
    for (int i = 0; i < 6; ++i) out[i] = screenVertexHalf(p[kCorner[i]], colours[kCorner[i]], uv[kCorner[i]]);
}

void fillTriangle(simScreenVertex* out, const simScreenTriangle& t) {
    out[0] = screenVertexHalf(t.p0, t.colour0, t.uv0);
    out[1] = screenVertexHalf(t.p1, t.colour1, t.uv1);
    out[2] = screenVertexHalf(t.p2, t.colour2, t.uv2);
}

// A line's two ends; `snap` truncates them to whole pixels.
void fillLine(simScreenVertex* out, const simScreenLine& l, bool snap) {
    auto at = [snap](float v) { return snap ? snapWhole(v) : v; };
    out[0] = screenVertex(at(l.p0.x), at(l.p0.y), l.colour0, l.uv0);
    out[1] = screenVertex(at(l.p1.x), at(l.p1.y), l.colour1, l.uv1);
}

// The two triangles of a rectangle as batch records (unsnapped).
void rectTriangles(const Vector2& min, const Vector2& max, uint32_t colour, const Vector2& uvMin,
                   const Vector2& uvMax, simScreenTriangle out[2]) {
    const Vector2 p[4] = {min, {max.x, min.y}, max, {min.x, max.y}};
    const Vector2 uv[4] = {uvMin, {uvMax.x, uvMin.y}, uvMax, {uvMin.x, uvMax.y}};
    out[0] = simScreenTriangle(p[0], p[1], p[2], colour, colour, colour, uv[0], uv[1], uv[2]);
    out[1] = simScreenTriangle(p[0], p[2], p[3], colour, colour, colour, uv[0], uv[2], uv[3]);
}

// The four lines round a rectangle (unsnapped).
simScreenLine outlineLine(const Vector2& min, const Vector2& max, uint32_t colour, int side) {
    const Vector2 corner[4] = {min, {max.x, min.y}, max, {min.x, max.y}};
    return simScreenLine(corner[side], corner[(side + 1) % 4], colour, colour);
}

}  // namespace

void simRenderer::drawQuadUV(const Vec2& p0, const Vec2& p1, const Vec2& p2, const Vec2& p3, uint32_t colour,
                             Texture texture, const Vec2& uv0, const Vec2& uv1, const Vec2& uv2, const Vec2& uv3) {
    drawQuadColours(p0, p1, p2, p3, colour, colour, colour, colour, texture, uv0, uv1, uv2, uv3);
}

void simRenderer::drawQuad(const Vec2& p0, const Vec2& p1, const Vec2& p2, const Vec2& p3, uint32_t colour,
                           Texture texture) {
    drawQuadUV(p0, p1, p2, p3, colour, texture, {0, 0}, {1, 0}, {1, 1}, {0, 1});
}

void simRenderer::drawQuadColours(const Vec2& p0, const Vec2& p1, const Vec2& p2, const Vec2& p3, uint32_t colour0,
                                  uint32_t colour1, uint32_t colour2, uint32_t colour3, Texture texture,
                                  const Vec2& uv0, const Vec2& uv1, const Vec2& uv2, const Vec2& uv3) {
    setTexture(m_state, texture);
    const Vector2 p[4] = {p0, p1, p2, p3};
    const uint32_t colours[4] = {colour0, colour1, colour2, colour3};
    const Vector2 uv[4] = {uv0, uv1, uv2, uv3};
    drawOnce<simScreenVertex>(m_vertexBuffer2D.get(), 6, D3DPT_TRIANGLELIST,
                              [&](simScreenVertex* out) { fillQuad(out, p, colours, uv); });
}

void simRenderer::drawRect(const Vec2& min, const Vec2& max, uint32_t colour, Texture texture,
                           std::vector<simScreenTriangle>* batch) {
    drawRectUV(min, max, colour, texture, {0, 0}, {1, 1}, batch);
}

void simRenderer::drawRectUV(const Vec2& min, const Vec2& max, uint32_t colour, Texture texture, const Vec2& uvMin,
                             const Vec2& uvMax, std::vector<simScreenTriangle>* batch) {
    setTexture(m_state, texture);
    if (batch) {
        simScreenTriangle triangles[2];
        rectTriangles(min, max, colour, uvMin, uvMax, triangles);
        batch->insert(batch->end(), triangles, triangles + 2);
        return;
    }
    const Vector2 p[4] = {min, {max.x, min.y}, max, {min.x, max.y}};
    const uint32_t colours[4] = {colour, colour, colour, colour};
    const Vector2 uv[4] = {uvMin, {uvMax.x, uvMin.y}, uvMax, {uvMin.x, uvMax.y}};
    drawOnce<simScreenVertex>(m_vertexBuffer2D.get(), 6, D3DPT_TRIANGLELIST,
                              [&](simScreenVertex* out) { fillQuad(out, p, colours, uv); });
}

void simRenderer::drawRects(const std::vector<simScreenRect>& rects, Texture texture) {
    if (rects.empty()) return;
    setTexture(m_state, texture);
    drawChunks<simScreenVertex>(m_vertexBuffer2D.get(), rects.size(), 6, D3DPT_TRIANGLELIST,
                                [&rects](size_t i, simScreenVertex* out) {
                                    const simScreenRect& r = rects[i];
                                    const Vector2 p[4] = {{r.x1, r.y1}, {r.x2, r.y1}, {r.x2, r.y2}, {r.x1, r.y2}};
                                    const uint32_t c[4] = {r.colour, r.colour, r.colour, r.colour};
                                    const Vector2 uv[4] = {{r.u1, r.v1}, {r.u2, r.v1}, {r.u2, r.v2}, {r.u1, r.v2}};
                                    fillQuad(out, p, c, uv);
                                    return true;
                                });
}

void simRenderer::drawTriangleUV(const Vec2& p0, const Vec2& p1, const Vec2& p2, uint32_t colour, Texture texture,
                                 const Vec2& uv0, const Vec2& uv1, const Vec2& uv2) {
    drawTriangleColours(p0, p1, p2, colour, colour, colour, texture, uv0, uv1, uv2);
}

void simRenderer::drawTriangleColours(const Vec2& p0, const Vec2& p1, const Vec2& p2, uint32_t colour0,
                                      uint32_t colour1, uint32_t colour2, Texture texture, const Vec2& uv0,
                                      const Vec2& uv1, const Vec2& uv2) {
    setTexture(m_state, texture);
    const simScreenTriangle t(p0, p1, p2, colour0, colour1, colour2, uv0, uv1, uv2);
    drawOnce<simScreenVertex>(m_vertexBuffer2D.get(), 3, D3DPT_TRIANGLELIST,
                              [&t](simScreenVertex* out) { fillTriangle(out, t); });
}

void simRenderer::drawTriangles2D(const std::vector<simScreenTriangle>& triangles, Texture texture) {
    if (triangles.empty()) return;
    setTexture(m_state, texture);
    drawChunks<simScreenVertex>(m_vertexBuffer2D.get(), triangles.size(), 3, D3DPT_TRIANGLELIST,
                                [&triangles](size_t i, simScreenVertex* out) {
                                    fillTriangle(out, triangles[i]);
                                    return true;
                                });
}

void simRenderer::drawLines2D(const std::vector<simScreenLine>& lines, Texture texture) {
    if (lines.empty()) return;
    setTexture(m_state, texture);
    drawChunks<simScreenVertex>(m_vertexBuffer2D.get(), lines.size(), 2, D3DPT_LINELIST,
                                [&lines](size_t i, simScreenVertex* out) {
                                    fillLine(out, lines[i], true);
                                    return true;
                                });
}

void simRenderer::drawRectOutline(const Vec2& min, const Vec2& max, uint32_t colour, Texture texture,
                                  std::vector<simScreenLine>* batch) {
    setTexture(m_state, texture);
    if (batch) {
        for (int side = 0; side < 4; ++side) batch->push_back(outlineLine(min, max, colour, side));
        return;
    }
    drawChunks<simScreenVertex>(m_vertexBuffer2D.get(), 4, 2, D3DPT_LINELIST, [&](size_t side, simScreenVertex* out) {
        fillLine(out, outlineLine(min, max, colour, static_cast<int>(side)), true);
        return true;
    });
}

void simRenderer::drawLine2D(const Vec2& p0, const Vec2& p1, uint32_t colour, Texture texture, const Vec2& uv0,
                             const Vec2& uv1, std::vector<simScreenLine>* batch) {
    setTexture(m_state, texture);
    const simScreenLine line(p0, p1, colour, colour, uv0, uv1);
    if (batch) {
        batch->push_back(line);
        return;
    }
    drawOnce<simScreenVertex>(m_vertexBuffer2D.get(), 2, D3DPT_LINELIST,
                              [&line](simScreenVertex* out) { fillLine(out, line, false); });
}

void simRenderer::drawArc2D(const Vec2& centre, float radius, uint32_t colour, Texture texture, int32_t segments,
                            float startDegrees, float endDegrees, std::vector<simScreenLine>* batch) {
    setTexture(m_state, texture);
    if (segments <= 0) return;
    const float step = (endDegrees - startDegrees) / static_cast<float>(segments);
    auto segment = [&](size_t i) {
        const float a0 = startDegrees + static_cast<float>(i) * step;
        const float a1 = startDegrees + static_cast<float>(i + 1) * step;
        return simScreenLine(arcPoint(centre, radius, a0), arcPoint(centre, radius, a1), colour, colour);
    };
    if (batch) {
        for (int32_t i = 0; i < segments; ++i) batch->push_back(segment(static_cast<size_t>(i)));
        return;
    }
    drawChunks<simScreenVertex>(m_vertexBuffer2D.get(), static_cast<size_t>(segments), 2, D3DPT_LINELIST,
                                [&segment](size_t i, simScreenVertex* out) {
                                    fillLine(out, segment(i), false);
                                    return true;
                                });
}
