// Cuts a closed outline drawn by the user into triangles, so that the area
// can be filled and drawn: the shape fill of the model painting and the areas
// of the flying-site editor.
//
// It does not clip ears off the outline: it grows a fan of triangles from the
// outline edge at the lowest point, choosing for every open edge the nearest
// point that makes a valid triangle (one that lies inside the outline, crosses
// neither the outline nor the triangles made so far and holds no other
// outline point), and goes on
// depth first over the two new edges. The same outline always gives the same
// triangles in the same order.
//
// One object may triangulate any number of outlines, one after the other;
// each call forgets the previous outline. The object keeps its storage, so a
// caller that triangulates thousands of small outlines with one triangulator
// allocates nothing once the storage has grown to the largest outline.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/d3dx/d3dxMathTypes.h"

class simPolygonTriangulator {
public:
    simPolygonTriangulator() = default;
    ~simPolygonTriangulator() = default;
    simPolygonTriangulator(const simPolygonTriangulator&) = delete;
    simPolygonTriangulator& operator=(const simPolygonTriangulator&) = delete;

    // Outline points are (x, y) with two attributes in (z, w), such as a
    // texture coordinate, carried through untouched; only x and y are tested.
    // The outline is closed: its last point joins its first. Appends three
    // points per triangle to *out (what it held before stays in front), in the
    // order the triangles were made, each triangle's corners in corner order.
    // A point repeated at once counts once; fewer than 3 points, or a point
    // whose x or y is not a finite number, give nothing.
    // On a simple outline (one that does not cross itself) no triangle lies
    // outside it or overlaps another, and together they cover it.
    void triangulate(const std::vector<d3dx::Vector4>& outline, std::vector<d3dx::Vector4>* out);

private:
    using NodeIndex = std::uint32_t;

    // One outline point in the closed ring, linked both ways in outline order.
    struct Node {
        d3dx::Vector2 position;
        d3dx::Vector2 attributes;
        NodeIndex next;
        NodeIndex previous;
        bool used;  // a corner of some triangle made so far
    };
    // An axis-aligned box; a segment that lies apart from a triangle's box
    // crosses none of its edges.
    struct Box {
        float minX, minY, maxX, maxY;
        bool apartFrom(const Box& other) const {
            return maxX < other.minX || other.maxX < minX || maxY < other.minY || other.maxY < minY;
        }
    };
    struct Triangle {
        NodeIndex corner[3];
        Box box;
    };
    // An open edge whose far side still has to be filled.
    struct EdgeTask {
        NodeIndex a;
        NodeIndex b;
    };

    // A free node offered as the third point, with its distance from the
    // edge's line.
    struct Candidate {
        float distance;
        NodeIndex node;
    };

    void buildRing(const std::vector<d3dx::Vector4>& outline);
    Box boxOf(NodeIndex a, NodeIndex b) const;
    NodeIndex lowestNode() const;
    bool findThirdPoint(NodeIndex a, NodeIndex b, NodeIndex* third);
    // Whether (a, b, t) is a valid triangle, the edge a-b already known not
    // to cross the outline.
    bool isAcceptable(NodeIndex a, NodeIndex b, NodeIndex t) const;
    bool coincide(NodeIndex i, NodeIndex j) const;
    bool coincidesWithAny(NodeIndex i, NodeIndex a, NodeIndex b, NodeIndex t) const;
    bool repeatsTriangle(NodeIndex a, NodeIndex b, NodeIndex t) const;
    bool crossesTriangles(NodeIndex from, NodeIndex to) const;
    bool crossesOutline(NodeIndex from, NodeIndex to) const;
    bool enclosesNode(NodeIndex a, NodeIndex b, NodeIndex t) const;
    bool liesInsideOutline(NodeIndex a, NodeIndex b, NodeIndex t) const;
    void addTriangle(NodeIndex a, NodeIndex b, NodeIndex t);

    std::vector<Node> m_ring;
    std::vector<Triangle> m_triangles;
    std::vector<EdgeTask> m_openEdges;
    std::vector<Candidate> m_candidates;  // scratch for findThirdPoint
    std::vector<Box> m_edgeBoxes;         // of the outline edge from each node to its next
};
