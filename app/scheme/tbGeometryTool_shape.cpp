#include "app/scheme/tbGeometryTool_shape.h"

#include <algorithm>
#include <cmath>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbShapeOutline.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/utilsGeometry2D.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"

namespace {

constexpr uint32_t kKeyBackspace = 8, kKeyDelete = 46;
constexpr float kSquare = 5.0f;          // half-size of a point's or handle's square under the mouse
constexpr float kSegmentReach = 20.0f;   // how near a segment a click inserts a point
constexpr float kFarAway = 10000.0f;
const tbShapePoint kStraightPoint{};

// The mouse over the square of half-size `half` round `centre`: bounds
// inclusive, corners cut to whole pixels as the mouse's own test does.
bool insideSquare(const d3dx::Vector2& mouse, const d3dx::Vector2& centre, float half) {
    const d3dx::Vector2 min = centre - d3dx::Vector2{half, half}, max = centre + d3dx::Vector2{half, half};
    if (std::isnan(min.x) || std::isnan(min.y) || std::isnan(max.x) || std::isnan(max.y)) return false;
    auto cut = [](float v) { return std::trunc(v); };
    return mouse.x >= cut(min.x) && mouse.x <= cut(max.x) && mouse.y >= cut(min.y) && mouse.y <= cut(max.y);
}

}  // namespace

void tbGeometryTool_shape::takeSnapshot() {
    m_snapshot.name = kSnapshotName;
    m_snapshot.points = m_points;
}

void tbGeometryTool_shape::restore(const tbStoredShape* shape) {
    if (!shape) return;
    m_points = shape->points;
    m_hoveredIndex = m_hoveredPart = m_dragPart = m_dragIndex = m_selectedIndex = -1;
}

void tbGeometryTool_shape::addPoint(size_t position, const tbShapePoint& point) {
    m_points.insert(m_points.begin() + std::ptrdiff_t(std::min(position, m_points.size())), point);
}

void tbGeometryTool_shape::makeCurved(tbShapePoint& point) {
    point.curved = 1;
    point.outHandle = {10.0f, 0.0f};
    point.inHandle = {10.0f, 0.0f};
}

void tbGeometryTool_shape::makeStraight(tbShapePoint& point) {
    point.curved = 0;
    point.outHandle = point.inHandle = {0.0f, 0.0f};
}

void tbGeometryTool_shape::onEvent(const simInputEvent& event) {
    const d3dx::Vector2 mouse{float(event.x), float(event.y)};
    switch (event.type) {
    case simInputEvent_key:
        if (event.keyState == simKeyState_released && (event.key == kKeyDelete || event.key == kKeyBackspace))
            deleteSelected();
        break;
    case simInputEvent_mouseMove:
        if (m_dragIndex == -1)
            hover(mouse);
        else
            drag(mouse);
        break;
    case simInputEvent_mouseButton:
        if (event.button == simMouseButton_left) onLeftButton(event);
        break;
    default:
        break;
    }
}

void tbGeometryTool_shape::deleteSelected() {
    if (!isPoint(m_selectedIndex)) return;
    takeSnapshot();
    m_points.erase(m_points.begin() + m_selectedIndex);
    m_selectedIndex = m_points.empty() ? -1 : std::max(m_selectedIndex - 1, 0);
    recordEdit();
}

void tbGeometryTool_shape::hover(const d3dx::Vector2& mouse) {
    m_hoveredIndex = m_hoveredPart = m_insertionIndex = -1;
    m_segmentStart = m_segmentEnd = m_insertionPoint = {0.0f, 0.0f};
    const size_t count = m_points.size();
    // Later hits win: a handle beats its own point, a later point an earlier one.
    for (size_t i = 0; i < count; ++i) {
        const tbShapePoint& p = m_points[i];
        if (insideSquare(mouse, p.position, kSquare)) m_hoveredIndex = int32_t(i), m_hoveredPart = kThePoint;
        if (!p.curved) continue;
        const tbShapePoint& next = m_points[tbShapeOutline::nextIndex(i, count)];
        if (insideSquare(mouse, p.position + p.outHandle, kSquare)) m_hoveredIndex = int32_t(i), m_hoveredPart = kOutHandle;
        if (insideSquare(mouse, next.position + p.inHandle, kSquare)) m_hoveredIndex = int32_t(i), m_hoveredPart = kInHandle;
    }
    if (m_hoveredIndex != -1) return;
    float best = kFarAway;
    for (size_t i = 0; i < count; ++i) {
        const size_t next = tbShapeOutline::nextIndex(i, count);
        d3dx::Vector2 foot;
        float distance = 0.0f;
        if (!utils::projectPointOnSegment2D(&foot, &distance, mouse, m_points[i].position, m_points[next].position))
            continue;
        if (distance < kSegmentReach && distance < best) {
            best = distance;
            m_insertionPoint = foot;
            m_insertionIndex = int32_t(next == 0 ? 0 : i + 1);
            m_segmentStart = m_points[i].position;
            m_segmentEnd = m_points[next].position;
        }
    }
}

void tbGeometryTool_shape::drag(const d3dx::Vector2& mouse) {
    // The bar may have cleared the outline under a drag.
    if (!isPoint(m_dragIndex)) return;
    tbShapePoint& p = m_points[size_t(m_dragIndex)];
    if (m_dragPart == kOutHandle) {
        p.outHandle = mouse - p.position;
    } else if (m_dragPart == kInHandle) {
        p.inHandle = mouse - m_points[tbShapeOutline::nextIndex(size_t(m_dragIndex), m_points.size())].position;
    } else {
        p.position = mouse;
    }
}

void tbGeometryTool_shape::onLeftButton(const simInputEvent& event) {
    const bool released = event.buttonState == simButtonState_released ||
                          event.buttonState == simButtonState_releasedWithoutPress;
    if (m_dragIndex >= 0 || m_hoveredIndex >= 0) {
        if (event.buttonState == simButtonState_pressed) takeSnapshot();
        if (released) recordEdit();
    }
    if (event.buttonState == simButtonState_pressed) {
        m_selectedIndex = m_dragIndex = m_hoveredIndex;
        m_dragPart = m_hoveredPart;
        m_hoveredIndex = m_hoveredPart = -1;
    } else if (event.buttonState == simButtonState_released) {
        onRelease({float(event.x), float(event.y)});
    }
}

void tbGeometryTool_shape::onRelease(const d3dx::Vector2& mouse) {
    if (m_dragIndex == -1) {
        if (m_insertionPoint == d3dx::Vector2{0.0f, 0.0f}) {
            takeSnapshot();
            tbShapePoint point;
            point.position = mouse;
            m_points.push_back(point);
            m_selectedIndex = int32_t(m_points.size()) - 1;
            recordEdit();
        } else if (m_insertionIndex != -1 && !m_points.empty()) {
            // Inserting, curving and straightening change the outline as
            // much as appending does, so each is one undo step too: without
            // one, the next undo would take back this edit and the one
            // before it together.
            takeSnapshot();
            const size_t at = std::min(size_t(m_insertionIndex), m_points.size());
            tbShapePoint& start = m_points[at == 0 ? m_points.size() - 1 : at - 1];
            if (m_curveButton != kNoCurveButton) {
                useCurveButton(start);
            } else {
                tbShapePoint point;
                point.position = m_insertionPoint;
                addPoint(at, point);
                m_selectedIndex = int32_t(at);
            }
            recordEdit();
        }
    }
    m_dragIndex = m_dragPart = -1;
}

void tbGeometryTool_shape::useCurveButton(tbShapePoint& segmentStart) {
    if (m_curveButton == kCreateCurve)
        makeCurved(segmentStart);
    else
        makeStraight(segmentStart);
    m_curveButton = kNoCurveButton;
    if (m_curveListener) m_curveListener(m_curveButton);
}

void tbGeometryTool_shape::recordEdit() {
    if (!m_owner) return;
    m_owner->getUndo().setShapeChanged();
    m_owner->getUndo().push();
}

// ---- Preview

namespace {
constexpr uint32_t kWhite = 0xFFFFFFFFu, kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u, kBlue = 0xFF0000FFu;
constexpr uint32_t kHoverHalo = 0x7DFFFFFFu, kChord = 0x64FFFFFFu, kFillAlpha = 0x9B000000u;
constexpr float kHaloHalf = 6.0f, kMarkHalf = 5.0f, kDotHalf = 2.0f;

void square(std::vector<simScreenTriangle>& batch, const d3dx::Vector2& centre, float half, uint32_t colour) {
    g_graphics->getRenderer()->drawRect(centre - d3dx::Vector2{half, half}, centre + d3dx::Vector2{half, half}, colour,
                                        nullptr, &batch);
}
}  // namespace

void tbGeometryTool_shape::renderPreview(const simColour& main) const {
    simRenderer* r = g_graphics ? g_graphics->getRenderer() : nullptr;
    if (!r) return;
    std::vector<simScreenTriangle> squares;
    std::vector<simScreenLine> lines;
    const size_t count = m_points.size();
    for (size_t i = 0; i < count; ++i) {
        const tbShapePoint& p = m_points[i];
        const tbShapePoint& next = m_points[tbShapeOutline::nextIndex(i, count)];
        if (int32_t(i) == m_hoveredIndex || int32_t(i) == m_dragIndex) {
            square(squares, p.position, kHaloHalf, kHoverHalo);
            square(squares, p.position, kMarkHalf, kRed);
        }
        square(squares, p.position, kDotHalf, kWhite);
        if (!p.curved) {
            lines.emplace_back(p.position, next.position, kWhite, kWhite);
            continue;
        }
        const bool thisPoint = int32_t(i) == m_hoveredIndex;
        const uint32_t outColour = thisPoint && m_hoveredPart == kOutHandle ? kRed : kGreen;
        const uint32_t inColour = thisPoint && m_hoveredPart == kInHandle ? kRed : kGreen;
        lines.emplace_back(p.position, p.position + p.outHandle, outColour, outColour);
        square(squares, p.position + p.outHandle, kDotHalf, outColour);
        lines.emplace_back(next.position, next.position + p.inHandle, inColour, inColour);
        square(squares, next.position + p.inHandle, kDotHalf, inColour);
        const int32_t steps = tbShapeOutline::curveSteps(p, next);
        d3dx::Vector2 from = p.position;
        for (int32_t k = 0; k <= steps; ++k) {
            const d3dx::Vector2 to = tbShapeOutline::curvePoint(p, next, float(k) / float(steps));
            lines.emplace_back(from, to, kWhite, kWhite);
            from = to;
        }
        lines.emplace_back(p.position, next.position, kChord, kChord);
    }
    r->drawTriangles2D(squares, nullptr);
    r->drawLines2D(lines, nullptr);
    if (count < 2) return;

    std::vector<simScreenTriangle> fill;
    const uint32_t fillColour = kFillAlpha | (main.toARGB() & 0x00FFFFFFu);
    const std::vector<d3dx::Vector2> corners = tbShapeOutline::triangles(m_points);
    for (size_t i = 0; i + 2 < corners.size(); i += 3)
        fill.emplace_back(corners[i], corners[i + 1], corners[i + 2], fillColour, fillColour, fillColour,
                          d3dx::Vector2{}, d3dx::Vector2{}, d3dx::Vector2{});
    r->drawTriangles2D(fill, nullptr);

    if (m_insertionPoint == d3dx::Vector2{0.0f, 0.0f}) return;
    if (m_curveButton == kNoCurveButton)
        r->drawRect(m_insertionPoint - d3dx::Vector2{kDotHalf, kDotHalf},
                    m_insertionPoint + d3dx::Vector2{kDotHalf, kDotHalf}, kBlue, nullptr);
    else
        r->drawLine2D(m_segmentStart, m_segmentEnd, kRed, nullptr);
}
