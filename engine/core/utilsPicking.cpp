#include "engine/core/utilsPicking.h"

#include <cmath>

#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simMouse.h"
#include "platform/d3dx/d3dxMath.h"

namespace utils {
namespace {

// A ray closer than this to parallel with a plane (the sine of the angle
// between them) meets it nowhere.
constexpr float kParallelTolerance = 1e-6f;

const simViewpoint* cameraOrCurrent(const simViewpoint* camera) {
    if (camera) {
        return camera;
    }
    const simViewSource* source = getViewSource();
    return source ? source->getCurrentCamera() : nullptr;
}

// Projects the point with the given transforms and viewport, the renderer's
// current ones standing in for those not given; false, leaving *screen
// unchanged, when one is missing and there is no view source.
bool project(const d3dx::Vector3& point, d3dx::Vector3* screen, const d3dx::Matrix* world,
             const d3dx::Matrix* view, const d3dx::Matrix* projection,
             const d3dx::Viewport* viewport) {
    d3dx::Matrix currentWorld, currentView, currentProjection;
    d3dx::Viewport currentViewport;
    if (!world || !view || !projection || !viewport) {
        const simViewSource* source = getViewSource();
        if (!source) {
            return false;
        }
        if (!world) {
            currentWorld = source->getWorldTransform();
            world = &currentWorld;
        }
        if (!view) {
            currentView = source->getViewTransform();
            view = &currentView;
        }
        if (!projection) {
            currentProjection = source->getProjectionTransform();
            projection = &currentProjection;
        }
        if (!viewport) {
            currentViewport = source->getViewport();
            viewport = &currentViewport;
        }
    }
    d3dx::Vec3Project(screen, &point, viewport, projection, view, world);
    return true;
}

// Depth 0 is the near plane and 1 the far plane; points on either are out.
bool liesBetweenNearAndFar(const d3dx::Vector3& screen) {
    return screen.z > 0.0f && screen.z < 1.0f;
}

// Weights of the corners for the point's foot in the triangle's plane; false
// for a triangle without area.
bool barycentricWeights(const d3dx::Vector3& point, const d3dx::Vector3& p0,
                        const d3dx::Vector3& p1, const d3dx::Vector3& p2, float weights[3]) {
    const d3dx::Vector3 e1 = p1 - p0;
    const d3dx::Vector3 e2 = p2 - p0;
    const d3dx::Vector3 toPoint = point - p0;
    const float d11 = d3dx::Vec3Dot(&e1, &e1);
    const float d12 = d3dx::Vec3Dot(&e1, &e2);
    const float d22 = d3dx::Vec3Dot(&e2, &e2);
    const float dp1 = d3dx::Vec3Dot(&toPoint, &e1);
    const float dp2 = d3dx::Vec3Dot(&toPoint, &e2);
    const float denominator = d11 * d22 - d12 * d12;
    if (!(denominator > 0.0f)) {
        return false;
    }
    weights[1] = (d22 * dp1 - d12 * dp2) / denominator;
    weights[2] = (d11 * dp2 - d12 * dp1) / denominator;
    weights[0] = 1.0f - weights[1] - weights[2];
    return true;
}

}  // namespace

bool worldToScreen(const d3dx::Vector3& point, d3dx::Vector3* screen, const d3dx::Matrix* world,
                   const d3dx::Matrix* view, const d3dx::Matrix* projection,
                   const d3dx::Viewport* viewport) {
    return project(point, screen, world, view, projection, viewport) &&
           liesBetweenNearAndFar(*screen);
}

bool worldToScreen2D(const d3dx::Vector3& point, d3dx::Vector2* screen, const d3dx::Matrix* world,
                     const d3dx::Matrix* view, const d3dx::Matrix* projection,
                     const d3dx::Viewport* viewport) {
    d3dx::Vector3 projected;
    if (!project(point, &projected, world, view, projection, viewport)) {
        return false;
    }
    *screen = d3dx::Vector2(projected.x, projected.y);
    return liesBetweenNearAndFar(projected);
}

bool screenRay(const d3dx::Vector2& screen, d3dx::Vector3* start, d3dx::Vector3* direction,
               const simViewpoint* camera) {
    camera = cameraOrCurrent(camera);
    return camera && screenRay(screen, camera->getViewport(), camera->getProjectionMatrix(),
                               camera->getViewMatrix(), nullptr, start, direction);
}

bool screenRay(const d3dx::Vector2& screen, const d3dx::Viewport& viewport,
               const d3dx::Matrix& projection, const d3dx::Matrix& view, const d3dx::Matrix* world,
               d3dx::Vector3* start, d3dx::Vector3* direction) {
    // Both ends come from the pixel itself, at the near and the far plane.
    // Unprojecting at the depth of some world point instead gives a point
    // behind the camera when that point is behind it, and nothing at all when
    // it lies in the camera's plane.
    const d3dx::Vector3 onNear(screen.x, screen.y, viewport.MinZ);
    const d3dx::Vector3 onFar(screen.x, screen.y, viewport.MaxZ);
    d3dx::Vector3 nearPoint, farPoint;
    if (!d3dx::Vec3Unproject(&nearPoint, &onNear, &viewport, &projection, &view, world) ||
        !d3dx::Vec3Unproject(&farPoint, &onFar, &viewport, &projection, &view, world)) {
        return false;
    }
    d3dx::Vector3 along = farPoint - nearPoint;
    if (!std::isfinite(nearPoint.x + nearPoint.y + nearPoint.z) ||
        !std::isfinite(along.x + along.y + along.z) || d3dx::Vec3LengthSq(&along) == 0.0f) {
        return false;
    }
    d3dx::Vec3Normalize(&along, &along);
    *start = nearPoint;
    *direction = along;
    return true;
}

d3dx::Vector3* rayToPlane(d3dx::Vector3* out, const d3dx::Plane& plane,
                          const d3dx::Vector3& start, const d3dx::Vector3& direction) {
    const d3dx::Vector3 normal(plane.a, plane.b, plane.c);
    const float towards = d3dx::Vec3Dot(&normal, &direction);
    if (std::fabs(towards) <= kParallelTolerance * d3dx::Vec3Length(&normal) *
                                  d3dx::Vec3Length(&direction)) {
        return nullptr;
    }
    const float along = -d3dx::PlaneDotCoord(&plane, &start) / towards;
    if (!(along >= 0.0f)) {
        return nullptr;
    }
    *out = start + direction * along;
    return out;
}

bool screenToWorldRay(const d3dx::Vector2& screen, d3dx::Vector3* world,
                      const simViewpoint* camera) {
    camera = cameraOrCurrent(camera);
    d3dx::Vector3 start, direction;
    if (!screenRay(screen, &start, &direction, camera)) {
        return false;
    }
    // How far along the ray the start already is from the camera: the whole
    // way for a perspective camera, whose rays leave its position, the near
    // distance for an orthographic one.
    const d3dx::Vector3& position = camera->getPosition();
    const d3dx::Vector3 fromCamera = start - position;
    const float travelled = d3dx::Vec3Dot(&fromCamera, &direction);
    *world = start + direction * (d3dx::Vec3Length(&position) - travelled);
    return true;
}

d3dx::Vector3* mouseToPlane(d3dx::Vector3* out, const d3dx::Plane& plane,
                            const simViewpoint* camera) {
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    d3dx::Vector3 start, direction;
    if (!mouse ||
        !screenRay(
            d3dx::Vector2(static_cast<float>(mouse->getX()), static_cast<float>(mouse->getY())),
            &start, &direction, camera)) {
        return nullptr;
    }
    return rayToPlane(out, plane, start, direction);
}

d3dx::Vector3* mouseToGroundPlane(d3dx::Vector3* out, const simViewpoint* camera) {
    const d3dx::Vector3 origin(0.0f, 0.0f, 0.0f);
    const d3dx::Vector3 up(0.0f, 1.0f, 0.0f);
    d3dx::Plane ground;
    d3dx::PlaneFromPointNormal(&ground, &origin, &up);
    return mouseToPlane(out, ground, camera);
}

bool sameSide(const d3dx::Vector3& p1, const d3dx::Vector3& p2, const d3dx::Vector3& a,
              const d3dx::Vector3& b) {
    const d3dx::Vector3 edge = b - a;
    const d3dx::Vector3 to1 = p1 - a;
    const d3dx::Vector3 to2 = p2 - a;
    d3dx::Vector3 cross1, cross2;
    d3dx::Vec3Cross(&cross1, &edge, &to1);
    d3dx::Vec3Cross(&cross2, &edge, &to2);
    return d3dx::Vec3Dot(&cross1, &cross2) >= 0.0f;
}

bool pointInTriangle(const d3dx::Vector3& p, const d3dx::Vector3& a, const d3dx::Vector3& b,
                     const d3dx::Vector3& c) {
    return sameSide(p, c, a, b) && sameSide(p, a, b, c) && sameSide(p, b, c, a);
}

// Blending by the point's weights in the triangle's own plane gives, for any
// point of the triangle, what flattening it towards the camera would give,
// and it needs no camera: a flattening view built with the camera's up
// vector has no value for a triangle that faces along that vector.
void interpolateTriangleUV(const d3dx::Vector3& point, const d3dx::Vector3& p0,
                           const d3dx::Vector3& p1, const d3dx::Vector3& p2,
                           const d3dx::Vector2& uv0, const d3dx::Vector2& uv1,
                           const d3dx::Vector2& uv2, d3dx::Vector2* uv) {
    float w[3];
    if (!barycentricWeights(point, p0, p1, p2, w)) {
        *uv = uv0;
        return;
    }
    *uv = uv0 * w[0] + uv1 * w[1] + uv2 * w[2];
}

void interpolateTriangleNormal(const d3dx::Vector3& point, const d3dx::Vector3& p0,
                               const d3dx::Vector3& p1, const d3dx::Vector3& p2,
                               const d3dx::Vector3& n0, const d3dx::Vector3& n1,
                               const d3dx::Vector3& n2, d3dx::Vector3* normal) {
    float w[3];
    const d3dx::Vector3 blended =
        barycentricWeights(point, p0, p1, p2, w) ? n0 * w[0] + n1 * w[1] + n2 * w[2] : n0;
    d3dx::Vec3Normalize(normal, &blended);
}

float angleInViewPlane(const d3dx::Vector3& point, const d3dx::Vector3& target,
                       const d3dx::Vector3& up) {
    const d3dx::Vector3 eye(0.0f, 0.0f, 0.0f);
    d3dx::Matrix look;
    d3dx::MatrixLookAtLH(&look, &eye, &target, &up);
    d3dx::Vector3 seen;
    d3dx::Vec3TransformCoord(&seen, &point, &look);
    d3dx::Vec3Normalize(&seen, &seen);
    return -std::atan2(seen.x, seen.y);
}

float angleDifference(float a, float b) {
    const auto onePositiveTurn = [](float angle) {
        return angle >= -kPi && angle <= 0.0f ? angle + kTwoPi : angle;
    };
    a = onePositiveTurn(a);
    b = onePositiveTurn(b);
    if (a <= kHalfPi && b >= kThreeHalfPi) {
        return std::fabs(b - (a + kTwoPi));
    }
    if (b <= kHalfPi && a >= kThreeHalfPi) {
        return std::fabs(a - (b + kTwoPi));
    }
    return std::fabs(a - b);
}

}  // namespace utils
