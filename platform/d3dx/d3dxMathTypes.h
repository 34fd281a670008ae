// The maths value types of the engine: vectors, planes, 4x4 matrices and the
// viewport, shaped like the Direct3D extension library's so that engine code
// reads as it was written.
//
// Matrices use the row-vector convention: a point is a row (x, y, z, 1)
// multiplied on the left, so translation sits in the fourth row (_41, _42,
// _43) and A * B applies A first. Every type is a plain value of 4-byte
// floats with no padding, written to files as raw floats. Default
// construction gives zeros (the library left them undefined).
#pragma once

#include <cstdint>

namespace d3dx {

struct Vector2 {
    float x = 0.0f, y = 0.0f;

    constexpr Vector2() = default;
    constexpr Vector2(float x_, float y_) : x(x_), y(y_) {}

    constexpr Vector2 operator+(const Vector2& v) const { return {x + v.x, y + v.y}; }
    constexpr Vector2 operator-(const Vector2& v) const { return {x - v.x, y - v.y}; }
    constexpr Vector2 operator-() const { return {-x, -y}; }
    constexpr Vector2 operator*(float s) const { return {x * s, y * s}; }
    constexpr Vector2 operator/(float s) const { return {x / s, y / s}; }
    constexpr Vector2& operator+=(const Vector2& v) { x += v.x; y += v.y; return *this; }
    constexpr Vector2& operator-=(const Vector2& v) { x -= v.x; y -= v.y; return *this; }
    constexpr Vector2& operator*=(float s) { x *= s; y *= s; return *this; }
    constexpr Vector2& operator/=(float s) { x /= s; y /= s; return *this; }
    constexpr bool operator==(const Vector2&) const = default;
};
constexpr Vector2 operator*(float s, const Vector2& v) { return v * s; }

struct Vector3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;

    constexpr Vector3() = default;
    constexpr Vector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    constexpr Vector3 operator+(const Vector3& v) const { return {x + v.x, y + v.y, z + v.z}; }
    constexpr Vector3 operator-(const Vector3& v) const { return {x - v.x, y - v.y, z - v.z}; }
    constexpr Vector3 operator-() const { return {-x, -y, -z}; }
    constexpr Vector3 operator*(float s) const { return {x * s, y * s, z * s}; }
    constexpr Vector3 operator/(float s) const { return {x / s, y / s, z / s}; }
    constexpr Vector3& operator+=(const Vector3& v) { x += v.x; y += v.y; z += v.z; return *this; }
    constexpr Vector3& operator-=(const Vector3& v) { x -= v.x; y -= v.y; z -= v.z; return *this; }
    constexpr Vector3& operator*=(float s) { x *= s; y *= s; z *= s; return *this; }
    constexpr Vector3& operator/=(float s) { x /= s; y /= s; z /= s; return *this; }
    constexpr bool operator==(const Vector3&) const = default;
};
constexpr Vector3 operator*(float s, const Vector3& v) { return v * s; }

struct Vector4 {
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 0.0f;

    constexpr Vector4() = default;
    constexpr Vector4(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
    constexpr Vector4(const Vector3& v, float w_) : x(v.x), y(v.y), z(v.z), w(w_) {}

    constexpr Vector4 operator+(const Vector4& v) const { return {x + v.x, y + v.y, z + v.z, w + v.w}; }
    constexpr Vector4 operator-(const Vector4& v) const { return {x - v.x, y - v.y, z - v.z, w - v.w}; }
    constexpr Vector4 operator-() const { return {-x, -y, -z, -w}; }
    constexpr Vector4 operator*(float s) const { return {x * s, y * s, z * s, w * s}; }
    constexpr Vector4 operator/(float s) const { return {x / s, y / s, z / s, w / s}; }
    constexpr bool operator==(const Vector4&) const = default;
};
constexpr Vector4 operator*(float s, const Vector4& v) { return v * s; }

// The plane a x + b y + c z + d = 0; (a, b, c) is its normal.
struct Plane {
    float a = 0.0f, b = 0.0f, c = 0.0f, d = 0.0f;

    constexpr Plane() = default;
    constexpr Plane(float a_, float b_, float c_, float d_) : a(a_), b(b_), c(c_), d(d_) {}
    constexpr bool operator==(const Plane&) const = default;
};

// A 4x4 matrix, row-major: m[row][column], also named _11 .. _44.
struct Matrix {
    union {
        struct {
            float _11, _12, _13, _14;
            float _21, _22, _23, _24;
            float _31, _32, _33, _34;
            float _41, _42, _43, _44;
        };
        float m[4][4];
    };

    constexpr Matrix() : m{} {}
    constexpr Matrix(float m11, float m12, float m13, float m14,
                     float m21, float m22, float m23, float m24,
                     float m31, float m32, float m33, float m34,
                     float m41, float m42, float m43, float m44)
        : m{{m11, m12, m13, m14}, {m21, m22, m23, m24}, {m31, m32, m33, m34}, {m41, m42, m43, m44}} {}

    static constexpr Matrix identity() {
        return Matrix(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    }

    float& operator()(int row, int column) { return m[row][column]; }
    float operator()(int row, int column) const { return m[row][column]; }

    // Matrix product; A * B applies A first to row vectors.
    Matrix operator*(const Matrix& b) const;
    Matrix& operator*=(const Matrix& b) { return *this = *this * b; }
    bool operator==(const Matrix& b) const;
};

// The rectangle of the render target that clip space maps to, in pixels, and
// the depth range it maps z to.
struct Viewport {
    uint32_t X = 0, Y = 0, Width = 0, Height = 0;
    float MinZ = 0.0f, MaxZ = 1.0f;
};

static_assert(sizeof(Vector2) == 8 && sizeof(Vector3) == 12 && sizeof(Vector4) == 16);
static_assert(sizeof(Plane) == 16 && sizeof(Matrix) == 64);

}  // namespace d3dx
