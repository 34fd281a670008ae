// Matrix functions. Each computes into a local and stores it last, so the
// result may alias an argument.
#include <cmath>

#include "platform/d3dx/d3dxMath.h"

namespace d3dx {

Matrix Matrix::operator*(const Matrix& b) const {
    Matrix r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r.m[i][j] = m[i][0] * b.m[0][j] + m[i][1] * b.m[1][j] + m[i][2] * b.m[2][j] + m[i][3] * b.m[3][j];
    return r;
}

bool Matrix::operator==(const Matrix& b) const {
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            if (m[i][j] != b.m[i][j]) return false;
    return true;
}

Matrix* MatrixIdentity(Matrix* out) { *out = Matrix::identity(); return out; }
bool MatrixIsIdentity(const Matrix* m) { return *m == Matrix::identity(); }
Matrix* MatrixMultiply(Matrix* out, const Matrix* a, const Matrix* b) { *out = *a * *b; return out; }

Matrix* MatrixTranspose(Matrix* out, const Matrix* m) {
    Matrix r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) r.m[i][j] = m->m[j][i];
    *out = r;
    return out;
}

namespace {

// The 16 cofactors of m, transposed (the adjugate), by 2x2 sub-determinants of
// the top and bottom row pairs.
Matrix adjugate(const Matrix& m, float* determinant) {
    const float(*a)[4] = m.m;
    float s0 = a[0][0] * a[1][1] - a[1][0] * a[0][1];
    float s1 = a[0][0] * a[1][2] - a[1][0] * a[0][2];
    float s2 = a[0][0] * a[1][3] - a[1][0] * a[0][3];
    float s3 = a[0][1] * a[1][2] - a[1][1] * a[0][2];
    float s4 = a[0][1] * a[1][3] - a[1][1] * a[0][3];
    float s5 = a[0][2] * a[1][3] - a[1][2] * a[0][3];
    float c5 = a[2][2] * a[3][3] - a[3][2] * a[2][3];
    float c4 = a[2][1] * a[3][3] - a[3][1] * a[2][3];
    float c3 = a[2][1] * a[3][2] - a[3][1] * a[2][2];
    float c2 = a[2][0] * a[3][3] - a[3][0] * a[2][3];
    float c1 = a[2][0] * a[3][2] - a[3][0] * a[2][2];
    float c0 = a[2][0] * a[3][1] - a[3][0] * a[2][1];
    *determinant = s0 * c5 - s1 * c4 + s2 * c3 + s3 * c2 - s4 * c1 + s5 * c0;
    return Matrix(
        a[1][1] * c5 - a[1][2] * c4 + a[1][3] * c3,
        -a[0][1] * c5 + a[0][2] * c4 - a[0][3] * c3,
        a[3][1] * s5 - a[3][2] * s4 + a[3][3] * s3,
        -a[2][1] * s5 + a[2][2] * s4 - a[2][3] * s3,
        -a[1][0] * c5 + a[1][2] * c2 - a[1][3] * c1,
        a[0][0] * c5 - a[0][2] * c2 + a[0][3] * c1,
        -a[3][0] * s5 + a[3][2] * s2 - a[3][3] * s1,
        a[2][0] * s5 - a[2][2] * s2 + a[2][3] * s1,
        a[1][0] * c4 - a[1][1] * c2 + a[1][3] * c0,
        -a[0][0] * c4 + a[0][1] * c2 - a[0][3] * c0,
        a[3][0] * s4 - a[3][1] * s2 + a[3][3] * s0,
        -a[2][0] * s4 + a[2][1] * s2 - a[2][3] * s0,
        -a[1][0] * c3 + a[1][1] * c1 - a[1][2] * c0,
        a[0][0] * c3 - a[0][1] * c1 + a[0][2] * c0,
        -a[3][0] * s3 + a[3][1] * s1 - a[3][2] * s0,
        a[2][0] * s3 - a[2][1] * s1 + a[2][2] * s0);
}

}  // namespace

float MatrixDeterminant(const Matrix* m) {
    float determinant;
    adjugate(*m, &determinant);
    return determinant;
}

Matrix* MatrixInverse(Matrix* out, float* determinant, const Matrix* m) {
    float det;
    Matrix adj = adjugate(*m, &det);
    if (determinant) *determinant = det;
    if (det == 0.0f || !std::isfinite(det)) return nullptr;
    float inv = 1.0f / det;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) adj.m[i][j] *= inv;
    *out = adj;
    return out;
}

Matrix* MatrixTranslation(Matrix* out, float x, float y, float z) {
    *out = Matrix(1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1);
    return out;
}

Matrix* MatrixScaling(Matrix* out, float x, float y, float z) {
    *out = Matrix(x, 0, 0, 0, 0, y, 0, 0, 0, 0, z, 0, 0, 0, 0, 1);
    return out;
}

Matrix* MatrixRotationX(Matrix* out, float angle) {
    float c = std::cos(angle), s = std::sin(angle);
    *out = Matrix(1, 0, 0, 0, 0, c, s, 0, 0, -s, c, 0, 0, 0, 0, 1);
    return out;
}

Matrix* MatrixRotationY(Matrix* out, float angle) {
    float c = std::cos(angle), s = std::sin(angle);
    *out = Matrix(c, 0, -s, 0, 0, 1, 0, 0, s, 0, c, 0, 0, 0, 0, 1);
    return out;
}

Matrix* MatrixRotationZ(Matrix* out, float angle) {
    float c = std::cos(angle), s = std::sin(angle);
    *out = Matrix(c, s, 0, 0, -s, c, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1);
    return out;
}

Matrix* MatrixRotationYawPitchRoll(Matrix* out, float yaw, float pitch, float roll) {
    Matrix z, x, y;
    MatrixRotationZ(&z, roll);
    MatrixRotationX(&x, pitch);
    MatrixRotationY(&y, yaw);
    *out = z * x * y;
    return out;
}

Matrix* MatrixReflect(Matrix* out, const Plane* plane) {
    Plane p;
    PlaneNormalize(&p, plane);
    float a = p.a, b = p.b, c = p.c, d = p.d;
    *out = Matrix(1 - 2 * a * a, -2 * b * a, -2 * c * a, 0,
                  -2 * a * b, 1 - 2 * b * b, -2 * c * b, 0,
                  -2 * a * c, -2 * b * c, 1 - 2 * c * c, 0,
                  -2 * a * d, -2 * b * d, -2 * c * d, 1);
    return out;
}

namespace {

// The view matrix whose rows are the camera axes; forward is the unit z axis.
Matrix* lookAlong(Matrix* out, const Vector3* eye, const Vector3& forward, const Vector3* up) {
    Vector3 right, trueUp;
    Vec3Cross(&right, up, &forward);
    Vec3Normalize(&right, &right);
    Vec3Cross(&trueUp, &forward, &right);
    *out = Matrix(right.x, trueUp.x, forward.x, 0,
                  right.y, trueUp.y, forward.y, 0,
                  right.z, trueUp.z, forward.z, 0,
                  -Vec3Dot(&right, eye), -Vec3Dot(&trueUp, eye), -Vec3Dot(&forward, eye), 1);
    return out;
}

}  // namespace

Matrix* MatrixLookAtLH(Matrix* out, const Vector3* eye, const Vector3* at, const Vector3* up) {
    Vector3 forward = *at - *eye;
    Vec3Normalize(&forward, &forward);
    return lookAlong(out, eye, forward, up);
}

Matrix* MatrixLookAtRH(Matrix* out, const Vector3* eye, const Vector3* at, const Vector3* up) {
    Vector3 backward = *eye - *at;
    Vec3Normalize(&backward, &backward);
    return lookAlong(out, eye, backward, up);
}

Matrix* MatrixPerspectiveFovLH(Matrix* out, float fovY, float aspect, float zNear, float zFar) {
    float yScale = 1.0f / std::tan(fovY * 0.5f), xScale = yScale / aspect;
    float q = zFar / (zFar - zNear);
    *out = Matrix(xScale, 0, 0, 0, 0, yScale, 0, 0, 0, 0, q, 1, 0, 0, -zNear * q, 0);
    return out;
}

Matrix* MatrixPerspectiveFovRH(Matrix* out, float fovY, float aspect, float zNear, float zFar) {
    float yScale = 1.0f / std::tan(fovY * 0.5f), xScale = yScale / aspect;
    float q = zFar / (zNear - zFar);
    *out = Matrix(xScale, 0, 0, 0, 0, yScale, 0, 0, 0, 0, q, -1, 0, 0, zNear * q, 0);
    return out;
}

Matrix* MatrixOrthoLH(Matrix* out, float width, float height, float zNear, float zFar) {
    *out = Matrix(2 / width, 0, 0, 0, 0, 2 / height, 0, 0, 0, 0, 1 / (zFar - zNear), 0,
                  0, 0, zNear / (zNear - zFar), 1);
    return out;
}

Matrix* MatrixOrthoRH(Matrix* out, float width, float height, float zNear, float zFar) {
    *out = Matrix(2 / width, 0, 0, 0, 0, 2 / height, 0, 0, 0, 0, 1 / (zNear - zFar), 0,
                  0, 0, zNear / (zNear - zFar), 1);
    return out;
}

}  // namespace d3dx
