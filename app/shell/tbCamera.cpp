#include "app/shell/tbCamera.h"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "app/shell/tbProject.h"
#include "engine/core/simApplication.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simKeyboard.h"
#include "engine/core/simMouse.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simLight.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simScene.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

constexpr float kFullPi = 3.1415927f;
constexpr float kOrbitFieldOfView = 0.785375f;
constexpr float kMinimumDistance = 0.01f;
constexpr uint32_t kKeyUp = 38, kKeyDown = 40;
constexpr uint32_t kTransformProjection = 0;

const char* const kOrientationNames[7] = {"Perspective", "Front", "Back", "Top", "Bottom", "Left", "Right"};
// Yaw and pitch of the fixed views 1..6.
const float kOrientationYawPitch[7][2] = {
    {0, 0}, {0, 0}, {tbCamera::kPi, 0}, {0, tbCamera::kHalfPi}, {0, -tbCamera::kHalfPi},
    {-tbCamera::kHalfPi, 0}, {tbCamera::kHalfPi, 0}};

d3dx::Vector3 cross(const d3dx::Vector3& a, const d3dx::Vector3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Alt comes as a system key and is kept apart from the other keys.
bool altDown() { return g_input && g_input->getKeyboard() && g_input->getKeyboard()->isAltDown(); }

void refreshProject() {
    if (tbProject* project = tbProject::current()) project->refresh();
}

}  // namespace

const tbCameraPreset kStartCameraPresets[4] = {
    {"Texture", {-0.5f, -0.5f, 0.0f}, 2.0f, 0.1f, 100000.0f, 1, tbCameraPreset::Rotation::none, {}},
    {"Perspective", {0, 0, 0}, 150.0f, 0.1f, 30000.0f, 0, tbCameraPreset::Rotation::angles,
     {0.52358335f, -0.785375f, 0.0f}},
    {"POV", {0, 160, 0}, 2.0f, 1.0f, 100000.0f, 2, tbCameraPreset::Rotation::angles, {0, tbCamera::kPi, 0}},
    {"Top-down", {0, -1000, 0}, 150.0f, 1.0f, 30000.0f, 0, tbCameraPreset::Rotation::yawPitchRoll,
     {0, tbCamera::kHalfPi, 0}},
};

const tbCameraPreset kResetCameraPresets[4] = {
    kStartCameraPresets[0],
    {"Perspective", {0, 0, 0}, 150.0f, 0.1f, 50000.0f, 0, tbCameraPreset::Rotation::angles,
     {0.52358335f, -0.785375f, 0.0f}},
    kStartCameraPresets[2],
    kStartCameraPresets[3],
};

tbCamera::tbCamera(std::string name, const d3dx::Vector3& target, float distance, float nearZ, float farZ,
                   uint32_t projectionMode)
    : simCamera(name, nullptr, nullptr, nullptr, 0), m_target(target), m_distance(distance) {
    m_near = nearZ;
    m_far = farZ;
    m_fieldOfView = kFullPi / distance;
    setProjectionMode(projectionMode);
    float width = 1.0f, height = 1.0f;
    backBufferSize(width, height);
    setViewport(d3dx::Vector2(0.0f, 0.0f), d3dx::Vector2(width, height));
}

tbCamera::tbCamera(const tbCameraPreset& preset)
    : tbCamera(preset.name, preset.target, preset.distance, preset.nearZ, preset.farZ, preset.projectionMode) {
    m_preset = &preset;
    applyPresetRotation(preset);
    m_savedRotation = m_orientation;
}

tbCamera::~tbCamera() {
    if (s_viewCamera == this) s_viewCamera = nullptr;
}

void tbCamera::moveTarget(const d3dx::Vector3& by) {
    m_target.x += by.x;
    m_target.y += by.y;
    m_target.z += by.z;
}

void tbCamera::setRotation(const d3dx::Vector3& angles) {
    m_angles = angles;
    d3dx::Matrix yaw, pitch;
    d3dx::MatrixRotationY(&yaw, angles.y);
    d3dx::MatrixRotationX(&pitch, angles.x);
    d3dx::MatrixMultiply(&m_orientation, &yaw, &pitch);
}

void tbCamera::applyPresetRotation(const tbCameraPreset& preset) {
    switch (preset.rotationKind) {
        case tbCameraPreset::Rotation::none: break;
        case tbCameraPreset::Rotation::angles: setRotation(preset.rotation); break;
        case tbCameraPreset::Rotation::yawPitchRoll:
            d3dx::MatrixRotationYawPitchRoll(&m_orientation, preset.rotation.x, preset.rotation.y, preset.rotation.z);
            break;
    }
}

d3dx::Matrix tbCamera::projectionFor(uint32_t mode, float nearZ) {
    d3dx::Matrix projection;
    if (mode == kOrthographic) {
        float width = 1.0f, height = 1.0f;
        backBufferSize(width, height);
        d3dx::MatrixOrthoRH(&projection, width / height * m_distance, m_distance, m_near, m_far);
    } else if (mode == kFirstPerson) {
        m_fieldOfView = kFullPi / (m_distance + 4.0f);
        d3dx::MatrixPerspectiveFovRH(&projection, m_fieldOfView, m_aspect, nearZ, m_far);
    } else {
        d3dx::MatrixPerspectiveFovRH(&projection, m_fieldOfView, m_aspect, nearZ, m_far);
    }
    return projection;
}

void tbCamera::setProjectionMode(uint32_t mode) {
    m_projectionMode = mode;
    const float nearZ = mode == kOrbit ? m_near + m_distance : 0.0f;
    const d3dx::Matrix projection = projectionFor(mode, nearZ);
    if (g_graphics && g_graphics->getRenderer()) g_graphics->getRenderer()->setTransform(kTransformProjection, &projection);
}

void tbCamera::updateMatrices() {
    {
        std::lock_guard<std::recursive_mutex> lock(*getMutex());
        d3dx::Matrix translate, step;
        if (m_projectionMode == kFirstPerson) {
            d3dx::MatrixTranslation(&translate, -m_target.x, -m_target.y, -m_target.z);
            d3dx::MatrixMultiply(&m_view, &translate, &m_orientation);
        } else {
            d3dx::MatrixTranslation(&translate, m_target.x, m_target.y, m_target.z);
            d3dx::MatrixMultiply(&step, &translate, &m_orientation);
            d3dx::MatrixTranslation(&translate, 0.0f, 0.0f, -m_distance);
            d3dx::MatrixMultiply(&m_view, &step, &translate);
        }
        float nearZ = 1.0f;
        if (m_projectionMode == kOrbit) {
            if (m_name == "Top-down") {
                m_near = std::max(m_distance - 12500.0f, 0.0f);
                m_far = m_near + 25000.0f;
            }
            m_near = std::max(m_near, 0.1f);
            m_fieldOfView = kOrbitFieldOfView;
            nearZ = m_near;
        } else if (m_projectionMode == kOrthographic) {
            nearZ = m_near;
        }
        m_projection = projectionFor(m_projectionMode, nearZ);
    }
    updateInverseMatrices();
}

void tbCamera::setOrientationMode(uint32_t mode) {
    simLog("[tbCamera::setOrientationMode-");
    if (mode <= 6) {
        m_orientationMode = mode;
        if (mode == 0) {
            m_orientation = m_savedRotation;
            m_projectionMode = kOrbit;
        } else {
            d3dx::MatrixRotationYawPitchRoll(&m_orientation, kOrientationYawPitch[mode][0],
                                             kOrientationYawPitch[mode][1], 0.0f);
            m_projectionMode = kOrthographic;
        }
        m_name = kOrientationNames[mode];
    }
    updateMatrices();
    if (g_graphics) g_graphics->setCurrentCamera(this);
    refreshProject();
    simLog("tbCamera::setOrientationMode]");
}

void tbCamera::reset(const tbCameraPreset& preset) {
    // Free perspective first: the saved rotation it brings back is then
    // replaced by the preset's, not the other way round.
    m_orientationMode = 0;
    m_name = preset.name;
    m_target = preset.target;
    m_distance = preset.distance;
    m_near = preset.nearZ;
    m_far = preset.farZ;
    setProjectionMode(preset.projectionMode);
    applyPresetRotation(preset);
    m_savedRotation = m_orientation;
    updateMatrices();
}

void tbCamera::afterZoom() {
    updateMatrices();
    if (g_graphics) g_graphics->setCurrentCamera(this);
    refreshProject();
}

void tbCamera::zoomByKey(simInputEvent* event) {
    // A tap is one 60 Hz step; a held key zooms by the time since the last
    // zoom event, capped so a stalled frame does not jump.
    double steps = 1.0;
    if (event->keyState != simKeyState_pressed)
        steps = std::clamp(m_zoomKeyStopwatch.getElapsed() / kKeyZoomStepMs, 0.0, 6.0);
    m_zoomKeyStopwatch.reset();
    m_zoomKeyStopwatch.start();
    const double base = event->key == kKeyDown ? 1.025 : 0.975;
    m_distance = static_cast<float>(m_distance * std::pow(base, steps));
    m_distance = std::max(m_distance, kMinimumDistance);
    afterZoom();
}

void tbCamera::onEvent(simInputEvent* event) {
    if (!event || s_viewCamera != this) return;
    if (!g_application || !g_application->acceptsMouseInput()) return;
    switch (event->type) {
        case simInputEvent_wheel:
            if (event->shift || event->ctrl) return;
            if (m_projectionMode == kFirstPerson) {
                m_distance += event->wheelDirection ? -0.2f : 0.2f;
                m_distance = std::clamp(m_distance, -1.0f, 5.0f);
            } else {
                m_distance *= event->wheelDirection ? 1.2f : 0.8f;
                m_distance = std::max(m_distance, kMinimumDistance);
            }
            afterZoom();
            return;
        case simInputEvent_key:
            if (event->key == kKeyUp || event->key == kKeyDown) zoomByKey(event);
            return;
        case simInputEvent_dragEnd: afterZoom(); return;
        case simInputEvent_mouseMove: drag(event); return;
        default: return;
    }
}

void tbCamera::drag(simInputEvent* event) {
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    if (!mouse) return;
    const bool left = mouse->isButtonDown(simMouseButton_left);
    const bool middle = mouse->isButtonDown(simMouseButton_middle);
    const bool right = mouse->isButtonDown(simMouseButton_right);
    const bool alt = altDown();
    const float x = static_cast<float>(event->x), y = static_cast<float>(event->y);
    const float previousX = static_cast<float>(event->x - event->dx);
    const float previousY = static_cast<float>(event->y - event->dy);

    const bool pan = (middle && !left && !right) || (right && alt);
    const bool rotate = right && !left && !middle && !alt;
    if (pan && m_projectionMode != kFirstPerson) {
        const float k = m_distance * 0.00025f;
        const d3dx::Vector3 side = cross(m_up, m_forward);
        const float upBy = (previousY - y) * k, sideBy = (x - previousX) * k;
        moveTarget({m_up.x * upBy, m_up.y * upBy, m_up.z * upBy});
        moveTarget({side.x * sideBy, side.y * sideBy, side.z * sideBy});
    } else if (rotate && m_projectionMode != kOrthographic) {
        m_angles.x += (y - previousY) / 500.0f;
        m_savedRotation = m_orientation;
        m_angles.y += (x - previousX) / 500.0f;
        setRotation({m_angles.x, m_angles.y, 0.0f});
    } else {
        return;
    }
    dragHeadlight();
}

void tbCamera::dragHeadlight() {
    simScene* scene = simScene::current();
    simLight* light = scene ? scene->getLights().getLight(0) : nullptr;
    if (!light) return;
    light->setPosition(m_position);
    light->setDirection({-m_forward.x, -m_forward.y, -m_forward.z});
}
