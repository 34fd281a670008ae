// simSceneReflector: the scene's mirrored reflection pass.
//
// Draws the scene mirrored in a horizontal plane into a render target of the
// back buffer's size, once per active camera, for an effect that samples it
// (nothing in the engine binds the map). Everything on the far side of the
// mirror is clipped away, every node draws without culling and with the low
// lighting effect.
//
// Switched on by `create` with a non-zero value (or by a host writing
// `enabled` before a device recreate); idle, with no map, until then. A
// member of the scene, unregistered with the renderer: the scene forwards the
// device release and recreate, and the recreate rebuilds the map at the new
// back-buffer size.
#pragma once

#include <cstdint>

#include "engine/core/simCollectionItem.h"
#include "engine/graphics/simDeviceDependantObject.h"
#include "platform/d3dx/d3dxMathTypes.h"
#include "platform/gfx/handles.h"

class simCamera;
class simTexture;

class simSceneReflector : public simCollectionItem, public simDeviceDependantObject {
public:
    // Logs "Creating reflection handler...", the plane y = 0 facing up, "done\n".
    simSceneReflector();
    // Logs "Destroying reflection handler...", releases the surfaces, "done\n".
    ~simSceneReflector() override;

    // The mirror plane through `point` facing `normal`, the clip plane facing
    // the other way and the reflection matrix.
    void setPlane(const d3dx::Vector3& point, const d3dx::Vector3& normal);
    // Nothing when `value` equals `enabled`. Otherwise takes it, drops the
    // map and, when it is not 0, makes the map and its surfaces at the back
    // buffer's size; a failure is logged and disables the handler.
    void create(uint32_t value);

    void onDeviceRelease() override;
    // create(enabled) from 0, so an enabled handler rebuilds at the new size.
    void onDeviceRecreate() override;

    // The per-camera pass: into the map, mirrored; then the default target,
    // depth-stencil and the current camera's viewport again. Nothing without
    // the map and both surfaces.
    void render();
    // Draws the nodes and the sorted items mirrored, clipped at the plane.
    void renderReflection();
    // The clip plane in the camera's clip space, on the device and enabled.
    void setClipPlane(const simCamera* camera);

    uint32_t enabled = 0;

    const d3dx::Plane& getMirrorPlane() const { return m_mirrorPlane; }
    const d3dx::Plane& getClipPlane() const { return m_clipPlane; }
    const d3dx::Matrix& getReflectionMatrix() const { return m_reflection; }
    simTexture* getReflectionMap() const { return m_map; }
    bool hasSurfaces() const { return m_renderSurface && m_depthSurface; }

private:
    void releaseSurfaces();

    d3dx::Plane m_mirrorPlane;
    d3dx::Plane m_clipPlane;
    d3dx::Matrix m_reflection = d3dx::Matrix::identity();
    simTexture* m_map = nullptr;  // owned
    gfx::SurfaceHandle m_renderSurface, m_depthSurface;
    float m_mapWidth = 0.0f, m_mapHeight = 0.0f;  // the back buffer's when the map was made
};
