// The manipulator's screen geometry and drawing: the captured view, the
// handle length, the handle ends and rings, and the handles appended to the
// draw-all pass's batch.
#include <cmath>

#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/core/simViewpoint.h"
#include "engine/core/utilsPicking.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/manipulatorContainer.h"
#include "engine/graphics/simArcOrientation.h"
#include "engine/graphics/simDrawRecords.h"
#include "engine/graphics/simFont.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "platform/d3dx/d3dxMath.h"

using d3dx::Matrix;
using d3dx::Vector2;
using d3dx::Vector3;

namespace {

constexpr Vector3 kAxes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kFaintWhite = 0x64FFFFFF;
constexpr float kSelectionRadius = 20.0f;
constexpr float kCentreBox = 10.0f;
constexpr float kScaleBox = 5.0f;
constexpr float kArrowHeadSize = 7.5f;
constexpr float kLabelOffset = 10.0f;

simRenderer* renderer() { return g_graphics ? g_graphics->getRenderer() : nullptr; }

}  // namespace

void manipulator::captureView() {
    const simViewSource* source = getViewSource();
    if (!source) return;
    m_world = source->getWorldTransform();
    m_view = source->getViewTransform();
    m_projection = source->getProjectionTransform();
    m_viewport = source->getViewport();
    Matrix rotation = m_world * m_view;
    rotation._41 = rotation._42 = rotation._43 = 0.0f;
    d3dx::MatrixInverse(&m_cameraRotationInverse, nullptr, &rotation);
    const Vector3 forward(0, 0, 1), up(0, 1, 0);
    d3dx::Vec3TransformNormal(&m_cameraForward, &forward, &m_cameraRotationInverse);
    d3dx::Vec3TransformNormal(&m_cameraUp, &up, &m_cameraRotationInverse);
}

Vector2 manipulator::project(const Vector3& point) const {
    Vector2 screen;
    utils::worldToScreen2D(point, &screen, &m_world, &m_view, &m_projection, &m_viewport);
    return screen;
}

void manipulator::cameraAxes(Vector3* forward, Vector3* up) const {
    const simViewSource* source = getViewSource();
    const simViewpoint* camera = source ? source->getCurrentCamera() : nullptr;
    if (camera) {
        *forward = viewForward(camera->getViewMatrix());
        *up = viewUp(camera->getViewMatrix());
    } else {
        *forward = m_cameraForward;
        *up = m_cameraUp;
    }
}

bool manipulator::axisSeenEndOn(const Vector2& handle) const {
    const Vector2 d = handle - m_screenCentre;
    return d3dx::Vec2Length(&d) <= kHitBox;
}

void manipulator::updateHandles() {
    m_screenCentre = project(m_position);

    // The world length that covers 100 pixels along the camera's up at the
    // position. A camera that shows no length there keeps the last one.
    Vector3 a, b;
    const Vector3 origin(0, 0, 0), up(0, 1, 0);
    d3dx::Vec3TransformCoord(&a, &origin, &m_cameraRotationInverse);
    d3dx::Vec3TransformCoord(&b, &up, &m_cameraRotationInverse);
    const Vector2 d = project(m_position + b) - project(m_position + a);
    const float pixels = d3dx::Vec2Length(&d);
    if (pixels > 0.0f && std::isfinite(pixels)) m_handleLength = (1.0f / pixels) * kHandlePixels;
    const float h = m_handleLength;

    switch (chooseMode()) {
        case mode_translate:
            for (int k = 0; k < 3; ++k) {
                m_translateEnds[k] = m_position + kAxes[k] * h;
                m_translateScreen[k] = project(m_translateEnds[k]);
            }
            break;
        case mode_scale:
            for (int k = 0; k < 3; ++k) {
                Vector3 end = kAxes[k] * h;
                if (localScaleHandles == 1) d3dx::Vec3TransformNormal(&end, &end, &m_rotationMatrix);
                m_scaleEnds[k] = m_position + end;
                m_scaleScreen[k] = project(m_scaleEnds[k]);
            }
            break;
        case mode_rotate: {
            Matrix turn;
            d3dx::MatrixRotationY(&turn, m_rotation.y);
            for (int k = 0; k < 3; ++k) {
                m_ringPoints[k].clear();
                m_ringScreen[k].clear();
                if (rotateAxes[k] != 0.0f)
                    buildRing(m_ringPoints[k], m_ringScreen[k], m_position, h, kRingSegments, true, &kAxes[k], &turn);
            }
            break;
        }
    }
}

void manipulator::buildRing(std::vector<Vector3>& worldPoints, std::vector<Vector2>& screenPoints,
                            const Vector3& centre, float radius, int segments, bool cutBackHalf,
                            const Vector3* facing, const Matrix* matrix) const {
    Vector3 forward, up;
    cameraAxes(&forward, &up);
    const bool turned = facing || matrix;
    const Matrix orientation = arcOrientation(facing, matrix, up, forward);
    for (int i = 0; i < segments; ++i) {
        const float angle = static_cast<float>(i) * (360.0f / static_cast<float>(segments)) / 180.0f * utils::kPi;
        Vector3 p(std::sin(angle) * radius, std::cos(angle) * radius, 0.0f);
        if (turned) d3dx::Vec3TransformCoord(&p, &p, &orientation);
        if (cutBackHalf) {
            Vector3 direction;
            d3dx::Vec3Normalize(&direction, &p);
            if (d3dx::Vec3Dot(&direction, &forward) < -0.2f) continue;
        }
        const Vector3 world = centre + p;
        Vector2 screen;
        utils::worldToScreen2D(world, &screen);
        worldPoints.push_back(world);
        screenPoints.push_back(screen);
    }
}

// ---- Drawing

uint32_t manipulator::axisColour(int axis, int mode) const {
    // Hovered or held handles lighten: each missing primary goes to 155.
    const bool lit = m_hovered[mode] == axis || m_dragged[mode] == axis;
    const int low = lit ? 155 : 0;
    simColour colour;
    switch (axis) {
        case 0: colour.set(255, 255, low, low); break;
        case 1: colour.set(255, low, 255, low); break;
        case 2: colour.set(255, low, low, 255); break;
        default: colour.set(255, 255, 255, low); break;
    }
    return colour.toARGB();
}

void manipulator::draw(simPrimitiveBatch* batch) {
    if (!visible) return;
    captureView();
    updateHandles();
    m_onScreen = 1;
    Vector3 depth;
    utils::worldToScreen(m_position, &depth);
    // A position where the camera stands projects to no point (NaN): it is
    // no more on screen than one beyond the far plane.
    if (!(depth.z <= 1.0f) || !std::isfinite(m_screenCentre.x) || !std::isfinite(m_screenCentre.y)) {
        m_onScreen = 0;
        return;
    }
    simRenderer* r = renderer();
    if (!r || !batch) return;

    if (m_container && m_container->selected == this)
        r->drawArc2D(m_screenCentre, kSelectionRadius, kWhite, nullptr, kRingSegments, 0.0f, 360.0f,
                     &batch->screenLines);
    else if (m_container && m_container->active == this)
        r->drawArc2D(m_screenCentre, kSelectionRadius, kFaintWhite, nullptr, kRingSegments, 0.0f, 360.0f,
                     &batch->screenLines);

    switch (chooseMode()) {
        case mode_translate: drawTranslate(batch); break;
        case mode_scale: drawScale(batch); break;
        case mode_rotate: drawRotate(batch); break;
    }
    drawLabel();
}

void manipulator::drawLabel() const {
    if (labelMode == 0) return;
    const std::string text = getLabelText();
    if (text.empty()) return;
    // Drawn at once, not batched; without the font the label is left out.
    auto* font = dynamic_cast<simFont*>(simResources::getResource("consoleFont", false));
    if (!font) return;
    font->drawText(text, std::trunc(m_screenCentre.x + kLabelOffset), std::trunc(m_screenCentre.y + kLabelOffset),
                   m_labelColour);
}

void manipulator::drawTranslate(simPrimitiveBatch* batch) {
    simRenderer* r = renderer();
    for (int k = 0; k < 3; ++k) {
        if (translateAxes[k] == 0.0f || axisSeenEndOn(m_translateScreen[k])) continue;
        const uint32_t colour = axisColour(k, mode_translate);
        r->drawLine3D(m_position, m_translateEnds[k], colour, nullptr, {0, 0}, {1, 1}, batch);
        r->drawArrowHead(m_position, m_translateEnds[k], kArrowHeadSize, simColour::fromARGB(colour),
                         &batch->screenLines);
    }
    const Vector2 box(kCentreBox, kCentreBox);
    r->drawRectOutline(m_screenCentre - box, m_screenCentre + box, axisColour(kCentre, mode_translate), nullptr,
                       &batch->screenLines);
}

void manipulator::drawScale(simPrimitiveBatch* batch) {
    simRenderer* r = renderer();
    const float h = m_handleLength;
    const Vector2 centreBox(kScaleBox, kScaleBox);
    r->drawRect(m_screenCentre - centreBox, m_screenCentre + centreBox, axisColour(kCentre, mode_scale), nullptr,
                &batch->screenTriangles);
    const float factors[3] = {m_scaleFactors.x, m_scaleFactors.y, m_scaleFactors.z};
    for (int k = 0; k < 3; ++k) {
        if (scaleAxes[k] == 0.0f || axisSeenEndOn(m_scaleScreen[k])) continue;
        Vector3 inner = kAxes[k] * (factors[k] * h);
        if (localScaleHandles == 1) d3dx::Vec3TransformNormal(&inner, &inner, &m_rotationMatrix);
        inner += m_position;
        const uint32_t colour = axisColour(k, mode_scale);
        r->drawLine3D(m_position, inner, colour, nullptr, {0, 0}, {1, 1}, batch);
        const Vector2 at = project(inner);
        r->drawRect(at - centreBox, at + centreBox, colour, nullptr, &batch->screenTriangles);
    }
}

void manipulator::drawRotate(simPrimitiveBatch* batch) {
    simRenderer* r = renderer();
    r->drawArc2D(m_screenCentre, kHandlePixels, kFaintWhite, nullptr, kRingSegments, 0.0f, 360.0f,
                 &batch->screenLines);
    Matrix turn;
    d3dx::MatrixRotationY(&turn, m_rotation.y);
    for (int k = 0; k < 3; ++k) {
        m_ringPoints[k].clear();
        m_ringScreen[k].clear();
        if (rotateAxes[k] == 0.0f) continue;
        r->drawArc3D(m_position, m_handleLength, axisColour(k, mode_rotate), nullptr, kRingSegments, &kAxes[k], &turn,
                     true, batch, 0.0f, 360.0f);
        // The pick points follow the drawing exactly.
        buildRing(m_ringPoints[k], m_ringScreen[k], m_position, m_handleLength, kRingSegments, true, &kAxes[k],
                  &turn);
    }
}
