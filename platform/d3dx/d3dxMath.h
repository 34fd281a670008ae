// Vector, plane and matrix functions in the Direct3D extension library's
// shapes: the result pointer comes first and is also returned, so calls can
// be nested; results may alias arguments.
//
// Conventions: row vectors (see d3dxMathTypes.h); "LH"/"RH" name left- and
// right-handed view spaces; projections map depth to 0..1. Angles are in
// radians. Normalising a zero vector gives the zero vector.
#pragma once

#include "platform/d3dx/d3dxMathTypes.h"

namespace d3dx {

// ---- Two-component vectors
float Vec2Length(const Vector2* v);
float Vec2LengthSq(const Vector2* v);
float Vec2Dot(const Vector2* a, const Vector2* b);
// The z component of the 3-D cross product of (a, 0) and (b, 0).
float Vec2CCW(const Vector2* a, const Vector2* b);
Vector2* Vec2Add(Vector2* out, const Vector2* a, const Vector2* b);
Vector2* Vec2Subtract(Vector2* out, const Vector2* a, const Vector2* b);
Vector2* Vec2Scale(Vector2* out, const Vector2* v, float s);
Vector2* Vec2Lerp(Vector2* out, const Vector2* a, const Vector2* b, float s);
Vector2* Vec2Normalize(Vector2* out, const Vector2* v);
// The point (x, y, 0, 1) times m, divided by the resulting w.
Vector2* Vec2TransformCoord(Vector2* out, const Vector2* v, const Matrix* m);
// The Catmull-Rom spline through v1 (s = 0) and v2 (s = 1), shaped by v0 and v3.
Vector2* Vec2CatmullRom(Vector2* out, const Vector2* v0, const Vector2* v1, const Vector2* v2,
                        const Vector2* v3, float s);

// ---- Three-component vectors
float Vec3Length(const Vector3* v);
float Vec3LengthSq(const Vector3* v);
float Vec3Dot(const Vector3* a, const Vector3* b);
Vector3* Vec3Cross(Vector3* out, const Vector3* a, const Vector3* b);
Vector3* Vec3Add(Vector3* out, const Vector3* a, const Vector3* b);
Vector3* Vec3Subtract(Vector3* out, const Vector3* a, const Vector3* b);
Vector3* Vec3Scale(Vector3* out, const Vector3* v, float s);
Vector3* Vec3Lerp(Vector3* out, const Vector3* a, const Vector3* b, float s);
Vector3* Vec3Minimize(Vector3* out, const Vector3* a, const Vector3* b);
Vector3* Vec3Maximize(Vector3* out, const Vector3* a, const Vector3* b);
Vector3* Vec3Normalize(Vector3* out, const Vector3* v);
// The point (x, y, z, 1) times m, divided by the resulting w; for a w of 0
// (a point on the eye plane) the quotients a division would give: infinity
// signed by the coordinate and w, NaN for a coordinate of 0.
Vector3* Vec3TransformCoord(Vector3* out, const Vector3* v, const Matrix* m);
// The direction (x, y, z, 0) times m: rotation and scale, no translation.
Vector3* Vec3TransformNormal(Vector3* out, const Vector3* v, const Matrix* m);
// The point (x, y, z, 1) times m, without the division.
Vector4* Vec3Transform(Vector4* out, const Vector3* v, const Matrix* m);
// World point to render-target pixels and viewport depth: v times world, view
// and projection (a null matrix counts as identity), divided by w, then mapped
// into the viewport: x from X to X + Width, y from Y (top) to Y + Height,
// z from MinZ to MaxZ.
Vector3* Vec3Project(Vector3* out, const Vector3* v, const Viewport* viewport,
                     const Matrix* projection, const Matrix* view, const Matrix* world);
// The inverse of Vec3Project. Gives null (out untouched) when the combined
// matrix cannot be inverted or the viewport is empty.
Vector3* Vec3Unproject(Vector3* out, const Vector3* v, const Viewport* viewport,
                       const Matrix* projection, const Matrix* view, const Matrix* world);

// ---- Four-component vectors
float Vec4Dot(const Vector4* a, const Vector4* b);
Vector4* Vec4Transform(Vector4* out, const Vector4* v, const Matrix* m);

// ---- Planes
// The plane through point with the given normal: d = -(point . normal).
Plane* PlaneFromPointNormal(Plane* out, const Vector3* point, const Vector3* normal);
// The plane through three points, its normal (b - a) x (c - a) normalised.
Plane* PlaneFromPoints(Plane* out, const Vector3* a, const Vector3* b, const Vector3* c);
// a x + b y + c z + d: the signed distance of the point for a unit normal.
float PlaneDotCoord(const Plane* p, const Vector3* v);
// a x + b y + c z: the normal's dot product with a direction.
float PlaneDotNormal(const Plane* p, const Vector3* v);
// Scales the plane so that its normal has length 1 (a zero normal stays zero).
Plane* PlaneNormalize(Plane* out, const Plane* p);
// Where the line through a and b (not only the segment) meets the plane.
// Gives null (out untouched) when the line is parallel to the plane.
Vector3* PlaneIntersectLine(Vector3* out, const Plane* p, const Vector3* a, const Vector3* b);

// ---- Matrices
Matrix* MatrixIdentity(Matrix* out);
bool MatrixIsIdentity(const Matrix* m);
Matrix* MatrixMultiply(Matrix* out, const Matrix* a, const Matrix* b);
Matrix* MatrixTranspose(Matrix* out, const Matrix* m);
float MatrixDeterminant(const Matrix* m);
// Gives null (out untouched) when m is singular; determinant, when given,
// receives the determinant either way.
Matrix* MatrixInverse(Matrix* out, float* determinant, const Matrix* m);
Matrix* MatrixTranslation(Matrix* out, float x, float y, float z);
Matrix* MatrixScaling(Matrix* out, float x, float y, float z);
// Rotations about one axis, clockwise looking along the axis towards the
// origin in a left-handed space.
Matrix* MatrixRotationX(Matrix* out, float angle);
Matrix* MatrixRotationY(Matrix* out, float angle);
Matrix* MatrixRotationZ(Matrix* out, float angle);
// Roll about z first, then pitch about x, then yaw about y.
Matrix* MatrixRotationYawPitchRoll(Matrix* out, float yaw, float pitch, float roll);
// The mirror in a plane (normalised first).
Matrix* MatrixReflect(Matrix* out, const Plane* plane);
// View matrix looking from eye towards at, with up giving the vertical.
Matrix* MatrixLookAtLH(Matrix* out, const Vector3* eye, const Vector3* at, const Vector3* up);
Matrix* MatrixLookAtRH(Matrix* out, const Vector3* eye, const Vector3* at, const Vector3* up);
// Perspective projection from the vertical field of view and width / height.
Matrix* MatrixPerspectiveFovLH(Matrix* out, float fovY, float aspect, float zNear, float zFar);
Matrix* MatrixPerspectiveFovRH(Matrix* out, float fovY, float aspect, float zNear, float zFar);
// Orthographic projection of a width x height box centred on the view axis.
Matrix* MatrixOrthoLH(Matrix* out, float width, float height, float zNear, float zFar);
Matrix* MatrixOrthoRH(Matrix* out, float width, float height, float zNear, float zFar);

}  // namespace d3dx
