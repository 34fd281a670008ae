// The dialog box's input: dragging by the title strip, choosing an anchor
// where the drag ends, and resizing by the edge and corner zones.
#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInputEvent.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simWindow.h"
#include "engine/gui/simGuiDialogBox.h"
#include "engine/gui/simGuiElementManager.h"

namespace {

// Each zone's hot area is a column (left edge, between the edges, right
// edge) by a row (top edge, between, bottom edge), 10 pixels across the edge.
enum Band { nearBand, middleBand, farBand };
struct ZoneRule {
    Band column, row;
};
constexpr ZoneRule kZoneRules[simGuiDialogBox::kZoneCount] = {
    {nearBand, nearBand}, {middleBand, nearBand}, {farBand, nearBand},   {nearBand, middleBand},
    {farBand, middleBand}, {nearBand, farBand},   {middleBand, farBand}, {farBand, farBand},
};

// Strictly inside the band of an edge from `start` of length `size`.
bool inBand(Band band, int32_t start, int32_t size, int32_t at) {
    switch (band) {
        case nearBand: return start - 5 < at && at < start + 5;
        case middleBand: return start + 5 < at && at < start + size - 5;
        case farBand: return start + size - 5 < at && at < start + size + 5;
    }
    return false;
}

void consume() {
    if (g_application) g_application->eventConsumed = true;
}

}  // namespace

void simGuiDialogBox::onEvent(simInputEvent* event) {
    if (!event || !m_visible || isMarkedForDeletion() || m_appearTimer.getElapsed() < kAppearMs) return;
    if (event->type == simInputEvent_mouseButton && event->button == simMouseButton_left) {
        onLeftButton(*event);
    } else if (event->type == simInputEvent_mouseMove) {
        onMouseMove(*event);
    }
}

void simGuiDialogBox::onLeftButton(const simInputEvent& event) {
    const int32_t x = getX(), y = getY(), mx = event.x, my = event.y;
    if (event.buttonState == simButtonState_pressed) {
        // A press that an element in front took starts nothing here.
        if (g_application && g_application->eventConsumed) return;
        const bool inTitleStrip = x + 5 < mx && mx < x + m_width - 5 && y + 5 < my && my < y + 25;
        if ((m_anchor == 0 || m_positionable) && inTitleStrip && !isOverTitleBarButton()) {
            m_anchor = 0;
            consume();
            m_dragging = true;
        }
        if (m_resizable)
            for (ZoneState& zone : m_resizeZone)
                if (zone == hovered) zone = active;
        return;
    }
    if (event.buttonState == simButtonState_released || event.buttonState == simButtonState_releasedWithoutPress) {
        if (x < mx && mx < x + m_width && y < my && my < y + m_height) consume();
        if (m_dragging) {
            m_dragging = false;
            chooseAnchorAfterDrag();
        }
    }
    // Any state but a press lets go of the zones, so a resize ends with the
    // button's release.
    m_resizeZone.fill(idle);
}

// A press on a title-bar button is the button's: it does not also start a
// drag, which would move the dialog under a click that shakes a little.
bool simGuiDialogBox::isOverTitleBarButton() {
    for (int32_t kind : {helpButton, exitButton, minimiseButton}) {
        simGuiElement* button = findButton(kind);
        if (button && button->isVisible() && button->isMouseOver()) return true;
    }
    return false;
}

// From the stored position (not the alignment offset's).
void simGuiDialogBox::chooseAnchorAfterDrag() {
    if (!g_graphics || !g_graphics->getWindow()) return;
    const float wb = g_graphics->getWindow()->getBackBufferWidth();
    const float hb = g_graphics->getWindow()->getBackBufferHeight();
    const bool nearLeft = m_x < 6, nearTop = m_y < 31;
    const bool nearRight = static_cast<float>(m_x + m_width) >= wb - 5.0f;
    const bool nearBottom = static_cast<float>(m_y + m_height) >= hb - 5.0f;
    const char* anchor = "floating";
    if (nearLeft && nearTop) {
        anchor = "topLeft";
    } else if (nearRight && m_y <= 30) {
        anchor = "topRight";
    } else if (nearLeft && nearBottom) {
        anchor = "bottomLeft";
    } else if (nearRight && nearBottom) {
        anchor = "bottomRight";
    } else if (nearTop) {
        anchor = "top";
    } else if (nearRight) {
        anchor = "right";
    } else if (nearBottom) {
        anchor = "bottom";
    } else if (nearLeft) {
        anchor = "left";
    }
    m_anchor = simGuiElementManager::parseAnchor(anchor);
}

void simGuiDialogBox::onMouseMove(const simInputEvent& event) {
    // The drag owns the pointer: moves an element in front took still move
    // the dialog, so it never lags behind the pointer.
    if ((m_anchor == 0 || m_positionable) && m_dragging) {
        consume();
        m_x += event.dx;
        m_y += event.dy;
        keepInView();
    }
    if (m_resizable && !m_dragging) resizeByZones(event);
}

// Resizing does not consume the event.
void simGuiDialogBox::resizeByZones(const simInputEvent& event) {
    const int32_t x = getX(), y = getY(), w = m_width, h = m_height;
    const int32_t oldX = m_x, oldY = m_y;
    for (ZoneState& zone : m_resizeZone)
        if (zone != active) zone = idle;
    for (int zone = 0; zone < kZoneCount; ++zone) {
        const ZoneRule& rule = kZoneRules[zone];
        if (m_resizeZone[zone] == idle) {
            if (inBand(rule.column, x, w, event.x) && inBand(rule.row, y, h, event.y)) m_resizeZone[zone] = hovered;
            continue;
        }
        if (m_resizeZone[zone] != active) continue;
        // A near edge moves the position and takes the change from the
        // size; a far edge adds it to the size.
        if (rule.column == nearBand) {
            m_x += event.dx;
            m_width -= event.dx;
        } else if (rule.column == farBand) {
            m_width += event.dx;
        }
        if (rule.row == nearBand) {
            m_y += event.dy;
            m_height -= event.dy;
        } else if (rule.row == farBand) {
            m_height += event.dy;
        }
        if (m_width < 0) m_x = oldX;
        if (m_height < 0) m_y = oldY;
        relayout();
    }
}
