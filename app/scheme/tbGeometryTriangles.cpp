// tbGeometry::buildTriangles: the import's triangles with their
// neighbourhoods, the re-triangulation of thin neighbours and edge flags.
#include <string>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbNeighbourIndex.h"
#include "engine/core/utilsGeometry2D.h"

namespace {

// The corner of `t` whose position is none of `other`'s corners; -1 when
// every corner is shared.
int freeCorner(const tbTriangle& t, const tbTriangle& other) {
    for (int i = 0; i < 3; ++i) {
        bool shared = false;
        for (const d3dx::Vector3& p : other.positions) shared |= t.positions[i] == p;
        if (!shared) return i;
    }
    return -1;
}

struct Corner {
    d3dx::Vector3 position, normal;
    d3dx::Vector2 uv;
};
Corner cornerOf(const tbTriangle& t, int i) { return {t.positions[i], t.normals[i], t.uvs[i]}; }
void setCorners(tbTriangle& t, const Corner& a, const Corner& b, const Corner& c) {
    const Corner* corners[3] = {&a, &b, &c};
    for (int i = 0; i < 3; ++i) {
        t.positions[i] = corners[i]->position;
        t.normals[i] = corners[i]->normal;
        t.uvs[i] = corners[i]->uv;
    }
}

}  // namespace

void tbGeometry::buildTriangles() {
    buildTriangles([](const std::vector<std::unique_ptr<tbTriangle>>& list) -> std::unique_ptr<tbNeighbourFinder> {
        return std::make_unique<tbNeighbourIndex>(list);
    });
}

void tbGeometry::buildTriangles(
    const std::function<std::unique_ptr<tbNeighbourFinder>(const std::vector<std::unique_ptr<tbTriangle>>&)>&
        makeFinder) {
    triangles.clear();
    for (size_t k = 0; k + 2 < vertices.size(); k += 3) {
        auto t = std::make_unique<tbTriangle>();
        t->index = uint32_t(triangles.size());
        for (int i = 0; i < 3; ++i) {
            const simVertex& v = vertices[k + size_t(i)];
            t->vertexIndices[i] = uint32_t(k) + uint32_t(i);
            t->positions[i] = v.position;
            t->normals[i] = v.normal;
            t->uvs[i] = v.uv[0];
            t->importedUvs[i] = v.uv[0];
        }
        t->computeShape();
        t->testDegenerate();
        triangles.push_back(std::move(t));
    }

    progress(50);
    const std::unique_ptr<tbNeighbourFinder> finder = makeFinder(triangles);
    tbNeighbourFinder& index = *finder;
    const size_t n = triangles.size();
    for (size_t i = 0; i < n; ++i) {
        index.findNeighbours(*triangles[i]);
        progress(float(i) / float(n) * 40.0f + 50.0f);
    }

    // A flip rebuilds the lists being walked, so the count is read afresh.
    for (const auto& p : triangles) {
        for (size_t e = 0; e < p->edgeNeighbours.size(); ++e) {
            tbTriangle* q = p->edgeNeighbours[e];
            if (q->degenerate) flipWithDegenerate(index, *p, *q);
        }
    }

    progress(90);
    for (const auto& t : triangles) setEdgeFlags(*t);
}

void tbGeometry::flipWithDegenerate(tbNeighbourFinder& index, tbTriangle& p, tbTriangle& q) {
    const int f = freeCorner(p, q), qf = freeCorner(q, p);
    if (f < 0 || qf < 0) return;
    const int a = (f + 1) % 3, b = (f + 2) % 3;  // the shared edge a-b follows f
    const d3dx::Vector3 edge1 = p.positions[a] - p.positions[f];
    const d3dx::Vector3 edge2 = p.positions[b] - p.positions[f];
    const d3dx::Vector3 toQ = q.positions[qf] - p.positions[f];
    const float angleP = tbAngleDegrees(edge1, edge2);
    if (!(tbAngleDegrees(edge2, toQ) < angleP && tbAngleDegrees(edge1, toQ) < angleP)) return;

    const Corner cf = cornerOf(p, f), ca = cornerOf(p, a), cb = cornerOf(p, b), cq = cornerOf(q, qf);
    // Their corner neighbours as the lists stood before the flip.
    std::vector<tbTriangle*> affected = p.cornerNeighbours;
    affected.insert(affected.end(), q.cornerNeighbours.begin(), q.cornerNeighbours.end());

    index.remove(p);
    index.remove(q);
    setCorners(p, cb, cf, cq);
    setCorners(q, cq, cf, ca);
    q.degenerate = 0;
    p.computeShape();
    q.computeShape();
    index.insert(p);
    index.insert(q);

    index.findNeighbours(p);
    index.findNeighbours(q);
    for (tbTriangle* t : affected) index.findNeighbours(*t);
}

void tbGeometry::setEdgeFlags(tbTriangle& t) {
    for (uint8_t& flag : t.edgeFlags) flag = 1;
    for (const tbTriangle* n : t.edgeNeighbours) {
        for (int e = 0; e < 3; ++e) {
            const d3dx::Vector2& u1 = t.uvs[e];
            const d3dx::Vector2& u2 = t.uvs[(e + 1) % 3];
            const d3dx::Vector2& rest = t.uvs[(e + 2) % 3];
            for (int g = 0; g < 3; ++g) {
                const d3dx::Vector2& v1 = n->uvs[g];
                const d3dx::Vector2& v2 = n->uvs[(g + 1) % 3];
                const d3dx::Vector2& otherRest = n->uvs[(g + 2) % 3];
                const bool sameEdge = (u1 == v1 && u2 == v2) || (u1 == v2 && u2 == v1);
                if (sameEdge && !utils::sameSide2D(rest, otherRest, u1, u2)) t.edgeFlags[e] = 0;
            }
        }
    }
}
