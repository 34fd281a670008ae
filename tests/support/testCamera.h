// A camera and a view source for tests of picking and projection, built from
// plain numbers so that expected screen and world positions can be worked by
// hand: a left-handed look-at view, a perspective projection and a viewport.
// The view source installs itself for the life of one test and puts back the
// source that was there before.
#pragma once

#include "engine/core/simViewpoint.h"
#include "platform/d3dx/d3dxMathTypes.h"

namespace testsupport {

class TestCamera : public simViewpoint {
public:
    // Looks from eye towards at; fovY is the vertical field of view in
    // radians; the aspect is the viewport's width over its height.
    TestCamera(const d3dx::Vector3& eye, const d3dx::Vector3& at, const d3dx::Vector3& up,
               float fovY, const d3dx::Viewport& viewport, float nearZ, float farZ);
    // An orthographic camera seeing a view volume width x height world units
    // across (Direct3D's left-handed orthographic projection).
    static TestCamera orthographic(const d3dx::Vector3& eye, const d3dx::Vector3& at,
                                   const d3dx::Vector3& up, float width, float height,
                                   const d3dx::Viewport& viewport, float nearZ, float farZ);

    const d3dx::Matrix& getViewMatrix() const override { return view_; }
    const d3dx::Matrix& getProjectionMatrix() const override { return projection_; }
    const d3dx::Viewport& getViewport() const override { return viewport_; }
    const d3dx::Vector3& getPosition() const override { return eye_; }

private:
    d3dx::Vector3 eye_;
    d3dx::Matrix view_;
    d3dx::Matrix projection_;
    d3dx::Viewport viewport_;
};

class TestViewSource : public simViewSource {
public:
    TestViewSource();
    ~TestViewSource() override;
    TestViewSource(const TestViewSource&) = delete;
    TestViewSource& operator=(const TestViewSource&) = delete;

    // Makes the camera current and the renderer's transforms and viewport
    // its own, with the identity as the world transform, as drawing through
    // it would.
    void applyCamera(const simViewpoint* camera);

    const simViewpoint* getCurrentCamera() const override { return camera; }
    d3dx::Matrix getWorldTransform() const override { return world; }
    d3dx::Matrix getViewTransform() const override { return view; }
    d3dx::Matrix getProjectionTransform() const override { return projection; }
    d3dx::Viewport getViewport() const override { return viewport; }

    const simViewpoint* camera = nullptr;
    d3dx::Matrix world = d3dx::Matrix::identity();
    d3dx::Matrix view = d3dx::Matrix::identity();
    d3dx::Matrix projection = d3dx::Matrix::identity();
    d3dx::Viewport viewport;

private:
    simViewSource* previous_;
};

}  // namespace testsupport
