#include "app/shell/tbMouse.h"

#include "app/shell/tbInput.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simTexture.h"

tbMouse::tbMouse() {
    if (tbInput* input = tbInput::current()) input->m_mouse = this;
}

tbMouse::~tbMouse() {
    if (tbInput* input = tbInput::current(); input && input->m_mouse == this) input->m_mouse = nullptr;
}

void tbMouse::onEvent(simInputEvent* event) {
    m_handled = false;
    simMouse::onEvent(event);
}

bool tbMouse::groundUnderCursor(d3dx::Vector3* point) {
    pickGroundPoint();
    if (!hasGroundPoint()) return false;
    *point = getGroundPoint();
    return true;
}

simTexture* tbMouse::cursorTexture() {
    return dynamic_cast<simTexture*>(simResources::getResource(kCursorTexture, false));
}
