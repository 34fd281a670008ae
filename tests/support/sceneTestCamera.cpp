#include "tests/support/sceneTestCamera.h"

#include "platform/d3dx/d3dxMath.h"

namespace testsupport {

SceneTestCamera::SceneTestCamera(std::string name, const simViewport* viewport)
    : simCamera(std::move(name), nullptr, nullptr, viewport, 0) {}

void SceneTestCamera::look(const d3dx::Vector3& newEye, const d3dx::Vector3& newAt, float fieldOfView, float nearZ,
                           float farZ) {
    eye = newEye;
    at = newAt;
    m_fieldOfView = fieldOfView;
    m_near = nearZ;
    m_far = farZ;
    updateMatrices();
}

void SceneTestCamera::preRender() {
    ++preRenders;
    if (log) log->push_back("preRender:" + getName());
    updateMatrices();
}

void SceneTestCamera::updateMatrices() {
    ++matrixUpdates;
    {
        std::lock_guard<std::recursive_mutex> lock(*getMutex());
        d3dx::MatrixLookAtRH(&m_view, &eye, &at, &up);
        m_orientation = m_view;
        m_orientation._41 = m_orientation._42 = m_orientation._43 = 0.0f;
        updateProjection();
    }
    updateInverseMatrices();
}

}  // namespace testsupport
