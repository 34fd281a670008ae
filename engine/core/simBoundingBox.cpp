#include "engine/core/simBoundingBox.h"

#include <cfloat>
#include <cmath>

#include "engine/core/simBoundingRect.h"
#include "engine/core/utilsPicking.h"
#include "platform/d3dx/d3dxMath.h"
#include "platform/sys/binaryRecords.h"

using d3dx::Vector2;
using d3dx::Vector3;

namespace {

// The empty box as files have always stored it.
constexpr float kFileEmptySentinel = 100000.0f;

void growMinMax(Vector3& lo, Vector3& hi, const Vector3& p) {
    if (hi.x < p.x) hi.x = p.x;
    if (lo.x > p.x) lo.x = p.x;
    if (hi.y < p.y) hi.y = p.y;
    if (lo.y > p.y) lo.y = p.y;
    if (hi.z < p.z) hi.z = p.z;
    if (lo.z > p.z) lo.z = p.z;
}

bool emptyRange(const Vector3& lo, const Vector3& hi) { return lo.x > hi.x || lo.y > hi.y || lo.z > hi.z; }

// The corner index for taking x, y and z from max (true) or min (false), in
// the corner order of the box.
int cornerIndex(bool xMax, bool yMax, bool zMax) {
    static const int kIndex[2][2][2] = {{{0, 1}, {3, 2}}, {{4, 5}, {7, 6}}};
    return kIndex[zMax][yMax][xMax];
}

const simViewVolume* g_currentViewVolume = nullptr;

}  // namespace

const simViewVolume* getCurrentViewVolume() { return g_currentViewVolume; }
void setCurrentViewVolume(const simViewVolume* volume) { g_currentViewVolume = volume; }

double simViewVolume::Plane::distance(const Vector3& p) const {
    return static_cast<double>(d3dx::Vec3Dot(&normal, &p)) + d;
}

void simBoundingBox::reset() {
    min = Vector3(FLT_MAX, FLT_MAX, FLT_MAX);
    max = Vector3(-FLT_MAX, -FLT_MAX, -FLT_MAX);
}

bool simBoundingBox::isEmpty() const { return emptyRange(min, max); }

void simBoundingBox::cornersOf(const Vector3& lo, const Vector3& hi, Vector3 out[8]) {
    out[0] = Vector3(lo.x, lo.y, lo.z);
    out[1] = Vector3(hi.x, lo.y, lo.z);
    out[2] = Vector3(hi.x, hi.y, lo.z);
    out[3] = Vector3(lo.x, hi.y, lo.z);
    out[4] = Vector3(lo.x, lo.y, hi.z);
    out[5] = Vector3(hi.x, lo.y, hi.z);
    out[6] = Vector3(hi.x, hi.y, hi.z);
    out[7] = Vector3(lo.x, hi.y, hi.z);
}

void simBoundingBox::update() {
    cornersOf(min, max, corners);
    if (isEmpty()) {
        centre = Vector3();
        radius = 0.0f;
        return;
    }
    centre = (min + max) * 0.5f;
    Vector3 half = max - centre;
    radius = d3dx::Vec3Length(&half);
}

void simBoundingBox::growByPoint(const Vector3& point) {
    growMinMax(min, max, point);
    update();
}

void simBoundingBox::growByBox(const simBoundingBox& other) {
    if (!other.hasExtent()) return;
    growMinMax(min, max, other.max);
    growMinMax(min, max, other.min);
    update();
}

bool simBoundingBox::containsPoint(const Vector3& p) const {
    return min.x <= p.x && p.x <= max.x && min.y <= p.y && p.y <= max.y && min.z <= p.z && p.z <= max.z;
}

bool simBoundingBox::hasExtent() const { return min.x < max.x || min.y < max.y || min.z < max.z; }

bool simBoundingBox::write(FILE* file) const {
    float fields[6] = {min.x, min.y, min.z, max.x, max.y, max.z};
    if (isEmpty()) {
        for (int i = 0; i < 3; ++i) {
            fields[i] = kFileEmptySentinel;
            fields[3 + i] = -kFileEmptySentinel;
        }
    }
    return sys::writeFields(file, fields);
}

bool simBoundingBox::read(FILE* file) {
    float fields[6];
    if (!sys::readFields(file, fields)) return false;
    min = Vector3(fields[0], fields[1], fields[2]);
    max = Vector3(fields[3], fields[4], fields[5]);
    if (isEmpty()) reset();
    update();
    return true;
}

bool simBoundingBox::getScreenExtents(Vector2& outMin, Vector2& outMax, const d3dx::Matrix* world,
                                      const d3dx::Matrix* view, const d3dx::Matrix* projection,
                                      const d3dx::Viewport* viewport) const {
    Vector2 lo(FLT_MAX, FLT_MAX), hi(-FLT_MAX, -FLT_MAX);
    for (const Vector3& corner : corners) {
        // A depth that stays not-a-number marks a corner that could not be
        // projected at all (no renderer state to project with).
        Vector3 screen(0.0f, 0.0f, std::nanf(""));
        utils::worldToScreen(corner, &screen, world, view, projection, viewport);
        if (!(screen.z >= 0.0f && screen.z <= 1.0f)) {
            outMin = outMax = Vector2();
            return false;
        }
        // Each end on its own: one corner may lower the minimum and raise the maximum.
        if (screen.x < lo.x) lo.x = screen.x;
        if (screen.x > hi.x) hi.x = screen.x;
        if (screen.y < lo.y) lo.y = screen.y;
        if (screen.y > hi.y) hi.y = screen.y;
    }
    outMin = lo;
    outMax = hi;
    return true;
}

bool simBoundingBox::getScreenRect(simBoundingRect& rect, const d3dx::Matrix* world, const d3dx::Matrix* view,
                                   const d3dx::Matrix* projection, const d3dx::Viewport* viewport) const {
    Vector2 lo, hi;
    if (!getScreenExtents(lo, hi, world, view, projection, viewport)) return false;
    rect.min = lo;
    rect.max = hi;
    rect.update();
    return true;
}

int simBoundingBox::testFrustum(const d3dx::Matrix* world) {
    const simViewVolume* volume = getCurrentViewVolume();
    return volume ? testFrustum(world, *volume) : kCut;
}

int simBoundingBox::testFrustum(const d3dx::Matrix* world, const simViewVolume& volume) {
    // A box that was never set says nothing about where its item is: the
    // item is drawn rather than lost.
    if (isEmpty()) return kCut;

    const Vector3* testCorners = corners;
    Vector3 sphereCentre = centre;
    float sphereRadius = radius;
    if (world) {
        worldMin = Vector3(FLT_MAX, FLT_MAX, FLT_MAX);
        worldMax = Vector3(-FLT_MAX, -FLT_MAX, -FLT_MAX);
        for (const Vector3& corner : corners) {
            d3dx::Vector4 p;
            d3dx::Vec3Transform(&p, &corner, world);
            growMinMax(worldMin, worldMax, Vector3(p.x, p.y, p.z));
        }
        // The world corners are those of the axis-aligned box around the
        // transformed corners, not the transformed corners themselves.
        cornersOf(worldMin, worldMax, worldCorners);
        worldCentre = (worldMin + worldMax) * 0.5f;
        Vector3 half = worldMax - worldCentre;
        worldRadius = d3dx::Vec3Length(&half);
        testCorners = worldCorners;
        sphereCentre = worldCentre;
        sphereRadius = worldRadius;
    }

    Vector3 apart = sphereCentre - volume.centre;
    float reach = volume.radius + sphereRadius;
    if (reach * reach <= d3dx::Vec3LengthSq(&apart)) return kOutside;

    bool cut = false;
    for (const simViewVolume::Plane& plane : volume.planes) {
        double d = plane.distance(sphereCentre);
        if (d < -sphereRadius) return kOutside;
        if (std::fabs(d) < sphereRadius) {
            cut = true;  // the remaining planes are not tested
            break;
        }
    }
    if (!cut) return kInside;

    int planesInside = 0;
    for (const simViewVolume::Plane& plane : volume.planes) {
        bool xPos = plane.normal.x > 0.0f, yPos = plane.normal.y > 0.0f, zPos = plane.normal.z > 0.0f;
        const Vector3& farthest = testCorners[cornerIndex(xPos, yPos, zPos)];
        const Vector3& nearest = testCorners[cornerIndex(!xPos, !yPos, !zPos)];
        if (plane.distance(farthest) < 0.0) return kOutside;
        if (plane.distance(nearest) >= 0.0) ++planesInside;
    }
    return planesInside == 6 ? kInside : kCut;
}
