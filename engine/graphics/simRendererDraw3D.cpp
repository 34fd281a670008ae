// The renderer's world-space drawing calls, through the shared 3-D buffer.
#include <cmath>

#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simArcOrientation.h"
#include "engine/graphics/simRendererDrawChunks.h"
#include "platform/d3dx/d3dxMath.h"

using namespace gfx;
using namespace simDraw;
using d3dx::Matrix;
using d3dx::Vector2;
using d3dx::Vector3;

namespace {

const Vector2 kQuadUV[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

// The two triangles (p0, p1, p2) and (p0, p2, p3) of a world quad; without
// normals `n` the vertices get the drawn normal.
void fillQuad(simVertex* out, const Vector3* p, const Vector3* n, const uint32_t* colours, const Vector2* uv,
              const Vector2* uv2) {
    static constexpr int kCorner[6] = {0, 1, 2, 0, 2, 3};
    for (int i = 0; i < 6; ++i) {
        const int c = kCorner[i];
        out[i] = n ? worldVertex(p[c], n[c], colours[c], uv[c])
                   : worldVertex(p[c], colours[c], uv[c], uv2 ? uv2[c] : Vector2(1, 1));
    }
}

void fillLine(simVertex* out, const simLine3D& l) {
    out[0] = worldVertex(l.p0, l.colour0, l.uv0);
    out[1] = worldVertex(l.p1, l.colour1, l.uv1);
}

}  // namespace

void simRenderer::drawLines3D(const std::vector<simLine3D>& lines, Texture texture) {
    if (lines.empty()) return;
    setTexture(m_state, texture);
    drawChunks<simVertex>(m_vertexBuffer3D.get(), lines.size(), 2, D3DPT_LINELIST, [&lines](size_t i, simVertex* out) {
        fillLine(out, lines[i]);
        return true;
    });
}

void simRenderer::drawTriangles3D(const std::vector<simTriangle3D>& triangles, Texture texture) {
    if (triangles.empty()) return;
    setTexture(m_state, texture);
    drawChunks<simVertex>(m_vertexBuffer3D.get(), triangles.size(), 3, D3DPT_TRIANGLELIST,
                          [&triangles](size_t i, simVertex* out) {
                              const simTriangle3D& t = triangles[i];
                              out[0] = worldVertex(t.p0, t.n0, t.colour0, t.uv0);
                              out[1] = worldVertex(t.p1, t.n1, t.colour1, t.uv1);
                              out[2] = worldVertex(t.p2, t.n2, t.colour2, t.uv2);
                              return true;
                          });
}

void simRenderer::drawQuad3D(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3, uint32_t colour,
                             Texture texture, const Vec2* uvs, const Vec2* uvs2) {
    setTexture(m_state, texture);
    const Vector3 p[4] = {p0, p1, p2, p3};
    const uint32_t colours[4] = {colour, colour, colour, colour};
    drawOnce<simVertex>(m_vertexBuffer3D.get(), 6, D3DPT_TRIANGLELIST,
                        [&](simVertex* out) { fillQuad(out, p, nullptr, colours, uvs ? uvs : kQuadUV, uvs2); });
}

void simRenderer::drawQuad3DColours(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3,
                                    uint32_t colour0, uint32_t colour1, uint32_t colour2, uint32_t colour3,
                                    Texture texture, const Vec2& uv0, const Vec2& uv1, const Vec2& uv2,
                                    const Vec2& uv3) {
    setTexture(m_state, texture);
    const Vector3 p[4] = {p0, p1, p2, p3};
    const uint32_t colours[4] = {colour0, colour1, colour2, colour3};
    const Vector2 uv[4] = {uv0, uv1, uv2, uv3};
    drawOnce<simVertex>(m_vertexBuffer3D.get(), 6, D3DPT_TRIANGLELIST,
                        [&](simVertex* out) { fillQuad(out, p, nullptr, colours, uv, nullptr); });
}

void simRenderer::drawQuads3D(const std::vector<simQuad3D>& quads, Texture texture) {
    if (quads.empty()) return;
    setTexture(m_state, texture);
    drawChunks<simVertex>(m_vertexBuffer3D.get(), quads.size(), 6, D3DPT_TRIANGLELIST,
                          [&quads](size_t i, simVertex* out) {
                              const simQuad3D& q = quads[i];
                              const Vector3 p[4] = {q.p0, q.p1, q.p2, q.p3};
                              const Vector3 n[4] = {q.n0, q.n1, q.n2, q.n3};
                              const uint32_t c[4] = {q.colour, q.colour, q.colour, q.colour};
                              const Vector2 uv[4] = {q.uv0, q.uv1, q.uv2, q.uv3};
                              fillQuad(out, p, n, c, uv, nullptr);
                              return true;
                          });
}

void simRenderer::drawOrientedQuad3D(const Vec3& centre, const Vec3& facing, float halfSize, uint32_t colour,
                                     Texture texture) {
    // Side axes from a reference that is never parallel to a level or
    // upright facing direction. Seen from the side it faces through the
    // program's right-handed camera, `a` runs to the viewer's right and `b`
    // down, so the texture's first row is on top and reads left to right.
    static const Vector3 kReference(0.1f, 1.0f, 0.1f);
    Vector3 f, a, b;
    d3dx::Vec3Normalize(&f, &facing);
    d3dx::Vec3Cross(&a, &kReference, &f);
    d3dx::Vec3Normalize(&a, &a);
    d3dx::Vec3Cross(&b, &a, &f);
    d3dx::Vec3Normalize(&b, &b);
    a *= halfSize;
    b *= halfSize;
    drawQuad3D(centre - a - b, centre + a - b, centre + a + b, centre - a + b, colour, texture, kQuadUV, kQuadUV);
}

void simRenderer::drawLine3D(const Vec3& p0, const Vec3& p1, uint32_t colour, Texture texture, const Vec2& uv0,
                             const Vec2& uv1, simPrimitiveBatch* batch) {
    setTexture(m_state, texture);
    const simLine3D line(p0, p1, colour, uv0, uv1);
    if (batch) {
        batch->worldLines.push_back(line);
        return;
    }
    drawOnce<simVertex>(m_vertexBuffer3D.get(), 2, D3DPT_LINELIST, [&line](simVertex* out) { fillLine(out, line); });
}

void simRenderer::drawArc3D(const Vec3& centre, float radius, uint32_t colour, Texture texture, int32_t segments,
                            const Vec3* facing, const Matrix* matrix, bool cullBackHalf, simPrimitiveBatch* batch,
                            float startDegrees, float endDegrees) {
    setTexture(m_state, texture);
    if (segments <= 0) return;
    const Matrix identity = Matrix::identity();
    const Matrix& view = m_state ? m_state->matrix(simRendererState::view) : identity;

    // The circle lies in the x-y plane; a facing direction turns its axis
    // along that direction, a matrix moves it further.
    const Vector3 forward = viewForward(view);
    const bool turned = facing || matrix;
    const Matrix turn = arcOrientation(facing, matrix, viewUp(view), forward);
    const float step = (endDegrees - startDegrees) / static_cast<float>(segments);

    auto point = [&](size_t i) {
        const float a = (startDegrees + static_cast<float>(i) * step) / 180.0f * 3.1415f;
        Vector3 p(std::sin(a) * radius, std::cos(a) * radius, 0.0f);
        if (turned) d3dx::Vec3TransformCoord(&p, &p, &turn);
        return p;
    };
    // Segment i, or false when it lies on the half that faces away.
    auto segment = [&](size_t i, simLine3D* out) {
        const Vector3 a = point(i), b = point(i + 1);
        if (cullBackHalf) {
            Vector3 middle = (a + b) * 0.5f;
            d3dx::Vec3Normalize(&middle, &middle);
            if (d3dx::Vec3Dot(&middle, &forward) < -0.2f) return false;
        }
        *out = simLine3D(a + centre, b + centre, colour);
        return true;
    };

    if (batch) {
        simLine3D line;
        for (int32_t i = 0; i < segments; ++i)
            if (segment(static_cast<size_t>(i), &line)) batch->worldLines.push_back(line);
        return;
    }
    drawChunks<simVertex>(m_vertexBuffer3D.get(), static_cast<size_t>(segments), 2, D3DPT_LINELIST,
                          [&segment](size_t i, simVertex* out) {
                              simLine3D line;
                              if (!segment(i, &line)) return false;
                              fillLine(out, line);
                              return true;
                          });
}
