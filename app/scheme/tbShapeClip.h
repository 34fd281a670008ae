// tbShapeClip: the part of the model that a shape outline covers on screen.
//
// The 3-D shape fill paints, for every outline triangle, the pieces of the
// model's triangles lying under it, each piece carried back to the paint
// texture by its texture coordinates. The model's triangles are taken as
// the last refresh projected them (their screen corners), so the pieces are
// exactly what the 3-D view shows under the outline.
#pragma once

#include <memory>
#include <vector>

#include "engine/core/simBoundingRect.h"
#include "engine/core/simPolygonTriangulator.h"
#include "platform/d3dx/d3dxMathTypes.h"

class tbGeometryObject;
class tbTriangle;

// One corner of a piece: where it shows and where it lies on the texture.
struct tbClipCorner {
    d3dx::Vector2 screen;
    d3dx::Vector2 uv;
};

// Where the 3-D view looks from. A face is turned towards the view when its
// normal points towards the camera's position (a perspective camera) or
// against its view direction (an orthographic camera, whose rays are all
// parallel to it).
struct tbViewer {
    d3dx::Vector3 position;
    d3dx::Vector3 forward;  // the view direction, unit
    bool orthographic = false;
};

class tbShapeClip {
public:
    // `outline`: the outline's triangles, three screen corners each.
    // One-sided, only triangles turned towards the `viewer` are painted
    // (not those facing away, nor those seen edge-on, which show as a line
    // and would be taken whole); double-sided every triangle is.
    tbShapeClip(std::vector<d3dx::Vector2> outline, bool doubleSided, const tbViewer& viewer);

    // The pieces under the outline of every paintable mesh part of the
    // objects that take part (kind 0, enabled, visible), and of their
    // children whatever the objects themselves are; three corners a piece.
    std::vector<tbClipCorner> clip(const std::vector<std::unique_ptr<tbGeometryObject>>& objects);
    // The pieces of one triangle, appended to `out`.
    void clipTriangle(const tbTriangle& triangle, std::vector<tbClipCorner>& out);

    // The outline triangles' rectangle on screen.
    const simBoundingRect& rect() const { return m_rect; }

private:
    bool turnedTowardsTheViewer(const tbTriangle& triangle) const;
    void intersect(const tbTriangle& triangle, const d3dx::Vector2 outline[3], std::vector<tbClipCorner>& out);

    std::vector<d3dx::Vector2> m_outline;
    std::vector<simBoundingRect> m_outlineRects;  // one per outline triangle
    simBoundingRect m_rect;
    bool m_doubleSided;
    tbViewer m_viewer;
    simPolygonTriangulator m_triangulator;
    std::vector<d3dx::Vector4> m_ring, m_pieces;  // scratch, kept between triangles
};
