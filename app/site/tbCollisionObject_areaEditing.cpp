// Point editing of an area in the 3-D view: hover, select, drag, add at the
// end of the outline, remove with the middle button or Delete / Backspace.
#include "app/site/tbCollisionObject_area.h"

#include <algorithm>
#include <cmath>

#include "app/site/tbSiteEditorSettings.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/utilsPicking.h"

namespace {

constexpr uint32_t kKeyBackspace = 8, kKeyDelete = 46;

}  // namespace

bool tbCollisionObject_area::takesPointEdits() const {
    const tbSiteEditorSettings* settings = tbSiteEditorSettings::installed();
    return settings && takesEdits(settings->areaEditPoints());
}

void tbCollisionObject_area::removePoint(size_t index) {
    m_points.erase(m_points.begin() + std::ptrdiff_t(index));
    // Indices past the removed point now name other points or none.
    m_hovered = m_dragged = -1;
}

void tbCollisionObject_area::onEvent(const simInputEvent& event) {
    if (!takesPointEdits()) return;
    if (event.type == simInputEvent_key) {
        const bool deleting = event.keyState == simKeyState_released &&
                              (event.key == kKeyDelete || event.key == kKeyBackspace);
        // Keys typed into a bar's text box reach the engine as well.
        if (!deleting || !tbSiteEditorSettings::installed()->viewHasKeyboard()) return;
        if (m_selected < 0 || size_t(m_selected) >= m_points.size()) return;
        removePoint(size_t(m_selected));
        m_selected = m_points.empty() ? -1 : std::max(m_selected - 1, 0);
        recentre();
        return;
    }
    if (event.type != simInputEvent_mouseMove && event.type != simInputEvent_mouseButton) return;
    if (m_dragged < 0) {
        hoverTest(event);
    } else if (d3dx::Vector3 ground; utils::mouseToGroundPlane(&ground)) {
        m_points[size_t(m_dragged)] = {ground.x - m_position.x, ground.y, ground.z - m_position.z};
    }
    if (event.type == simInputEvent_mouseButton) onButton(event);
}

void tbCollisionObject_area::hoverTest(const simInputEvent& event) {
    m_hovered = -1;
    for (size_t i = 0; i < m_points.size(); ++i) {
        d3dx::Vector2 screen;
        // A point behind the camera projects somewhere meaningless.
        if (!utils::worldToScreen2D(worldPoint(i), &screen)) continue;
        if (std::fabs(screen.x - float(event.x)) <= kHoverPixels && std::fabs(screen.y - float(event.y)) <= kHoverPixels)
            m_hovered = int32_t(i);
    }
}

void tbCollisionObject_area::onButton(const simInputEvent& event) {
    if (event.buttonState == simButtonState_pressed) {
        m_pressed = 1;
        if (event.button == simMouseButton_left) {
            m_selected = m_dragged = m_hovered;
            m_hovered = -1;
        }
        return;
    }
    if (event.buttonState != simButtonState_released || !m_pressed) return;
    m_pressed = 0;
    if (event.button == simMouseButton_middle && m_hovered >= 0) {
        const int32_t removed = m_hovered;
        removePoint(size_t(removed));
        if (m_selected == removed) m_selected = -1;
        else if (m_selected > removed) --m_selected;
        recentre();
    } else if (event.button == simMouseButton_left && m_dragged < 0) {
        // Above the horizon there is no ground to put a point on.
        d3dx::Vector3 ground;
        if (!utils::mouseToGroundPlane(&ground)) return;
        addPoint({ground.x - m_position.x, ground.y, ground.z - m_position.z});
        m_selected = int32_t(m_points.size()) - 1;
        recentre();
    } else if (event.button == simMouseButton_left) {
        m_dragged = -1;
        recentre();
    }
}
