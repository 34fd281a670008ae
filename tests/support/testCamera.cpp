#include "tests/support/testCamera.h"

#include "platform/d3dx/d3dxMath.h"

namespace testsupport {

TestCamera::TestCamera(const d3dx::Vector3& eye, const d3dx::Vector3& at, const d3dx::Vector3& up,
                       float fovY, const d3dx::Viewport& viewport, float nearZ, float farZ)
    : eye_(eye), viewport_(viewport) {
    d3dx::MatrixLookAtLH(&view_, &eye, &at, &up);
    // A viewport without height has no shape; its camera keeps a square one.
    const float aspect =
        viewport.Height ? static_cast<float>(viewport.Width) / static_cast<float>(viewport.Height) : 1.0f;
    d3dx::MatrixPerspectiveFovLH(&projection_, fovY, aspect, nearZ, farZ);
}

TestCamera TestCamera::orthographic(const d3dx::Vector3& eye, const d3dx::Vector3& at,
                                    const d3dx::Vector3& up, float width, float height,
                                    const d3dx::Viewport& viewport, float nearZ, float farZ) {
    TestCamera camera(eye, at, up, 1.0f, viewport, nearZ, farZ);
    d3dx::MatrixOrthoLH(&camera.projection_, width, height, nearZ, farZ);
    return camera;
}

TestViewSource::TestViewSource() : previous_(getViewSource()) { setViewSource(this); }

TestViewSource::~TestViewSource() { setViewSource(previous_); }

void TestViewSource::applyCamera(const simViewpoint* current) {
    camera = current;
    world = d3dx::Matrix::identity();
    view = current->getViewMatrix();
    projection = current->getProjectionMatrix();
    viewport = current->getViewport();
}

}  // namespace testsupport
