// Post editing of a skyline in the 3-D view: a click puts a post down, the
// mouse then sets its height until the next click; bases and tops are
// dragged, the middle button removes the hovered post and Delete the last.
#include <cmath>

#include "app/site/tbCollisionObject_skyline.h"
#include "app/site/tbSiteEditorSettings.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simMouse.h"
#include "engine/core/utilsPicking.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

constexpr uint32_t kKeyDelete = 46;
// How many world units one pixel of mouse travel raises a post, per unit of
// the base's distance from the origin and radian of the field of view.
constexpr float kHeightPerPixel = 0.00125f;

// The ground under the mouse, kept within reach of the origin; false when
// the mouse points above the horizon.
bool groundPoint(d3dx::Vector3* out) {
    if (!utils::mouseToGroundPlane(out)) return false;
    const float limit = tbCollisionObject_skyline::kMaxGroundDistance;
    const float distance = std::sqrt(out->x * out->x + out->z * out->z);
    if (distance > limit) {
        out->x *= limit / distance;
        out->z *= limit / distance;
    }
    return true;
}

// The current camera's vertical field of view (radians), from its projection.
float fieldOfView() {
    const simViewSource* source = getViewSource();
    const simViewpoint* camera = source ? source->getCurrentCamera() : nullptr;
    if (!camera) return 0.0f;
    const float cotHalf = camera->getProjectionMatrix()._22;
    return cotHalf > 0.0f ? 2.0f * std::atan(1.0f / cotHalf) : 0.0f;
}

bool near(const d3dx::Vector3& world, const simInputEvent& event) {
    d3dx::Vector2 s;
    return utils::worldToScreen2D(world, &s) && std::fabs(s.x - float(event.x)) <= tbCollisionObject_skyline::kHoverPixels &&
           std::fabs(s.y - float(event.y)) <= tbCollisionObject_skyline::kHoverPixels;
}

// The left button's press and release were one click, not a camera drag.
bool leftClickWasNotDrag() {
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    return !mouse || (!mouse->isDragging(simMouseButton_left) && !mouse->wasDragEnded(simMouseButton_left));
}

}  // namespace

bool tbCollisionObject_skyline::takesPostEdits() const {
    const tbSiteEditorSettings* settings = tbSiteEditorSettings::installed();
    return settings && takesEdits(settings->skylineEditPoints());
}

void tbCollisionObject_skyline::forgetIndices() {
    m_hoveredBase = m_hoveredTop = m_draggedBase = m_draggedTop = -1;
    m_placing = 0;
}

d3dx::Vector3 tbCollisionObject_skyline::topFromMouse(const d3dx::Vector3& base, int32_t mouseY) const {
    d3dx::Vector2 s;
    utils::worldToScreen2D(base, &s);
    const float h = (s.y - float(mouseY)) * d3dx::Vec3Length(&base) * fieldOfView() * kHeightPerPixel;
    return {base.x, base.y + h, base.z};
}

void tbCollisionObject_skyline::onEvent(const simInputEvent& event) {
    if (!takesPostEdits()) return;
    switch (event.type) {
    case simInputEvent_key:
        // Keys typed into a bar's text box reach the engine as well.
        if (event.keyState == simKeyState_released && event.key == kKeyDelete &&
            tbSiteEditorSettings::installed()->viewHasKeyboard() && m_draggedBase < 0 && m_draggedTop < 0 &&
            !m_points.empty()) {
            removeLastPoint();
            forgetIndices();
        }
        break;
    case simInputEvent_mouseButton:
        if (event.buttonState == simButtonState_released) onRelease(event);
        if (event.button != simMouseButton_left) break;
        if (event.buttonState == simButtonState_pressed) {
            m_draggedBase = m_hoveredBase;
            m_draggedTop = m_hoveredTop;
            m_hoveredBase = m_hoveredTop = -1;
        } else if (event.buttonState == simButtonState_released ||
                   event.buttonState == simButtonState_releasedWithoutPress) {
            m_draggedBase = m_draggedTop = -1;
        }
        break;
    case simInputEvent_mouseMove:
        onMove(event);
        break;
    default:
        break;
    }
}

void tbCollisionObject_skyline::onRelease(const simInputEvent& event) {
    if (event.button == simMouseButton_middle) {
        const int32_t hovered = m_hoveredBase >= 0 ? m_hoveredBase : m_hoveredTop;
        if (hovered < 0) return;
        m_points.erase(m_points.begin() + hovered);
        forgetIndices();
        return;
    }
    if (event.button != simMouseButton_left || !leftClickWasNotDrag()) return;
    if (m_placing) {
        if (!m_points.empty()) m_points.back().top = m_newTop;
        m_placing = 0;
        return;
    }
    if (m_hoveredBase >= 0 || m_hoveredTop >= 0 || m_draggedBase >= 0 || m_draggedTop >= 0) return;
    d3dx::Vector3 ground;
    if (!groundPoint(&ground)) return;
    m_points.push_back({ground, ground});
    m_newTop = ground;
    m_placing = 1;
}

void tbCollisionObject_skyline::onMove(const simInputEvent& event) {
    if (m_placing) {
        if (m_points.empty()) return;
        m_newTop = topFromMouse(m_points.back().base, event.y);
        m_points.back().top = m_newTop;
        return;
    }
    m_hoveredBase = m_hoveredTop = -1;
    if (m_draggedBase >= 0) {
        tbSkylinePoint& post = m_points[size_t(m_draggedBase)];
        if (d3dx::Vector3 ground; groundPoint(&ground)) {
            post.base = ground;
            post.top.x = ground.x;
            post.top.z = ground.z;
        }
    } else if (m_draggedTop >= 0) {
        tbSkylinePoint& post = m_points[size_t(m_draggedTop)];
        post.top = topFromMouse(post.base, event.y);
    } else {
        for (size_t i = 0; i < m_points.size(); ++i) {
            if (near(m_points[i].base, event)) {
                m_hoveredBase = int32_t(i);
                m_hoveredTop = -1;
            } else if (near(m_points[i].top, event)) {
                m_hoveredTop = int32_t(i);
                m_hoveredBase = -1;
            }
        }
    }
}
