#include "engine/core/simPolygonTriangulator.h"

#include <algorithm>
#include <cmath>

#include "engine/core/utilsGeometry2D.h"

inline simPolygonTriangulator::Box simPolygonTriangulator::boxOf(NodeIndex a, NodeIndex b) const {
    const d3dx::Vector2& p = m_ring[a].position;
    const d3dx::Vector2& q = m_ring[b].position;
    return Box{std::min(p.x, q.x), std::min(p.y, q.y), std::max(p.x, q.x), std::max(p.y, q.y)};
}

void simPolygonTriangulator::triangulate(const std::vector<d3dx::Vector4>& outline,
                                         std::vector<d3dx::Vector4>* out) {
    m_ring.clear();
    m_triangles.clear();
    m_openEdges.clear();
    buildRing(outline);
    if (m_ring.size() < 3) {
        return;
    }

    const NodeIndex start = lowestNode();
    const NodeIndex end = m_ring[start].next;
    NodeIndex third;
    if (!findThirdPoint(start, end, &third)) {
        return;
    }
    addTriangle(start, end, third);
    // Depth first: the edge (a, t) and everything grown from it is finished
    // before the edge (b, t) is started, so (b, t) goes on the stack first.
    m_openEdges.push_back({end, third});
    m_openEdges.push_back({start, third});
    while (!m_openEdges.empty()) {
        const EdgeTask edge = m_openEdges.back();
        m_openEdges.pop_back();
        // An outline edge has nothing beyond it.
        if (m_ring[edge.b].previous == edge.a || m_ring[edge.b].next == edge.a) {
            continue;
        }
        if (!findThirdPoint(edge.a, edge.b, &third)) {
            continue;
        }
        addTriangle(edge.a, edge.b, third);
        m_openEdges.push_back({edge.b, third});
        m_openEdges.push_back({edge.a, third});
    }

    for (const Triangle& triangle : m_triangles) {
        for (NodeIndex corner : triangle.corner) {
            const Node& node = m_ring[corner];
            out->push_back(d3dx::Vector4{node.position.x, node.position.y, node.attributes.x,
                                         node.attributes.y});
        }
    }
}

void simPolygonTriangulator::buildRing(const std::vector<d3dx::Vector4>& outline) {
    // A point repeated at once (a double click, or the first point clicked
    // again to close the outline) is one corner: as two nodes it could be the
    // third point of two triangles, which then overlap.
    const auto samePosition = [](const Node& node, const d3dx::Vector4& point) {
        return node.position.x == point.x && node.position.y == point.y;
    };
    for (const d3dx::Vector4& point : outline) {
        // A point with no position leaves no outline to cut.
        if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
            m_ring.clear();
            return;
        }
        if (m_ring.empty() || !samePosition(m_ring.back(), point)) {
            m_ring.push_back(Node{d3dx::Vector2{point.x, point.y}, d3dx::Vector2{point.z, point.w},
                                  0, 0, false});
        }
    }
    while (m_ring.size() > 1 && m_ring.back().position == m_ring.front().position) {
        m_ring.pop_back();
    }
    const auto count = static_cast<NodeIndex>(m_ring.size());
    m_edgeBoxes.clear();
    for (NodeIndex i = 0; i < count; ++i) {
        m_ring[i].next = (i + 1) % count;
        m_ring[i].previous = (i + count - 1) % count;
    }
    for (NodeIndex i = 0; i < count; ++i) {
        m_edgeBoxes.push_back(boxOf(i, m_ring[i].next));
    }
}

simPolygonTriangulator::NodeIndex simPolygonTriangulator::lowestNode() const {
    // The true minimum: areas drawn in centimetres lie far beyond any fixed
    // bound. On equal y the first node in outline order is kept.
    NodeIndex lowest = 0;
    for (NodeIndex i = 1; i < m_ring.size(); ++i) {
        if (m_ring[i].position.y < m_ring[lowest].position.y) {
            lowest = i;
        }
    }
    return lowest;
}

bool simPolygonTriangulator::findThirdPoint(NodeIndex a, NodeIndex b, NodeIndex* third) {
    // An edge that crosses the outline makes no valid triangle with any
    // point; it is the one test that does not depend on the candidate.
    if (crossesOutline(a, b)) {
        return false;
    }
    // The neighbours of the edge first: they close the outline fastest.
    const NodeIndex neighbours[4] = {m_ring[a].previous, m_ring[a].next, m_ring[b].previous,
                                     m_ring[b].next};
    for (NodeIndex candidate : neighbours) {
        if (!m_ring[candidate].used && isAcceptable(a, b, candidate)) {
            *third = candidate;
            return true;
        }
    }
    // Otherwise the free node nearest to the edge's line, the first in
    // outline order on equal distance. Acceptance is the costly test, so the
    // free nodes are ranked by distance first and tested nearest first.
    const d3dx::Vector2& origin = m_ring[a].position;
    const d3dx::Vector2 direction{m_ring[b].position.x - origin.x, m_ring[b].position.y - origin.y};
    m_candidates.clear();
    for (NodeIndex candidate = 0; candidate < m_ring.size(); ++candidate) {
        if (!m_ring[candidate].used) {
            m_candidates.push_back(
                {utils::distanceToLine2D(origin, direction, m_ring[candidate].position),
                 candidate});
        }
    }
    std::sort(m_candidates.begin(), m_candidates.end(), [](const Candidate& x, const Candidate& y) {
        return x.distance < y.distance || (x.distance == y.distance && x.node < y.node);
    });
    for (const Candidate& candidate : m_candidates) {
        if (isAcceptable(a, b, candidate.node)) {
            *third = candidate.node;
            return true;
        }
    }
    return false;
}

bool simPolygonTriangulator::isAcceptable(NodeIndex a, NodeIndex b, NodeIndex t) const {
    if (coincide(a, b) || coincide(a, t) || coincide(b, t)) {
        return false;
    }
    if (repeatsTriangle(a, b, t)) {
        return false;
    }
    // Both new edges are tested against the triangles made so far: a triangle
    // that folds back over its parent crosses it only with the edge b-t.
    if (crossesTriangles(a, t) || crossesTriangles(b, t)) {
        return false;
    }
    if (crossesOutline(a, t) || crossesOutline(b, t)) {
        return false;
    }
    if (enclosesNode(a, b, t)) {
        return false;
    }
    // Crossing no outline edge and holding no outline point, the triangle lies
    // wholly inside the outline or wholly outside it, as in the notch of a
    // concave outline; its centre tells which.
    return liesInsideOutline(a, b, t);
}

bool simPolygonTriangulator::coincide(NodeIndex i, NodeIndex j) const {
    return m_ring[i].position.x == m_ring[j].position.x &&
           m_ring[i].position.y == m_ring[j].position.y;
}

bool simPolygonTriangulator::coincidesWithAny(NodeIndex i, NodeIndex a, NodeIndex b,
                                              NodeIndex t) const {
    return coincide(i, a) || coincide(i, b) || coincide(i, t);
}

bool simPolygonTriangulator::repeatsTriangle(NodeIndex a, NodeIndex b, NodeIndex t) const {
    for (const Triangle& triangle : m_triangles) {
        if (coincidesWithAny(triangle.corner[0], a, b, t) &&
            coincidesWithAny(triangle.corner[1], a, b, t) &&
            coincidesWithAny(triangle.corner[2], a, b, t)) {
            return true;
        }
    }
    return false;
}


// Both crossing tests pass over what lies apart from the tested segment's box
// before anything else: a segment apart never crosses (the crossing test
// itself says so first), and most of the outline and the triangles lie far
// from it.
bool simPolygonTriangulator::crossesTriangles(NodeIndex from, NodeIndex to) const {
    const d3dx::Vector2& p = m_ring[from].position;
    const d3dx::Vector2& q = m_ring[to].position;
    const Box box = boxOf(from, to);
    for (const Triangle& triangle : m_triangles) {
        if (box.apartFrom(triangle.box)) {
            continue;
        }
        for (int i = 0; i < 3; ++i) {
            const NodeIndex s = triangle.corner[i];
            const NodeIndex e = triangle.corner[(i + 1) % 3];
            // Edges that meet the tested one at its ends touch it by design.
            if (coincide(s, from) || coincide(s, to) || coincide(e, from) || coincide(e, to)) {
                continue;
            }
            if (utils::segmentsCross2D(p, q, m_ring[s].position, m_ring[e].position)) {
                return true;
            }
        }
    }
    return false;
}

bool simPolygonTriangulator::crossesOutline(NodeIndex from, NodeIndex to) const {
    const d3dx::Vector2& p = m_ring[from].position;
    const d3dx::Vector2& q = m_ring[to].position;
    const Box box = boxOf(from, to);
    for (NodeIndex s = 0; s < m_ring.size(); ++s) {
        const NodeIndex e = m_ring[s].next;
        if (box.apartFrom(m_edgeBoxes[s])) {
            continue;
        }
        if (coincide(s, from) || coincide(s, to) || coincide(e, from) || coincide(e, to)) {
            continue;
        }
        if (utils::segmentsCross2D(p, q, m_ring[s].position, m_ring[e].position)) {
            return true;
        }
    }
    return false;
}

bool simPolygonTriangulator::enclosesNode(NodeIndex a, NodeIndex b, NodeIndex t) const {
    for (NodeIndex i = 0; i < m_ring.size(); ++i) {
        if (!coincidesWithAny(i, a, b, t) &&
            utils::pointInTriangle2D(m_ring[i].position, m_ring[a].position, m_ring[b].position,
                                     m_ring[t].position)) {
            return true;
        }
    }
    return false;
}

bool simPolygonTriangulator::liesInsideOutline(NodeIndex a, NodeIndex b, NodeIndex t) const {
    const d3dx::Vector2& pa = m_ring[a].position;
    const d3dx::Vector2& pb = m_ring[b].position;
    const d3dx::Vector2& pt = m_ring[t].position;
    // A flat triangle covers nothing, inside or out.
    if ((pb.x - pa.x) * (pt.y - pa.y) - (pb.y - pa.y) * (pt.x - pa.x) == 0.0f) {
        return true;
    }
    const float x = (pa.x + pb.x + pt.x) / 3.0f;
    const float y = (pa.y + pb.y + pt.y) / 3.0f;
    // Even-odd rule: count the outline edges that a ray towards +x crosses.
    bool inside = false;
    for (const Node& start : m_ring) {
        const d3dx::Vector2& p = start.position;
        const d3dx::Vector2& q = m_ring[start.next].position;
        if ((p.y > y) != (q.y > y) && x < p.x + (q.x - p.x) * (y - p.y) / (q.y - p.y)) {
            inside = !inside;
        }
    }
    return inside;
}

void simPolygonTriangulator::addTriangle(NodeIndex a, NodeIndex b, NodeIndex t) {
    m_ring[a].used = true;
    m_ring[b].used = true;
    m_ring[t].used = true;
    const Box ab = boxOf(a, b);
    const d3dx::Vector2& pt = m_ring[t].position;
    m_triangles.push_back(Triangle{{a, b, t},
                                   Box{std::min(ab.minX, pt.x), std::min(ab.minY, pt.y),
                                       std::max(ab.maxX, pt.x), std::max(ab.maxY, pt.y)}});
}
