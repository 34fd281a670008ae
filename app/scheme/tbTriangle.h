// tbTriangle: one triangle of the model being painted.
//
// The model is a plain triangle list; each triangle keeps copies of its three
// corners (position, normal, paint texture coordinates) and its place among
// its neighbours, so the painting tools can walk across the surface without
// going back to the vertex list:
//   edge neighbours     triangles sharing exactly two corner positions;
//   corner neighbours   triangles sharing exactly one corner position;
//   texture neighbours  triangles sharing exactly two texture coordinates;
//   corner lists        per corner, every other triangle with a corner at
//                       exactly the same place, and which corner that is.
// The lists are built by the model (tbNeighbourIndex); neighbours are plain
// pointers into the model's triangle list, which owns every triangle and
// never changes its length after import or open.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3dx/d3dxMathTypes.h"

class tbTriangle {
public:
    struct CornerRef {
        tbTriangle* triangle = nullptr;
        uint32_t corner = 0;  // 0..2
        bool operator==(const CornerRef&) const = default;
    };

    uint32_t index = 0;       // position in the model's triangle list
    uint32_t visitStamp = 0;  // number of the last gathering walk that reached it
    uint8_t degenerate = 0;   // 1: failed the angle test at import
    uint32_t vertexIndices[3] = {0, 0, 0};
    d3dx::Vector3 positions[3];
    d3dx::Vector3 normals[3];
    d3dx::Vector2 uvs[3];          // paint texture coordinates
    d3dx::Vector2 importedUvs[3];  // as at the last commit of the paint undo; not stored
    d3dx::Vector2 screenCorners[3];  // back-buffer pixels from the last projection
    uint8_t edgeFlags[3] = {0, 0, 0};  // edges 1-2, 2-3, 3-1: 1 when no neighbour continues the texture
    d3dx::Vector3 brushCorners[3];     // corners in the last brush projector's space; not stored
    d3dx::Vector3 centre;
    float radius = 0.0f;
    float screenDepths[3] = {0, 0, 0};
    d3dx::Vector3 faceNormal;
    std::vector<tbTriangle*> edgeNeighbours;
    std::vector<tbTriangle*> cornerNeighbours;
    std::vector<tbTriangle*> textureNeighbours;
    std::vector<CornerRef> cornerLists[3];

    // Face normal (unit normal of the plane through the corners), centre
    // (mean of the corners) and radius (largest distance from the centre to
    // a corner), from the corner positions.
    void computeShape();

    // The import's angle test: marks the triangle degenerate when the angle
    // at corner 1 or at corner 2 is 0.1 degrees or less or 179.9 or more.
    // A corner on top of another gives a zero edge, which counts as 90
    // degrees; an angle that is not a number marks nothing.
    void testDegenerate();

    // Gathers the triangles around `point` into `out`, starting here: the
    // walk takes each triangle once per stamp, stops at a triangle whose
    // centre is farther than its radius plus `reach` from the point, and
    // goes on across edge neighbours whose face normals differ by at most 40
    // degrees. Iterative, so a walk over a whole large model needs no deep
    // call stack.
    void collectNear(const d3dx::Vector3& point, float reach, uint32_t stamp, std::vector<tbTriangle*>& out);

    // Projects the corners with the renderer's current matrices and viewport:
    // screen corners in back-buffer pixels and their depths. Nothing changes
    // when there is nothing to project with.
    void project();

    // The texture coordinate shown at screen point `p` inside the triangle,
    // from its screen corners: along the line from corner 0 through p to
    // the opposite edge (tbShapeClip.cpp). (0, 0) when that line misses
    // the edge, as for a point outside.
    d3dx::Vector2 uvAtScreenPoint(const d3dx::Vector2& p) const;
};

// The angle in degrees between two directions, each normalised first (a zero
// vector stays zero), converted with 3.1415 as the program always has, in
// single precision; NaN when the dot product leaves [-1, 1].
float tbAngleDegrees(const d3dx::Vector3& a, const d3dx::Vector3& b);
