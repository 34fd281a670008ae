// Vector and plane functions. Each computes into a local and stores it last,
// so the result may alias an argument.
#include <cmath>
#include <limits>

#include "platform/d3dx/d3dxMath.h"

namespace d3dx {

// ---- Two-component vectors

float Vec2Length(const Vector2* v) { return std::sqrt(Vec2LengthSq(v)); }
float Vec2LengthSq(const Vector2* v) { return v->x * v->x + v->y * v->y; }
float Vec2Dot(const Vector2* a, const Vector2* b) { return a->x * b->x + a->y * b->y; }
float Vec2CCW(const Vector2* a, const Vector2* b) { return a->x * b->y - a->y * b->x; }

Vector2* Vec2Add(Vector2* out, const Vector2* a, const Vector2* b) { *out = *a + *b; return out; }
Vector2* Vec2Subtract(Vector2* out, const Vector2* a, const Vector2* b) { *out = *a - *b; return out; }
Vector2* Vec2Scale(Vector2* out, const Vector2* v, float s) { *out = *v * s; return out; }

Vector2* Vec2Lerp(Vector2* out, const Vector2* a, const Vector2* b, float s) {
    *out = *a + (*b - *a) * s;
    return out;
}

Vector2* Vec2Normalize(Vector2* out, const Vector2* v) {
    float length = Vec2Length(v);
    *out = length > 0.0f ? *v / length : Vector2();
    return out;
}

Vector2* Vec2TransformCoord(Vector2* out, const Vector2* v, const Matrix* m) {
    Vector3 p(v->x, v->y, 0.0f);
    Vec3TransformCoord(&p, &p, m);
    *out = Vector2(p.x, p.y);
    return out;
}

Vector2* Vec2CatmullRom(Vector2* out, const Vector2* v0, const Vector2* v1, const Vector2* v2,
                        const Vector2* v3, float s) {
    float s2 = s * s, s3 = s2 * s;
    *out = 0.5f * (2.0f * *v1 + (*v2 - *v0) * s + (2.0f * *v0 - 5.0f * *v1 + 4.0f * *v2 - *v3) * s2 +
                   (3.0f * *v1 - *v0 - 3.0f * *v2 + *v3) * s3);
    return out;
}

// ---- Three-component vectors

float Vec3Length(const Vector3* v) { return std::sqrt(Vec3LengthSq(v)); }
float Vec3LengthSq(const Vector3* v) { return v->x * v->x + v->y * v->y + v->z * v->z; }
float Vec3Dot(const Vector3* a, const Vector3* b) { return a->x * b->x + a->y * b->y + a->z * b->z; }

Vector3* Vec3Cross(Vector3* out, const Vector3* a, const Vector3* b) {
    *out = Vector3(a->y * b->z - a->z * b->y, a->z * b->x - a->x * b->z, a->x * b->y - a->y * b->x);
    return out;
}

Vector3* Vec3Add(Vector3* out, const Vector3* a, const Vector3* b) { *out = *a + *b; return out; }
Vector3* Vec3Subtract(Vector3* out, const Vector3* a, const Vector3* b) { *out = *a - *b; return out; }
Vector3* Vec3Scale(Vector3* out, const Vector3* v, float s) { *out = *v * s; return out; }

Vector3* Vec3Lerp(Vector3* out, const Vector3* a, const Vector3* b, float s) {
    *out = *a + (*b - *a) * s;
    return out;
}

Vector3* Vec3Minimize(Vector3* out, const Vector3* a, const Vector3* b) {
    *out = Vector3(std::fmin(a->x, b->x), std::fmin(a->y, b->y), std::fmin(a->z, b->z));
    return out;
}

Vector3* Vec3Maximize(Vector3* out, const Vector3* a, const Vector3* b) {
    *out = Vector3(std::fmax(a->x, b->x), std::fmax(a->y, b->y), std::fmax(a->z, b->z));
    return out;
}

Vector3* Vec3Normalize(Vector3* out, const Vector3* v) {
    float length = Vec3Length(v);
    *out = length > 0.0f ? *v / length : Vector3();
    return out;
}

Vector4* Vec3Transform(Vector4* out, const Vector3* v, const Matrix* m) {
    Vector4 p(*v, 1.0f);
    return Vec4Transform(out, &p, m);
}

Vector3* Vec3TransformCoord(Vector3* out, const Vector3* v, const Matrix* m) {
    Vector4 p;
    Vec3Transform(&p, v, m);
    if (p.w == 0.0f) {
        // A point on the eye plane goes to infinity, as the division gives
        // on the original platform, without a division by zero: each
        // coordinate becomes infinity of its sign over w's, NaN where it is 0.
        const float infinity = std::copysign(std::numeric_limits<float>::infinity(), p.w);
        *out = Vector3(p.x * infinity, p.y * infinity, p.z * infinity);
        return out;
    }
    *out = Vector3(p.x / p.w, p.y / p.w, p.z / p.w);
    return out;
}

Vector3* Vec3TransformNormal(Vector3* out, const Vector3* v, const Matrix* m) {
    Vector4 p(*v, 0.0f);
    Vec4Transform(&p, &p, m);
    *out = Vector3(p.x, p.y, p.z);
    return out;
}

namespace {

// world x view x projection, null matrices skipped.
Matrix combine(const Matrix* projection, const Matrix* view, const Matrix* world) {
    Matrix result = Matrix::identity();
    if (world) result = *world;
    if (view) result = result * *view;
    if (projection) result = result * *projection;
    return result;
}

}  // namespace

Vector3* Vec3Project(Vector3* out, const Vector3* v, const Viewport* viewport,
                     const Matrix* projection, const Matrix* view, const Matrix* world) {
    Matrix all = combine(projection, view, world);
    Vector3 clip;
    Vec3TransformCoord(&clip, v, &all);
    *out = Vector3(static_cast<float>(viewport->X) + (1.0f + clip.x) * static_cast<float>(viewport->Width) * 0.5f,
                   static_cast<float>(viewport->Y) + (1.0f - clip.y) * static_cast<float>(viewport->Height) * 0.5f,
                   viewport->MinZ + clip.z * (viewport->MaxZ - viewport->MinZ));
    return out;
}

Vector3* Vec3Unproject(Vector3* out, const Vector3* v, const Viewport* viewport,
                       const Matrix* projection, const Matrix* view, const Matrix* world) {
    Matrix all = combine(projection, view, world);
    Matrix inverse;
    float depthRange = viewport->MaxZ - viewport->MinZ;
    if (viewport->Width == 0 || viewport->Height == 0 || depthRange == 0.0f ||
        !MatrixInverse(&inverse, nullptr, &all))
        return nullptr;
    Vector3 clip(2.0f * (v->x - static_cast<float>(viewport->X)) / static_cast<float>(viewport->Width) - 1.0f,
                 1.0f - 2.0f * (v->y - static_cast<float>(viewport->Y)) / static_cast<float>(viewport->Height),
                 (v->z - viewport->MinZ) / depthRange);
    return Vec3TransformCoord(out, &clip, &inverse);
}

// ---- Four-component vectors

float Vec4Dot(const Vector4* a, const Vector4* b) {
    return a->x * b->x + a->y * b->y + a->z * b->z + a->w * b->w;
}

Vector4* Vec4Transform(Vector4* out, const Vector4* v, const Matrix* m) {
    const float in[4] = {v->x, v->y, v->z, v->w};
    float r[4];
    for (int c = 0; c < 4; ++c)
        r[c] = in[0] * m->m[0][c] + in[1] * m->m[1][c] + in[2] * m->m[2][c] + in[3] * m->m[3][c];
    *out = Vector4(r[0], r[1], r[2], r[3]);
    return out;
}

// ---- Planes

Plane* PlaneFromPointNormal(Plane* out, const Vector3* point, const Vector3* normal) {
    *out = Plane(normal->x, normal->y, normal->z, -Vec3Dot(point, normal));
    return out;
}

Plane* PlaneFromPoints(Plane* out, const Vector3* a, const Vector3* b, const Vector3* c) {
    Vector3 ab = *b - *a, ac = *c - *a, normal;
    Vec3Cross(&normal, &ab, &ac);
    Vec3Normalize(&normal, &normal);
    return PlaneFromPointNormal(out, a, &normal);
}

float PlaneDotCoord(const Plane* p, const Vector3* v) { return p->a * v->x + p->b * v->y + p->c * v->z + p->d; }
float PlaneDotNormal(const Plane* p, const Vector3* v) { return p->a * v->x + p->b * v->y + p->c * v->z; }

Plane* PlaneNormalize(Plane* out, const Plane* p) {
    float length = std::sqrt(p->a * p->a + p->b * p->b + p->c * p->c);
    *out = length > 0.0f ? Plane(p->a / length, p->b / length, p->c / length, p->d / length) : Plane();
    return out;
}

Vector3* PlaneIntersectLine(Vector3* out, const Plane* p, const Vector3* a, const Vector3* b) {
    Vector3 direction = *b - *a;
    float along = PlaneDotNormal(p, &direction);
    if (along == 0.0f) return nullptr;
    float t = -PlaneDotCoord(p, a) / along;
    *out = *a + direction * t;
    return out;
}

}  // namespace d3dx
