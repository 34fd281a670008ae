#include "app/scheme/tbShapeClip.h"

#include <algorithm>
#include <cmath>

#include "app/scheme/tbGeometryObject.h"
#include "app/scheme/tbTriangle.h"
#include "engine/core/utilsGeometry2D.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

d3dx::Vector2 lerp(const d3dx::Vector2& a, const d3dx::Vector2& b, float t) { return a + (b - a) * t; }
float distance(const d3dx::Vector2& a, const d3dx::Vector2& b) {
    const d3dx::Vector2 d = b - a;
    return d3dx::Vec2Length(&d);
}

}  // namespace

d3dx::Vector2 tbTriangle::uvAtScreenPoint(const d3dx::Vector2& p) const {
    const d3dx::Vector2 &s0 = screenCorners[0], &s1 = screenCorners[1], &s2 = screenCorners[2];
    // The corner itself has no line through it to follow.
    if (p == s0) return uvs[0];
    d3dx::Vector2 x;
    if (!utils::linesCross2D(&x, s0, p - s0, s1, s2 - s1) || !utils::onSegment2D(x, s1, s2)) return {0.0f, 0.0f};
    const float edge = distance(s1, s2), reach = distance(s0, x);
    if (!(edge > 0.0f) || !(reach > 0.0f)) return uvs[0];
    const d3dx::Vector2 across = lerp(uvs[1], uvs[2], distance(s1, x) / edge);
    return lerp(uvs[0], across, distance(s0, p) / reach);
}

tbShapeClip::tbShapeClip(std::vector<d3dx::Vector2> outline, bool doubleSided, const tbViewer& viewer)
    : m_outline(std::move(outline)), m_doubleSided(doubleSided), m_viewer(viewer) {
    for (size_t i = 0; i + 2 < m_outline.size(); i += 3) {
        simBoundingRect rect;
        for (size_t k = i; k < i + 3; ++k) rect.growByPoint(m_outline[k]);
        m_outlineRects.push_back(rect);
        m_rect.growByRect(rect);
    }
}

std::vector<tbClipCorner> tbShapeClip::clip(const std::vector<std::unique_ptr<tbGeometryObject>>& objects) {
    std::vector<tbClipCorner> out;
    if (m_outline.size() < 3) return out;
    tbForEachPaintablePart(objects, [&](const tbMeshPart& part) {
        for (const auto& t : part.triangles()) clipTriangle(*t, out);
    });
    return out;
}

bool tbShapeClip::turnedTowardsTheViewer(const tbTriangle& triangle) const {
    // Cosine of the angle between the face and the view below which a face
    // counts as edge-on (about 0.06 degrees), so rounding in a normal of a
    // face built edge-on does not turn it towards the view.
    constexpr float kEdgeOn = 1e-3f;
    const d3dx::Vector3& f = m_viewer.forward;
    d3dx::Vector3 toViewer =
        m_viewer.orthographic ? d3dx::Vector3(-f.x, -f.y, -f.z) : m_viewer.position - triangle.centre;
    d3dx::Vec3Normalize(&toViewer, &toViewer);
    return d3dx::Vec3Dot(&triangle.faceNormal, &toViewer) > kEdgeOn;
}

void tbShapeClip::clipTriangle(const tbTriangle& triangle, std::vector<tbClipCorner>& out) {
    if (!m_doubleSided && !turnedTowardsTheViewer(triangle)) return;
    simBoundingRect rect;
    for (const d3dx::Vector2& p : triangle.screenCorners) rect.growByPoint(p);
    if (!rect.overlaps(m_rect)) return;
    for (size_t i = 0; i + 2 < m_outline.size(); i += 3) {
        // Most outline triangles lie nowhere near a given model triangle.
        if (!rect.overlaps(m_outlineRects[i / 3])) continue;
        const d3dx::Vector2* corners = &m_outline[i];
        const bool whole = std::all_of(std::begin(triangle.screenCorners), std::end(triangle.screenCorners),
                                       [&](const d3dx::Vector2& p) {
                                           return utils::pointInTriangle2D(p, corners[0], corners[1], corners[2]);
                                       });
        if (whole) {
            for (int k = 0; k < 3; ++k) out.push_back({triangle.screenCorners[k], triangle.uvs[k]});
            continue;
        }
        intersect(triangle, corners, out);
    }
}

void tbShapeClip::intersect(const tbTriangle& triangle, const d3dx::Vector2 outline[3],
                            std::vector<tbClipCorner>& out) {
    const d3dx::Vector2* s = triangle.screenCorners;
    m_ring.clear();
    for (int k = 0; k < 3; ++k)
        if (utils::pointInTriangle2D(s[k], outline[0], outline[1], outline[2]))
            m_ring.push_back({s[k].x, s[k].y, triangle.uvs[k].x, triangle.uvs[k].y});
    for (int k = 0; k < 3; ++k)
        if (utils::pointInTriangle2D(outline[k], s[0], s[1], s[2])) {
            const d3dx::Vector2 uv = triangle.uvAtScreenPoint(outline[k]);
            m_ring.push_back({outline[k].x, outline[k].y, uv.x, uv.y});
        }
    const d3dx::Vector4 c[3] = {{s[0].x, s[0].y, triangle.uvs[0].x, triangle.uvs[0].y},
                                {s[1].x, s[1].y, triangle.uvs[1].x, triangle.uvs[1].y},
                                {s[2].x, s[2].y, triangle.uvs[2].x, triangle.uvs[2].y}};
    std::vector<utils::EdgeCrossing> crossings;
    for (int k = 0; k < 3; ++k) {
        const d3dx::Vector2 &a = outline[k], &b = outline[(k + 1) % 3];
        utils::intersectSegmentWithTriangleEdges(&crossings, {a.x, a.y, 0, 0}, {b.x, b.y, 0, 0}, c[0], c[1], c[2]);
    }
    for (const utils::EdgeCrossing& x : crossings) {
        // The texture coordinate runs along the model's edge, not the outline's.
        const float edge = distance(x.edgeStart, x.edgeEnd);
        const float t = edge > 0.0f ? distance(x.edgeStart, x.point) / edge : 0.0f;
        const d3dx::Vector2 uv = lerp(x.startAttributes, x.endAttributes, t);
        m_ring.push_back({x.point.x, x.point.y, uv.x, uv.y});
    }
    if (m_ring.size() < 3) return;
    // The two triangles overlap in a convex polygon: its points in order
    // round their centroid make the simple outline the triangulator needs.
    d3dx::Vector2 centroid{0.0f, 0.0f};
    for (const d3dx::Vector4& p : m_ring) centroid += d3dx::Vector2{p.x, p.y};
    centroid *= 1.0f / float(m_ring.size());
    std::sort(m_ring.begin(), m_ring.end(), [&](const d3dx::Vector4& a, const d3dx::Vector4& b) {
        return std::atan2(a.y - centroid.y, a.x - centroid.x) < std::atan2(b.y - centroid.y, b.x - centroid.x);
    });
    m_pieces.clear();
    m_triangulator.triangulate(m_ring, &m_pieces);
    for (const d3dx::Vector4& p : m_pieces) out.push_back({{p.x, p.y}, {p.z, p.w}});
}
