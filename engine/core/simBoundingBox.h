// simBoundingBox: an axis-aligned box with its eight corners and bounding
// sphere, in the object's own space and after a world transform.
//
// Models, scene items and particles keep one to cull against the camera and
// to find their rectangle on the screen. The empty box (the state after
// construction or reset) has min = +FLT_MAX and max = -FLT_MAX on every axis,
// so that the first point grown into it sets both, whatever its size: the
// world is in centimetres and objects lie well beyond a kilometre.
//
// File form, 24 bytes: min x, y, z, max x, y, z (6 x f32, little-endian).
// Corners and spheres are not stored; they are recomputed on reading.
#pragma once

#include <cstdio>

#include "platform/d3dx/d3dxMathTypes.h"

class simBoundingRect;

// What the frustum test needs of a camera: its six planes in the order left,
// right, top, bottom, near, far (unit normals, the inside on the positive
// side; the distance is the float dot product plus the double d), and the
// bounding sphere of its view volume.
struct simViewVolume {
    struct Plane {
        d3dx::Vector3 normal;
        double d = 0.0;
        double distance(const d3dx::Vector3& p) const;
    };
    Plane planes[6];
    d3dx::Vector3 centre;
    float radius = 0.0f;
};

// The view volume of the graphics system's current camera, which the frustum
// test without a volume reads. The graphics system points it at the current
// camera's volume whenever the current camera changes, and clears it (null)
// when no camera is current; the volume must outlive its publication.
const simViewVolume* getCurrentViewVolume();
void setCurrentViewVolume(const simViewVolume* volume);

class simBoundingBox {
public:
    // The results of testFrustum.
    enum FrustumResult { kOutside = 0, kCut = 1, kInside = 2 };

    d3dx::Vector3 min, max;            // in the object's own space
    d3dx::Vector3 worldMin, worldMax;  // after the last testFrustum with a world matrix
    // Corners in this order (x, y, z from min or max): 0 (min, min, min),
    // 1 (max, min, min), 2 (max, max, min), 3 (min, max, min), 4 (min, min, max),
    // 5 (max, min, max), 6 (max, max, max), 7 (min, max, max).
    d3dx::Vector3 corners[8];
    d3dx::Vector3 worldCorners[8];
    d3dx::Vector3 centre;  // (min + max) / 2
    float radius = 0.0f;   // half the diagonal
    d3dx::Vector3 worldCentre;
    float worldRadius = 0.0f;

    simBoundingBox() { reset(); }

    // The empty box (min and max only; call update for the rest).
    void reset();
    // True for the empty box: min above max on some axis.
    bool isEmpty() const;
    // Recomputes corners, centre and radius from min and max. An empty box
    // gets a sphere of radius 0 at the origin.
    void update();

    // Widens the box to hold the point, then updates.
    void growByPoint(const d3dx::Vector3& point);
    // Widens the box to hold the other box, then updates; nothing when the
    // other box has no extent (an empty box, or one grown from one point).
    void growByBox(const simBoundingBox& other);

    // min <= point <= max on every axis, faces included.
    bool containsPoint(const d3dx::Vector3& point) const;
    // True when min < max on at least one axis.
    bool hasExtent() const;

    // The 24-byte file form. An empty box is written with the sentinel
    // +100000 / -100000 that files have always held, and either sentinel
    // reads back as the empty box. A null handle or a short read gives false
    // and leaves the box unchanged.
    bool write(FILE* file) const;
    bool read(FILE* file);

    // The 2-D bounds on the screen of the 8 local corners projected through
    // world, view, projection and viewport (utils::worldToScreen: a null one
    // is the renderer's current one). When a corner's depth is outside 0..1
    // (behind the camera or beyond the far plane), or nothing can be
    // projected, both results are (0, 0) and the result is false.
    bool getScreenExtents(d3dx::Vector2& outMin, d3dx::Vector2& outMax, const d3dx::Matrix* world = nullptr,
                          const d3dx::Matrix* view = nullptr, const d3dx::Matrix* projection = nullptr,
                          const d3dx::Viewport* viewport = nullptr) const;
    // The same bounds into a rectangle (then updated); when they cannot be had
    // the rectangle is left unchanged and the result is false.
    bool getScreenRect(simBoundingRect& rect, const d3dx::Matrix* world = nullptr,
                       const d3dx::Matrix* view = nullptr, const d3dx::Matrix* projection = nullptr,
                       const d3dx::Viewport* viewport = nullptr) const;

    // Culls the box against a view volume: kOutside, kCut or kInside. With a
    // world matrix the world box is first rebuilt around the transformed
    // corners. A sphere test decides first; only a cut sphere is refined by
    // the corner nearest to and farthest from each plane. An empty box (one
    // that was never set) is cut, so its item is still drawn.
    int testFrustum(const d3dx::Matrix* world, const simViewVolume& volume);
    // The same against the current camera's view volume; kCut while no
    // camera is current.
    int testFrustum(const d3dx::Matrix* world);

private:
    static void cornersOf(const d3dx::Vector3& lo, const d3dx::Vector3& hi, d3dx::Vector3 out[8]);
};
