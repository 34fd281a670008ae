#include "app/scheme/tbTriangle.h"

#include <algorithm>
#include <cmath>

#include "engine/core/utilsPicking.h"
#include "platform/d3dx/d3dxMath.h"

namespace {
constexpr float kPi = 3.1415f;  // the program's own constant, kept for the same angles
constexpr float kThinAngle = 0.1f, kFlatAngle = 179.9f;
constexpr float kMaxWalkAngle = 40.0f;

bool isThinOrFlat(float angle) { return angle <= kThinAngle || angle >= kFlatAngle; }

// Whether the walk goes on from one face to the next. Two unit normals of
// nearly flat neighbours can have a dot product a rounding step above 1,
// whose arc cosine is no number; taken as it is, that would stop the walk
// (and leave unpainted triangles inside a brush stroke) exactly where the
// surface is smoothest, so the cosine is kept within -1..1.
bool walksOn(const d3dx::Vector3& from, const d3dx::Vector3& to) {
    if (from == to) return true;
    d3dx::Vector3 a, b;
    d3dx::Vec3Normalize(&a, &from);
    d3dx::Vec3Normalize(&b, &to);
    const float cosine = std::clamp(d3dx::Vec3Dot(&a, &b), -1.0f, 1.0f);
    return std::acos(cosine) / kPi * 180.0f <= kMaxWalkAngle;
}
}  // namespace

float tbAngleDegrees(const d3dx::Vector3& a, const d3dx::Vector3& b) {
    d3dx::Vector3 na, nb;
    d3dx::Vec3Normalize(&na, &a);
    d3dx::Vec3Normalize(&nb, &b);
    return std::fabs(std::acos(d3dx::Vec3Dot(&na, &nb))) / kPi * 180.0f;
}

void tbTriangle::computeShape() {
    d3dx::Plane plane;
    d3dx::PlaneFromPoints(&plane, &positions[0], &positions[1], &positions[2]);
    faceNormal = {plane.a, plane.b, plane.c};
    centre = (positions[0] + positions[1] + positions[2]) / 3.0f;
    radius = 0.0f;
    for (const d3dx::Vector3& p : positions) {
        const d3dx::Vector3 d = p - centre;
        radius = std::max(radius, d3dx::Vec3Length(&d));
    }
}

void tbTriangle::testDegenerate() {
    const float atFirst = tbAngleDegrees(positions[1] - positions[0], positions[2] - positions[0]);
    const float atSecond = tbAngleDegrees(positions[0] - positions[1], positions[2] - positions[1]);
    if (isThinOrFlat(atFirst) || isThinOrFlat(atSecond)) degenerate = 1;
}

void tbTriangle::collectNear(const d3dx::Vector3& point, float reach, uint32_t stamp,
                             std::vector<tbTriangle*>& out) {
    std::vector<tbTriangle*> pending{this};
    while (!pending.empty()) {
        tbTriangle* t = pending.back();
        pending.pop_back();
        if (t->visitStamp == stamp) continue;
        t->visitStamp = stamp;
        const d3dx::Vector3 offset = t->centre - point;
        if (d3dx::Vec3Length(&offset) > t->radius + reach) continue;
        out.push_back(t);
        // Pushed in reverse so neighbours are taken in list order, as a
        // recursive walk would take them.
        for (auto it = t->edgeNeighbours.rbegin(); it != t->edgeNeighbours.rend(); ++it) {
            tbTriangle* n = *it;
            if (n->visitStamp == stamp) continue;
            if (walksOn(t->faceNormal, n->faceNormal)) pending.push_back(n);
        }
    }
}

void tbTriangle::project() {
    for (int i = 0; i < 3; ++i) {
        d3dx::Vector3 screen{screenCorners[i].x, screenCorners[i].y, screenDepths[i]};
        utils::worldToScreen(positions[i], &screen);
        screenCorners[i] = {screen.x, screen.y};
        screenDepths[i] = screen.z;
    }
}
