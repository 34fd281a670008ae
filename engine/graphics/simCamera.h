// simCamera: the engine's viewpoint.
//
// A named object that holds a viewport rectangle, the view, orientation and
// projection matrices with their inverses, the camera's position, forward and
// up vectors, six frustum planes and a bounding sphere of its view volume.
// The scene keeps every camera in its camera list and draws the whole scene
// once per active camera; picking (simViewpoint), the box frustum test
// (simViewVolume) and the drawing code read the graphics system's current
// camera.
//
// The camera is abstract: it does not say how its view and projection are
// built. A concrete camera supplies `updateMatrices` under this contract:
// while holding the camera's mutex it writes the view matrix and, as it needs,
// the orientation matrix, the projection, field of view, near and far; after
// releasing the mutex it calls `updateInverseMatrices`, which derives the
// inverses, the position and directions, the planes and the sphere. The
// planes are recomputed only there, never per test.
//
// Conventions: row vectors (point x matrix); the projection is right-handed,
// so the camera looks along -forward; depth runs 0 at the near plane to 1 at
// the far plane.
//
// Lifetime: the constructor sizes the viewport to the whole back buffer,
// joins the scene's camera list (the first camera becomes the scene's active
// camera and the graphics system's current one), the dynamics world's object
// list and opens the camera's named mutex; the destructor undoes each. A
// device restore resizes the viewport to the whole back buffer again and
// rebuilds the matrices. Needs the graphics system with its renderer and
// window (the device-dependent base registers with the renderer).
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "engine/core/simBoundingBox.h"
#include "engine/core/simObject.h"
#include "engine/core/simSafeDeleteObject.h"
#include "engine/core/simViewpoint.h"
#include "engine/graphics/simDeviceDependantObject.h"
#include "engine/graphics/simRendererStateObject.h"
#include "engine/graphics/simViewport.h"
#include "platform/d3dx/d3dxMathTypes.h"

// One frustum plane: a x + b y + c z + d = 0, normalised so that (a, b, c)
// has length 1, with the inside of the view volume on the positive side; a
// single-precision copy of the normal follows. Distances are the float dot of
// that normal with a point, plus the double d.
struct simFrustumPlane {
    double a = 0.0, b = 0.0, c = 0.0, d = 0.0;
    d3dx::Vector3 normal;

    // Divides a, b, c and d by the length of (a, b, c), taken in single
    // precision, and stores the normal's copy. A zero normal is left as it is.
    void normalise();
    double distance(const d3dx::Vector3& p) const;
};

class simCamera : public simObject,
                  public simSafeDeleteObject,
                  public simDeviceDependantObject,
                  public simViewpoint,
                  public simRendererStateCamera {
public:
    enum PlaneIndex { left = 0, right, top, bottom, nearPlane, farPlane, planeCount };

    // Copies the view and projection (null: identity) and the viewport, then
    // sizes the viewport to the whole back buffer whatever was passed, and
    // joins the scene, the dynamics world and its mutex (see the top).
    simCamera(std::string name, const d3dx::Matrix* view, const d3dx::Matrix* projection,
              const simViewport* viewport, uintptr_t owner);
    ~simCamera() override;

    std::string getClassName() override { return "simCamera"; }
    std::string getTypeName() override { return "simCamera"; }

    // ---- What a concrete camera supplies.
    void update() override = 0;
    void onEvent(simInputEvent* event) override = 0;
    void dynamicsStep(float step) override = 0;
    void fixedUpdate() override = 0;
    // The scene calls it for every camera before each frame's passes.
    void preRender() override = 0;
    // See the contract at the top.
    virtual void updateMatrices() = 0;
    // Inverses, position, forward and up, then updateFrustum.
    virtual void updateInverseMatrices();

    // ---- Drawing through the camera.
    // The renderer's camera viewport, view and projection transforms.
    void apply();

    // ---- Viewport.
    // X, Y, width and height from the vectors, truncated toward zero; nothing else.
    void setViewportRect(const d3dx::Vector2& position, const d3dx::Vector2& size);
    // setViewportRect, then updateProjection.
    void setViewport(const d3dx::Vector2& position, const d3dx::Vector2& size);
    // Clamps the viewport to the back buffer (a position past the last pixel
    // moves onto it, a size of 0 becomes 1, a size past the back buffer
    // shrinks to it; the renderer cuts what still reaches past the target
    // when it applies the viewport), then aspect = width / height and a
    // right-handed perspective projection.
    void updateProjection();

    // ---- Near and far: store the distance and rebuild the perspective
    // projection; the view is not rebuilt.
    void setNearPlane(float distance);
    void setFarPlane(float distance);

    // ---- Frustum.
    // The planes and the view volume's sphere from view x projection.
    void updateFrustum();
    // Plane by plane: false once the sphere lies wholly outside one; true at
    // once when it cuts one (later planes are not tested); true after all six.
    bool sphereInFrustum(const d3dx::Vector3& centre, float radius) const;

    // ---- Device loss: the whole back buffer again, projection and matrices.
    void onDeviceRestore() override;

    // ---- simViewpoint, simRendererStateCamera.
    const d3dx::Matrix& getViewMatrix() const override { return m_view; }
    const d3dx::Matrix& getProjectionMatrix() const override { return m_projection; }
    const d3dx::Viewport& getViewport() const override { return m_viewport; }
    const d3dx::Vector3& getPosition() const override { return m_position; }
    d3dx::Viewport getStateViewport() const override { return m_viewport; }

    // ---- Reading.
    const std::string& getName() const { return m_name; }
    const std::string& getSecondName() const { return m_secondName; }
    uintptr_t getOwner() const { return m_owner; }
    bool isActive() const { return m_active != 0; }
    void setActive(bool active) { m_active = active ? 1 : 0; }
    float getFieldOfView() const { return m_fieldOfView; }  // radians, vertical
    float getAspect() const { return m_aspect; }
    float getNearDistance() const { return m_near; }
    float getFarDistance() const { return m_far; }
    const d3dx::Vector3& getForward() const { return m_forward; }
    const d3dx::Vector3& getUp() const { return m_up; }
    const d3dx::Matrix& getOrientationMatrix() const { return m_orientation; }
    const d3dx::Matrix& getInverseViewMatrix() const { return m_inverseView; }
    const d3dx::Matrix& getInverseOrientationMatrix() const { return m_inverseOrientation; }
    const d3dx::Matrix& getInverseProjectionMatrix() const { return m_inverseProjection; }
    const simFrustumPlane& getPlane(int index) const { return m_planes[index]; }
    // The planes and sphere as the box frustum test reads them.
    const simViewVolume& getViewVolume() const { return m_volume; }
    const d3dx::Vector3& getFrustumCentre() const { return m_volume.centre; }
    float getFrustumRadius() const { return m_volume.radius; }

    // ---- The camera's named mutex, "simCamera_<n>" with n = rand() % 65536.
    // Cameras that draw the same number share one lock; it is recursive, so
    // the one engine thread may take it again.
    std::recursive_mutex* getMutex() const { return m_mutex.get(); }
    const std::string& getMutexName() const { return m_mutexName; }

protected:
    void setSecondName(std::string name) { m_secondName = std::move(name); }
    // The back buffer's size from the engine window; false without one.
    static bool backBufferSize(float& width, float& height);

    std::string m_name;
    std::string m_secondName;
    simViewport m_viewport;
    uintptr_t m_owner;
    uint8_t m_active = 1;
    float m_fieldOfView = 1.0f;  // radians, vertical
    float m_aspect = 1.3333334f;
    float m_near = 0.0f;
    float m_far = 1.0f;
    d3dx::Vector3 m_position, m_forward, m_up;
    d3dx::Matrix m_view;
    d3dx::Matrix m_orientation = d3dx::Matrix::identity();
    d3dx::Matrix m_projection;
    d3dx::Matrix m_inverseView = d3dx::Matrix::identity();
    d3dx::Matrix m_inverseOrientation = d3dx::Matrix::identity();
    d3dx::Matrix m_inverseProjection = d3dx::Matrix::identity();

private:
    void rebuildPerspective();

    simFrustumPlane m_planes[planeCount];
    simViewVolume m_volume;
    // The matrices as last rebuilt: a rebuild that changes them asks for a redraw.
    d3dx::Matrix m_drawnView, m_drawnProjection;
    std::string m_mutexName;
    std::shared_ptr<std::recursive_mutex> m_mutex;
};
