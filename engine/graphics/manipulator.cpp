// The manipulator's life, settings and mouse handling: hover tests, presses,
// releases and the three kinds of drag. Screen geometry and drawing are in
// manipulatorHandles.cpp.
#include "engine/graphics/manipulator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simKeyboard.h"
#include "engine/core/simMouse.h"
#include "engine/core/utilsPicking.h"
#include "engine/graphics/manipulatorContainer.h"
#include "platform/d3dx/d3dxMath.h"
#include "platform/win/winMessages.h"

using d3dx::Vector2;
using d3dx::Vector3;

namespace {

simMouse* mouse() { return g_input ? g_input->getMouse() : nullptr; }

bool keyDown(uint32_t key) {
    const simKeyboard* keyboard = g_input ? g_input->getKeyboard() : nullptr;
    return keyboard && keyboard->isKeyDown(key);
}

constexpr Vector3 kAxisUnits[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

float& component(Vector3& v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

float squaredDistance(const Vector2& a, const Vector2& b) {
    const Vector2 d = a - b;
    return d.x * d.x + d.y * d.y;
}

Vector2 normalised(const Vector2& v) {
    Vector2 out;
    d3dx::Vec2Normalize(&out, &v);
    return out;
}

}  // namespace

manipulator::manipulator(bool translate, const Vector3* position, bool rotate, const Vector3* rotation, bool scale,
                         const Vector3* scaleValue)
    : simObject(false, true, false, false),
      m_container(manipulatorContainer::current()),
      m_translateEnabled(translate ? 1 : 0),
      m_rotateEnabled(rotate ? 1 : 0),
      m_scaleEnabled(scale ? 1 : 0) {
    m_labelColour.set(255, 0, 0, 0);
    m_selectionWatch.start();
    if (m_container) m_container->add(this);
    if (position) m_position = *position;
    if (rotation) m_rotation = *rotation;
    if (scaleValue) m_scale = *scaleValue;
    m_startPosition = m_position;
    m_startRotation = m_rotation;
    m_startScale = m_scale;
}

manipulator::~manipulator() {
    // The container it joined, not whichever is current now.
    if (m_container) m_container->remove(this);
}

// ---- Setters

void manipulator::setPosition(const Vector3& position) {
    m_position = position;
    if (positionTarget) *positionTarget = m_position;
}

void manipulator::setRotation(const Vector3& rotation) {
    m_rotation = rotation;
    if (rotationTarget) *rotationTarget = m_rotation;
    rebuildRotationMatrix();
}

void manipulator::setScale(const Vector3& scale) {
    m_scale = scale;
    if (scaleTarget) *scaleTarget = m_scale;
}

void manipulator::rebuildRotationMatrix() {
    d3dx::Matrix x, y, z;
    d3dx::MatrixRotationX(&x, m_rotation.x);
    d3dx::MatrixRotationY(&y, m_rotation.y);
    d3dx::MatrixRotationZ(&z, m_rotation.z);
    m_rotationMatrix = x * z * y;
    if (matrixTarget) *matrixTarget = m_rotationMatrix;
}

void manipulator::linkScaleAxes(int a, int b) {
    if (a < 0 || a > 2 || b < 0 || b > 2) return;
    m_scaleLinks[a][b] = 1;
}

void manipulator::setCallback(int kind, Callback function, void* userData) {
    if (kind < 0 || kind >= kCallbackCount) return;
    m_callbacks[kind] = function;
    m_callbackData[kind] = userData;
}

void manipulator::setLabel(const std::string& label, const simColour& colour) {
    m_label = label;
    m_labelColour = colour;
}

void manipulator::call(int kind) {
    if (m_callbacks[kind]) m_callbacks[kind](this, chooseMode(), m_callbackData[kind]);
}

void manipulator::setActive(manipulator* which) {
    if (m_container) m_container->active = which;
}

// ---- State

bool manipulator::isDragging() const { return visible && enabled && m_hasMouse; }

bool manipulator::isHovered() const {
    return visible && enabled &&
           (m_dragged[mode_translate] != kNoAxis || m_dragged[mode_rotate] != kNoAxis ||
            m_dragged[mode_scale] != kNoAxis);
}

int manipulator::chooseMode() const {
    if (keyDown(win::VK_SHIFT)) {
        if (m_translateEnabled && m_scaleEnabled) return mode_scale;
        if (m_translateEnabled && m_rotateEnabled) return mode_rotate;
        return mode_translate;
    }
    if (keyDown(win::VK_CONTROL)) {
        if (m_translateEnabled && m_rotateEnabled) return mode_rotate;
        if (m_translateEnabled && m_scaleEnabled) return mode_scale;
        return mode_translate;
    }
    if (m_translateEnabled) return mode_translate;
    if (m_rotateEnabled) return mode_rotate;
    if (m_scaleEnabled) return mode_scale;
    return mode_translate;
}

std::string manipulator::getLabelText() const {
    std::string text;
    if ((labelMode == 1 || labelMode == 3) && !m_label.empty()) text = m_label;
    if (labelMode == 2 || labelMode == 3) {
        char position[96];
        std::snprintf(position, sizeof position, " [%0.1f,%0.1f,%0.1f]", m_position.x, m_position.y, m_position.z);
        text += position;
    }
    return text;
}

// ---- Events

manipulator::Cursor manipulator::cursor() {
    const simMouse* m = mouse();
    if (!m) return {};
    return {Vector2(static_cast<float>(m->getX()), static_cast<float>(m->getY())), true};
}

bool manipulator::cursorNear(const Vector2& point) {
    const simMouse* m = mouse();
    return m && m->isInsideRect(point - Vector2(kHitBox, kHitBox), point + Vector2(kHitBox, kHitBox));
}

bool manipulator::takesEvents() const {
    if (!m_container) return false;
    if (m_container->active && m_container->active != this) return false;
    return visible && enabled && m_onScreen;
}

void manipulator::onEvent(simInputEvent* event) {
    if (!event || !takesEvents()) return;
    if (event->type == simInputEvent_mouseMove) onMouseMove();
    else if (event->type == simInputEvent_mouseButton) onMouseButton(*event);
}

void manipulator::onMouseMove() {
    const Cursor c = cursor();
    if (!c.valid) return;
    hoverTest(c.point, chooseMode());
    if (!mouse()->isDragging(simMouseButton_left)) return;
    if (m_dragged[mode_translate] != kNoAxis) dragTranslate(c.point);
    if (m_dragged[mode_scale] != kNoAxis) dragScale(c.point);
    if (m_dragged[mode_rotate] != kNoAxis) dragRotate(c.point);
}

void manipulator::hoverTest(const Vector2& cursorPoint, int mode) {
    for (int32_t& axis : m_hovered) axis = kNoAxis;
    m_hasMouse = 0;
    setActive(nullptr);
    float best = 10000.0f;  // squared pixels

    auto take = [&](float d, int axis) {
        best = d;
        setActive(this);
        m_hovered[mode] = axis;
        m_hasMouse = 1;
    };
    for (int k = 0; k < 3; ++k) {
        if (mode == mode_translate || mode == mode_scale) {
            const float* switches = mode == mode_translate ? translateAxes : scaleAxes;
            const Vector2& handle = mode == mode_translate ? m_translateScreen[k] : m_scaleScreen[k];
            if (switches[k] == 0.0f || !cursorNear(handle)) continue;
            const float d = squaredDistance(handle, cursorPoint);
            if (d < best && !axisSeenEndOn(handle)) take(d, k);
        } else if (rotateAxes[k] != 0.0f) {
            const size_t count = std::min(m_ringPoints[k].size(), m_ringScreen[k].size());
            for (size_t i = 0; i < count; ++i) {
                if (!cursorNear(m_ringScreen[k][i])) continue;
                const float d = squaredDistance(m_ringScreen[k][i], cursorPoint);
                if (d < best) take(d, k);
                break;
            }
        }
    }
    if (mode != mode_rotate && cursorNear(m_screenCentre) && squaredDistance(m_screenCentre, cursorPoint) < best)
        take(best, kCentre);
}

void manipulator::onMouseButton(const simInputEvent& event) {
    const simMouse* m = mouse();
    if (!m) return;
    if (event.button == simMouseButton_right && event.buttonState == simButtonState_released) {
        // A right click off the handles deselects, unless it ended a camera
        // drag or came right after the selection.
        if (!m->isDragging(simMouseButton_right) && !m->wasDragEnded(simMouseButton_right) && !m_hasMouse &&
            m_container && m_container->selected == this && m_selectionWatch.getElapsed() > kDeselectDelayMs) {
            m_container->selected = nullptr;
            call(callback_deselected);
        }
    } else if (event.button == simMouseButton_left && event.buttonState == simButtonState_pressed) {
        if (!m_hasMouse) return;
        m_startPosition = m_position;
        m_startRotation = m_rotation;
        m_startScale = m_scale;
        m_pressCursor = cursor().point;
        setActive(this);
        if (m_container) m_container->selected = this;
        m_selectionWatch.reset();
        m_selectionWatch.start();
        call(callback_selected);
        for (int mode = 0; mode < 3; ++mode) {
            m_dragged[mode] = m_hovered[mode];
            m_hovered[mode] = kNoAxis;
        }
        m_scaleFactors = Vector3(1, 1, 1);
    } else if (event.button == simMouseButton_left && event.buttonState == simButtonState_released) {
        for (int32_t& axis : m_dragged) axis = kNoAxis;
        m_hasMouse = 0;
        setActive(nullptr);
        m_scaleFactors = Vector3(1, 1, 1);
    }
}

// ---- Drags. Each step starts from freshly projected handles and ends by
// writing its target and calling the change callback.

void manipulator::dragTranslate(const Vector2& cursorPoint) {
    updateHandles();
    m_hasMouse = 1;
    const Vector3 before = m_position;
    const int axis = m_dragged[mode_translate];
    if (axis == kCentre) {
        const Vector2 offset = (cursorPoint - m_screenCentre) * (m_handleLength / kHandlePixels);
        Vector3 right;
        d3dx::Vec3Cross(&right, &m_cameraUp, &m_cameraForward);
        Vector3 move = right * offset.x - m_cameraUp * offset.y;
        for (int k = 0; k < 3; ++k) {
            if (translateAxes[k] == 0.0f) component(move, k) = 0.0f;
        }
        m_position += move;
    } else {
        setActive(this);
        const Vector2& handle = m_translateScreen[axis];
        const Vector2 alongAxis = normalised(handle - m_screenCentre);
        const Vector2 pastHandle = cursorPoint - handle;
        const Vector2 pastDirection = normalised(pastHandle);
        const float t = d3dx::Vec2Length(&pastHandle) * d3dx::Vec2Dot(&alongAxis, &pastDirection) / kHandlePixels;
        m_position += (m_translateEnds[axis] - m_position) * t;
    }
    m_positionStep = m_position - before;
    if (positionTarget) *positionTarget = m_position;
    call(callback_changed);
}

void manipulator::dragScale(const Vector2& cursorPoint) {
    updateHandles();
    m_hasMouse = 1;
    const Vector3 before = m_scale;
    const int axis = m_dragged[mode_scale];
    if (axis == kCentre) {
        // Measured on the screen: a drag of one handle's length to the right
        // doubles the size at any zoom. Dividing the pixels by the handle's
        // world length made the same drag many times stronger where a unit
        // covers many pixels (a flat texture filling the view).
        const float factor = std::max((cursorPoint.x - m_screenCentre.x) / kHandlePixels + 1.0f, kMinScaleFactor);
        m_scaleFactors = Vector3(factor, factor, factor);
        m_scale = m_startScale * factor;
    } else {
        setActive(this);
        const Vector2 toHandle = m_scaleScreen[axis] - m_screenCentre;
        const Vector2 toCursor = cursorPoint - m_screenCentre;
        const float handleDistance = d3dx::Vec2Length(&toHandle);
        const float cursorDistance = d3dx::Vec2Length(&toCursor);
        float factor = 1.0f;
        if (handleDistance > 0.0f) factor = 1.0f + (cursorDistance - handleDistance) / handleDistance;
        factor = std::max(factor, kMinScaleFactor);
        m_scaleFactors = Vector3(1, 1, 1);
        component(m_scaleFactors, axis) = factor;
        m_scale = Vector3(m_startScale.x * m_scaleFactors.x, m_startScale.y * m_scaleFactors.y,
                          m_startScale.z * m_scaleFactors.z);
        for (int j = 0; j < 3; ++j) {
            if (!m_scaleLinks[axis][j]) continue;
            component(m_scale, j) = component(m_scale, axis);
            component(m_scaleFactors, j) = component(m_scaleFactors, axis);
        }
    }
    m_scaleStep = m_scale - before;
    if (scaleTarget) *scaleTarget = m_scale;
    call(callback_changed);
}

void manipulator::dragRotate(const Vector2& cursorPoint) {
    updateHandles();
    m_hasMouse = 1;
    setActive(this);
    const Vector3 before = m_rotation;
    const int axis = m_dragged[mode_rotate];
    if (axis < 0 || axis > 2) return;
    float angle = std::atan2(cursorPoint.x - m_screenCentre.x, cursorPoint.y - m_screenCentre.y);
    float pressAngle = std::atan2(m_pressCursor.x - m_screenCentre.x, m_pressCursor.y - m_screenCentre.y);
    Vector3 forward, up;
    cameraAxes(&forward, &up);
    // A ring seen from behind turns the other way under the cursor.
    const float facing = std::clamp(d3dx::Vec3Dot(&forward, &kAxisUnits[axis]), -1.0f, 1.0f);
    if (std::fabs(std::acos(facing)) > utils::kHalfPi) {
        angle = -angle;
        pressAngle = -pressAngle;
    }
    component(m_rotation, axis) = component(m_startRotation, axis) + (angle - pressAngle);
    m_rotationStep = m_rotation - before;
    if (rotationTarget) *rotationTarget = m_rotation;
    rebuildRotationMatrix();
    call(callback_changed);
}
