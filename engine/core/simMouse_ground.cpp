// The point of the ground plane under the cursor.
#include "engine/core/simMouse.h"

#include "engine/core/simInputEvent.h"
#include "engine/core/simViewpoint.h"
#include "engine/core/utilsPicking.h"
#include "platform/d3dx/d3dxMath.h"

void simMouse::pickGroundPoint() {
    const simViewSource* source = getViewSource();
    const simViewpoint* camera = source ? source->getCurrentCamera() : nullptr;
    m_hasGroundPoint = false;
    if (!camera) return;
    m_previousGroundPoint = m_groundPoint;

    int32_t width = 0, height = 0;
    if (!backBufferSize(&width, &height) || width <= 0 || height <= 0) return;
    d3dx::Viewport viewport;
    viewport.Width = static_cast<uint32_t>(width);
    viewport.Height = static_cast<uint32_t>(height);
    const d3dx::Matrix world = source->getWorldTransform();

    d3dx::Vector3 start, direction;
    const d3dx::Plane ground(0.0f, 1.0f, 0.0f, 0.0f);
    d3dx::Vector3 hit;
    m_hasGroundPoint =
        utils::screenRay(d3dx::Vector2(static_cast<float>(m_x), static_cast<float>(m_y)), viewport,
                         camera->getProjectionMatrix(), camera->getViewMatrix(), &world, &start,
                         &direction) &&
        utils::rayToPlane(&hit, ground, start, direction);
    if (!m_hasGroundPoint) return;
    m_groundPoint = hit;

    if (isButtonDown(simMouseButton_left)) {
        const d3dx::Vector3 step = m_groundPoint - m_previousGroundPoint;
        if (step.x != 0.0f || step.y != 0.0f || step.z != 0.0f) m_groundMovement = step;
    }
}
