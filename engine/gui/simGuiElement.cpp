#include "engine/gui/simGuiElement.h"

#include <algorithm>

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simMouse.h"
#include "engine/gui/simGuiElementManager.h"
#include "platform/sys/clock.h"

simGuiElement::simGuiElement(std::string name, int32_t x, int32_t y, int32_t width, int32_t height)
    : simSafeDeleteObject(false),
      simObject(false, false, false, false),
      m_name(std::move(name)),
      m_x(x),
      m_y(y),
      m_width(width),
      m_height(height),
      m_creationX(x),
      m_creationY(y),
      m_creationTime(static_cast<double>(sys::clockTicks()) * 1000.0 / sys::kClockFrequency) {
    m_colour.set(255, 255, 255, 255);
    m_flashStopwatch.start();
    if (g_guiElementManager) {
        m_font = g_guiElementManager->fonts[0];
        g_guiElementManager->addElement(this);
        if (g_guiElementManager->currentDialogForm) g_guiElementManager->currentDialogForm->addChild(this);
    }
    m_ageStopwatch.start();
}

simGuiElement::~simGuiElement() {
    if (m_parentForm) m_parentForm->removeChild(this);
    for (simGuiElement* child : m_children) child->m_parentForm = nullptr;
    m_children.clear();
    if (g_guiElementManager) g_guiElementManager->removeElement(this);
}

bool simGuiElement::acceptsInput() const {
    return m_visible && m_enabled && !isMarkedForDeletion() && !(g_application && g_application->eventConsumed);
}

bool simGuiElement::hasFocus() const { return g_guiElementManager && g_guiElementManager->focusElement == this; }

void simGuiElement::restartWidgetStopwatch(double elapsedMs) {
    m_widgetStopwatch.reset();
    m_widgetStopwatch.setElapsed(elapsedMs);
    m_widgetStopwatch.start();
}

bool simGuiElement::takesFocus() const { return m_visible && m_enabled && !isMarkedForDeletion(); }

bool simGuiElement::isMouseOver() {
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    if (!mouse) return false;
    const int32_t x = getX(), y = getY();
    return x <= mouse->getX() && mouse->getX() <= x + getWidth() && y <= mouse->getY() &&
           mouse->getY() <= y + getHeight();
}

// ---- Per-frame

void simGuiElement::update() {
    simObject::update();
    if (m_fadingOut && m_fadeOutStopwatch.getElapsed() >= m_fadeOutTime) {
        setVisible(false);
        if (m_destroyAfterFade) {
            removeFromCollection();
        } else {
            m_fadingOut = false;
        }
    }
    if (m_fadingIn && m_fadeInStopwatch.getElapsed() >= m_fadeInTime) m_fadingIn = false;
    if (m_flashStopwatch.getElapsed() > kFlashPhaseMs) {
        m_flashStopwatch.reset();
        m_flashStopwatch.start();
        m_flashPhase = !m_flashPhase;
    }
    if (m_moveTime != 0.0f) applyMoveStep();
}

void simGuiElement::applyMoveStep() {
    float t = static_cast<float>(m_moveStopwatch.getElapsed()) / m_moveTime;
    if (t < 0.0f) t = 0.0f;
    if (t > 1.0f) {
        t = 1.0f;
        m_moveTime = 0.0f;
    }
    int32_t* fields[4] = {&m_x, &m_y, &m_width, &m_height};
    for (int i = 0; i < 4; ++i) {
        *fields[i] = static_cast<int32_t>(static_cast<float>(m_moveTarget[i]) * t +
                                          static_cast<float>(m_moveStart[i]) * (1.0f - t));
    }
}

void simGuiElement::onEvent(simInputEvent*) {}

void simGuiElement::render() {
    if (isMarkedForDeletion() || m_tooltipText.empty() || !g_guiElementManager) return;
    simGuiElementManager& manager = *g_guiElementManager;
    if (manager.modalDialog && m_parentForm != manager.modalDialog) return;
    if (!m_tooltipTarget.empty()) {
        if (simGuiElement* target = manager.findElementByName(m_tooltipTarget)) target->setText(m_tooltipText);
        return;
    }
    if (isMouseOver()) {
        manager.showTooltip(static_cast<float>(getX()) + static_cast<float>(getWidth()) * 0.5f + 2.0f,
                            static_cast<float>(getY() + getHeight() + 2), m_tooltipText);
    }
}

// ---- Attributes

void simGuiElement::setStringAttribute(int index, std::string value) {
    if (index >= 0 && index < kAttributeSlots) m_stringAttributes[index] = std::move(value);
}

std::string simGuiElement::getStringAttribute(int index) {
    return index >= 0 && index < kAttributeSlots ? m_stringAttributes[index] : std::string();
}

void simGuiElement::setFloatAttribute(int index, float value) {
    if (index >= 0 && index < kAttributeSlots) m_floatAttributes[index] = value;
}

float simGuiElement::getFloatAttribute(int index) {
    return index >= 0 && index < kAttributeSlots ? m_floatAttributes[index] : 0.0f;
}

void simGuiElement::setIntAttribute(int index, int32_t value) {
    if (index >= 0 && index < kAttributeSlots) m_intAttributes[index] = value;
}

int32_t simGuiElement::getIntAttribute(int index) {
    return index >= 0 && index < kAttributeSlots ? m_intAttributes[index] : 0;
}

void simGuiElement::setTooltip(std::string text, std::string targetName) {
    m_tooltipText = std::move(text);
    m_tooltipTarget = std::move(targetName);
}

// ---- Fades and moves

void simGuiElement::setVisible(bool visible) {
    m_visible = visible;
    m_fadingIn = false;
    m_fadingOut = false;
}

void simGuiElement::show(float ms, bool flag) {
    if (m_fadingIn) return;
    restartClock();
    setVisible(true);
    m_showFlag = flag;
    // A fade of no length is no fade: the element is simply shown (a zero
    // duration would make the opacity 0/0).
    if (!(ms > 0.0f)) return;
    m_fadeInTime = ms;
    m_fadingIn = true;
    m_fadeInStopwatch.reset();
    m_fadeInStopwatch.start();
}

void simGuiElement::hide(float ms, bool destroy) {
    if (m_fadingOut) return;
    restartClock();
    if (!(ms > 0.0f)) {
        setVisible(false);
        if (destroy) removeFromCollection();
        return;
    }
    m_destroyAfterFade = destroy;
    m_fadeOutTime = ms;
    m_fadingOut = true;
    m_fadeOutStopwatch.reset();
    m_fadeOutStopwatch.start();
}

void simGuiElement::moveResize(int32_t x, int32_t y, int32_t width, int32_t height, float ms) {
    m_moveStart = {m_x, m_y, m_width, m_height};
    m_moveTarget = m_moveStart;
    const int32_t wanted[4] = {x, y, width, height};
    for (int i = 0; i < 4; ++i)
        if (wanted[i] != kKeepCoordinate) m_moveTarget[i] = wanted[i];
    if (!(ms > 0.0f)) {
        m_moveTime = 0.0f;
        m_x = m_moveTarget[0];
        m_y = m_moveTarget[1];
        m_width = m_moveTarget[2];
        m_height = m_moveTarget[3];
        return;
    }
    m_moveTime = ms;
    m_moveStopwatch.reset();
    m_moveStopwatch.start();
}

float simGuiElement::getAlpha() {
    if (!m_visible) return 0.0f;
    float alpha = 1.0f;
    if (m_fadingOut) alpha = 1.0f - static_cast<float>(m_fadeOutStopwatch.getElapsed()) / m_fadeOutTime;
    if (m_fadingIn) alpha = static_cast<float>(m_fadeInStopwatch.getElapsed()) / m_fadeInTime;
    return std::clamp(alpha, 0.0f, 1.0f);
}

int32_t simGuiElement::getX() {
    return m_parentForm ? m_parentForm->getX() + (m_x - m_parentForm->m_creationX) : m_x;
}

int32_t simGuiElement::getY() {
    return m_parentForm ? m_parentForm->getY() + (m_y - m_parentForm->m_creationY) : m_y;
}

// ---- Forms

void simGuiElement::addChild(simGuiElement* element) {
    if (!element || element == this) return;
    if (element->m_parentForm && element->m_parentForm != this) element->m_parentForm->removeChild(element);
    element->m_parentForm = this;
    if (std::find(m_children.begin(), m_children.end(), element) == m_children.end()) m_children.push_back(element);
}

void simGuiElement::removeChild(simGuiElement* element) {
    if (!element) return;
    if (element->m_parentForm == this) element->m_parentForm = nullptr;
    m_children.remove(element);
}
