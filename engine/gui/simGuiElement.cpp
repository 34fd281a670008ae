#include "engine/gui/simGuiElement.h"

#include "engine/core/simGlobals.h"
#include "engine/gui/simGuiElementManager.h"

simGuiElement::simGuiElement(std::string name, int32_t x, int32_t y, int32_t width, int32_t height)
    : simSafeDeleteObject(false),
      simObject(false, false, false, false),
      m_name(std::move(name)),
      m_x(x),
      m_y(y),
      m_width(width),
      m_height(height) {
    if (g_guiElementManager) g_guiElementManager->addElement(this);
}

simGuiElement::~simGuiElement() {
    if (g_guiElementManager) g_guiElementManager->removeElement(this);
}

void simGuiElement::update() {
    simObject::update();
    if (m_fadingIn && m_fadeInStopwatch.getElapsed() >= m_fadeInTime) m_fadingIn = false;
}

void simGuiElement::onEvent(simInputEvent*) {}

void simGuiElement::setVisible(bool visible) {
    m_visible = visible;
    m_fadingIn = false;
}

void simGuiElement::show(float ms, bool flag) {
    if (m_fadingIn) return;
    restartClock();
    setVisible(true);
    m_fadeInTime = ms;
    m_showFlag = flag;
    m_fadingIn = true;
    m_fadeInStopwatch.reset();
    m_fadeInStopwatch.start();
}
