// Script functions for vector maths, angle differences, the airfoil frame of
// a flight model and interpolation in number tables.
//
// Vectors are three arguments read without a type check (a non-number reads
// as 0) and computed in floats with the D3DX-shaped maths, left-handed and
// with row vectors. Results are pushed one number per component. Angles use
// the engine's shortened constants.
#include <cmath>
#include <vector>

#include "engine/core/scriptFunctions.h"
#include "engine/core/utilsInterpolate.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

constexpr float kPi = 3.1415f;
constexpr float kTwoPi = 6.283f;
constexpr float kHalfPi = 1.57075f;
constexpr float kThreeHalfPi = 4.71225f;

int pushVector(simScriptManager& host, const d3dx::Vector3& v) {
    host.pushNumber(v.x);
    host.pushNumber(v.y);
    host.pushNumber(v.z);
    return 3;
}

int pushOne(simScriptManager& host, double value) {
    host.pushNumber(value);
    return 1;
}

// The two vectors of a (v, w) call of six arguments.
void readPair(simScriptManager& host, d3dx::Vector3& v, d3dx::Vector3& w) {
    host.getVector(&v, 0, 6);
    host.getVector(&w, 3, 6);
}

d3dx::Vector3 unit(const d3dx::Vector3& v) {
    d3dx::Vector3 out;
    d3dx::Vec3Normalize(&out, &v);
    return out;
}

// The two vector arguments, each normalised.
void readUnitPair(simScriptManager& host, d3dx::Vector3& a, d3dx::Vector3& b) {
    d3dx::Vector3 v, w;
    readPair(host, v, w);
    a = unit(v);
    b = unit(w);
}

// v expressed in the frame that looks from the origin along f with up u.
d3dx::Vector3 airfoilFrame(simScriptManager& host) {
    d3dx::Vector3 v, forward, up;
    host.getVector(&v, 0, 9);
    host.getVector(&forward, 3, 9);
    host.getVector(&up, 6, 9);
    const d3dx::Vector3 eye(0.0f, 0.0f, 0.0f);
    d3dx::Matrix look;
    d3dx::MatrixLookAtLH(&look, &eye, &forward, &up);
    d3dx::Vector3 p;
    d3dx::Vec3TransformCoord(&p, &v, &look);
    return p;
}

// An angle in -pi..0 (both included) moves up by two pi.
float wrapUp(float angle) { return (angle >= -kPi && angle <= 0.0f) ? angle + kTwoPi : angle; }

int interpolateTable(lua_State* state, bool clip) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    const int32_t size = host->tableSize(0, 2);
    std::vector<double> values;
    std::vector<double> keys;
    // Pairs of value, key; each element is pushed, read from the top and popped.
    auto readElement = [host](int32_t k) {
        if (!host->getTableElement(k, 0, 2)) return 0.0;
        const double value = host->getNumber(0, 1);  // a missing element reads as nil
        host->pop(1);
        return value;
    };
    for (int32_t k = 1; k <= size; k += 2) {
        values.push_back(readElement(k));
        keys.push_back(readElement(k + 1));
    }
    const double x = host->getNumber(1, 2);
    return pushOne(*host, utils::interpolateVector(values, keys, x, clip));
}

}  // namespace

int maths_vectorUnit(lua_State* state) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    d3dx::Vector3 v;
    host->getVector(&v, 0, 3);
    return pushVector(*host, unit(v));
}

int maths_vectorLength(lua_State* state) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    d3dx::Vector3 v;
    host->getVector(&v, 0, 3);
    return pushOne(*host, std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z));
}

int maths_vectorNormal(lua_State* state) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    d3dx::Vector3 a, b;
    readUnitPair(*host, a, b);
    d3dx::Vector3 normal;
    d3dx::Vec3Cross(&normal, &a, &b);
    return pushVector(*host, normal);
}

int maths_vectorAngle(lua_State* state) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    d3dx::Vector3 a, b;
    readUnitPair(*host, a, b);
    return pushOne(*host, d3dx::Vec3Dot(&a, &b));
}

int maths_vectorAngleCorrected(lua_State* state) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    d3dx::Vector3 v, w;
    readPair(*host, v, w);
    const d3dx::Vector3 zero;
    if (v == zero || w == zero) return pushOne(*host, 0.0);
    const d3dx::Vector3 a = unit(v);
    const d3dx::Vector3 b = unit(w);
    const float d = d3dx::Vec3Dot(&a, &b);
    const float clamped = d >= 1.0f ? 1.0f : (d <= -1.0f ? -1.0f : d);
    return pushOne(*host, std::acos(clamped));
}

int maths_vectorAngles(lua_State* state) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    d3dx::Vector3 v;
    host->getVector(&v, 0, 3);
    host->pushNumber(std::atan2(v.x, v.z));
    host->pushNumber(std::atan2(v.y, std::sqrt(v.x * v.x + v.z * v.z)));
    return 2;
}

int maths_reflectVector(lua_State* state) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    d3dx::Vector3 a, b;
    readUnitPair(*host, a, b);
    return pushVector(*host, a - b * (2.0f * d3dx::Vec3Dot(&a, &b)));
}

int maths_rotateVector(lua_State* state) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    d3dx::Vector3 v, angles;
    readPair(*host, v, angles);
    // The fourth argument turns about Z, the fifth about Y, the sixth about X.
    const float toRadians = kPi / 180.0f;
    d3dx::Matrix rotY, rotZ, rotX, zx, m;
    d3dx::MatrixRotationY(&rotY, angles.y * toRadians);
    d3dx::MatrixRotationZ(&rotZ, angles.x * toRadians);
    d3dx::MatrixRotationX(&rotX, angles.z * toRadians);
    d3dx::MatrixMultiply(&zx, &rotZ, &rotX);
    d3dx::MatrixMultiply(&m, &rotY, &zx);
    d3dx::Vector3 out;
    d3dx::Vec3TransformCoord(&out, &v, &m);
    return pushVector(*host, out);
}

int maths_airfoil_airflowVector(lua_State* state) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    return pushVector(*host, airfoilFrame(*host));
}

int maths_airfoil_angleOfAttack(lua_State* state) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    const d3dx::Vector3 q = unit(airfoilFrame(*host));
    return pushOne(*host, -std::atan2(q.y, q.z));
}

int maths_uniformAngleDifference(lua_State* state) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    const float a = wrapUp(static_cast<float>(host->getNumber(0, 2)));
    const float b = wrapUp(static_cast<float>(host->getNumber(1, 2)));
    float difference;
    if (a <= kHalfPi && b >= kThreeHalfPi) {
        difference = std::fabs(b - (a + kTwoPi));
    } else if (b <= kHalfPi && a >= kThreeHalfPi) {
        difference = std::fabs(a - (b + kTwoPi));
    } else {
        difference = std::fabs(a - b);
    }
    return pushOne(*host, difference);
}

int utils_interpolateTable(lua_State* state) { return interpolateTable(state, false); }

int utils_interpolateTableClip(lua_State* state) { return interpolateTable(state, true); }
