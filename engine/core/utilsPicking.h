// Picking and projection: world points to the screen and back, the mouse ray
// against planes, point-in-triangle tests in space, values interpolated over
// a triangle, and angle helpers.
//
// The box screen extents, the manipulator, the script maths, every paint tool
// and the flying-site editor's placing on the ground stand on these. The
// camera and the renderer state they read come from the view source
// (simViewpoint.h), the mouse position from the input system. All arithmetic is in 4-byte floats;
// angles are radians.
#pragma once

#include "engine/core/simViewpoint.h"
#include "platform/d3dx/d3dxMathTypes.h"

namespace utils {

// --- Projection -----------------------------------------------------------
// A null matrix or viewport means the renderer's current one (from the view
// source). When one is needed and there is no view source the call gives
// false and leaves its output unchanged.

// Projects the point into the viewport: (x, y) in back-buffer pixels and the
// depth. True only when 0 < depth < 1, both ends excluded: the point lies
// between the near and the far plane. The output is written either way.
bool worldToScreen(const d3dx::Vector3& point, d3dx::Vector3* screen,
                   const d3dx::Matrix* world = nullptr, const d3dx::Matrix* view = nullptr,
                   const d3dx::Matrix* projection = nullptr,
                   const d3dx::Viewport* viewport = nullptr);
// The same, giving only x and y.
bool worldToScreen2D(const d3dx::Vector3& point, d3dx::Vector2* screen,
                     const d3dx::Matrix* world = nullptr, const d3dx::Matrix* view = nullptr,
                     const d3dx::Matrix* projection = nullptr,
                     const d3dx::Viewport* viewport = nullptr);

// The ray under a screen position (back-buffer pixels) as seen by the camera
// (null: the current camera): it starts on the near plane, where the pixel
// is first seen, and runs away from the camera (direction normalised), so it
// holds for orthographic cameras too and never points behind the camera.
// False, leaving the outputs unchanged, without a camera or when its
// matrices or viewport cannot be inverted.
bool screenRay(const d3dx::Vector2& screen, d3dx::Vector3* start, d3dx::Vector3* direction,
               const simViewpoint* camera = nullptr);
// The same through the given viewport and transforms (world null: identity).
bool screenRay(const d3dx::Vector2& screen, const d3dx::Viewport& viewport,
               const d3dx::Matrix& projection, const d3dx::Matrix& view, const d3dx::Matrix* world,
               d3dx::Vector3* start, d3dx::Vector3* direction);

// Where the ray from start along direction meets the plane, ahead of start
// only. Gives out, or null (out unchanged) when the plane lies behind or the
// ray runs along it (closer to parallel than a hair, so a level ray never
// meets the ground thousands of kilometres out).
d3dx::Vector3* rayToPlane(d3dx::Vector3* out, const d3dx::Plane& plane,
                          const d3dx::Vector3& start, const d3dx::Vector3& direction);

// The world point on that ray as far from the camera as the world origin is
// (along the view axis for an orthographic camera). Always in front of the
// camera, wherever the origin lies. False as screenRay, *world unchanged.
bool screenToWorldRay(const d3dx::Vector2& screen, d3dx::Vector3* world,
                      const simViewpoint* camera = nullptr);

// Where the ray under the mouse position (the input system's, in back-buffer
// pixels) meets the plane, seen by the camera (null: the current camera).
// Only hits in front of the camera count: a plane met behind it (the ground
// under a click above the horizon) is none. Gives out, or null (out
// unchanged) when there is no hit, the ray is parallel to the plane, or there
// is no camera or no mouse.
d3dx::Vector3* mouseToPlane(d3dx::Vector3* out, const d3dx::Plane& plane,
                            const simViewpoint* camera = nullptr);
// mouseToPlane with the ground of both editors: y = 0.
d3dx::Vector3* mouseToGroundPlane(d3dx::Vector3* out, const simViewpoint* camera = nullptr);

// --- Triangles in space ---------------------------------------------------

// True when p1 and p2 lie on the same side of the line a-b within their
// common plane; a point on the line counts as on either side.
bool sameSide(const d3dx::Vector3& p1, const d3dx::Vector3& p2, const d3dx::Vector3& a,
              const d3dx::Vector3& b);
// True when p lies inside the triangle a, b, c or on its edges.
bool pointInTriangle(const d3dx::Vector3& p, const d3dx::Vector3& a, const d3dx::Vector3& b,
                     const d3dx::Vector3& c);

// The value at a point of the triangle p0, p1, p2, blended from the corners'
// values by the point's position in the triangle's plane (a point off the
// plane counts as its foot on it). Any facing works. A triangle without area
// gives corner 0's value.
void interpolateTriangleUV(const d3dx::Vector3& point, const d3dx::Vector3& p0,
                           const d3dx::Vector3& p1, const d3dx::Vector3& p2,
                           const d3dx::Vector2& uv0, const d3dx::Vector2& uv1,
                           const d3dx::Vector2& uv2, d3dx::Vector2* uv);
// The same for the corners' normals; the result is normalised.
void interpolateTriangleNormal(const d3dx::Vector3& point, const d3dx::Vector3& p0,
                               const d3dx::Vector3& p1, const d3dx::Vector3& p2,
                               const d3dx::Vector3& n0, const d3dx::Vector3& n1,
                               const d3dx::Vector3& n2, d3dx::Vector3* normal);

// --- Angles ---------------------------------------------------------------
// The engine's shortened constants, kept so that results match its scripts.
inline constexpr float kPi = 3.1415f;
inline constexpr float kHalfPi = 1.57075f;
inline constexpr float kThreeHalfPi = 4.71225f;
inline constexpr float kTwoPi = 6.283f;

// The angle of the point around the view axis of a camera at the origin
// looking at target with the given up: minus atan2(x, y) of the point in that
// camera's space, normalised. Up must not be parallel to target.
float angleInViewPlane(const d3dx::Vector3& point, const d3dx::Vector3& target,
                       const d3dx::Vector3& up);
// How far apart two angles are across the wrap: 0.1 and 6.2 are 0.183
// apart. Angles in [-kPi, 0] are moved up by kTwoPi first; when one angle is
// at most kHalfPi and the other at least kThreeHalfPi the small one is taken
// a turn on.
float angleDifference(float a, float b);

}  // namespace utils
