// The engine application's redraw rule: a frame is drawn only when what the
// view shows may have changed (see simApplication.h).
#include "engine/core/simApplication.h"

#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simMouse.h"
#include "engine/core/simSystemLinks.h"

void simRequestRedraw() {
    if (g_application) g_application->requestRedraw();
}

bool simApplication::isRedrawNeeded() {
    if (m_redrawRequested) return true;
    const auto graphicsNeeds = systemLinks().graphics.needsRedraw;
    if (g_graphics && graphicsNeeds && graphicsNeeds()) return true;
    // A held button may be dragging something that moves without events.
    if (const simMouse* mouse = g_input ? g_input->getMouse() : nullptr) {
        for (uint32_t button = 0; button < simMouse::kButtonCount; ++button)
            if (mouse->isButtonDown(button)) return true;
    }
    bool animating = false;
    m_updateList.forEach([&animating](simObject* object) {
        if (!animating && object->hasUpdateFlag() && object->isAnimating()) animating = true;
    });
    return animating;
}

bool simApplication::redrawIfNeeded() {
    if (isInFrame() || !isRedrawNeeded()) return false;
    m_redrawRequested = false;
    redraw();
    return true;
}
