#include "engine/gui/simGuiElementManager.h"

#include <algorithm>

#include "engine/core/simGlobals.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simSystemLinks.h"
#include "engine/gui/simGuiElement.h"
#include "engine/gui/simGuiSkin.h"

simGuiElementManager::simGuiElementManager() : simObject(true, true, false, false) {
    editTimer.start();
    m_tooltipClock.start();
    m_mouseStillTimer.start();
    g_guiElementManager = this;
}

simGuiElementManager::~simGuiElementManager() {
    // Every element is let go; each is deleted by a later purge and by then
    // finds no manager to leave.
    m_drawList.forEach([](simGuiElement* element) { element->removeFromCollection(); });
    g_guiElementManager = nullptr;
}

void simGuiElementManager::update() {
    simObject::update();
    m_eventList.forEachNewestFirst([](simGuiElement* element) { element->update(); });
    m_raiseList.forEach([this](simGuiElement* element) {
        m_drawList.remove(element);
        m_drawList.add(element);
        m_eventList.remove(element);
        m_eventList.add(element);
    });
    m_raiseList.clear();
    refreshModalDialog();
}

// Modal elements of other forms, while a dialog is modal; never the modal
// dialog itself.
bool simGuiElementManager::isShutOutByModal(simGuiElement* element) const {
    return modalDialog && element != modalDialog && element->isModal() && element->getParentForm() != modalDialog;
}

// The frontmost element under the click takes the focus: only it, so that a
// widget lying on a dialog gets the focus rather than the dialog behind it.
void simGuiElementManager::giveFocus(const simInputEvent& event) {
    bool found = false;
    bool behindModal = false;
    m_eventList.forEachNewestFirst([&](simGuiElement* element) {
        if (found || behindModal) return;
        if (!isShutOutByModal(element) && element->takesFocus()) {
            const int32_t x = element->getX(), y = element->getY();
            if (x < event.x && event.x < x + element->getWidth() && y < event.y && event.y < y + element->getHeight()) {
                focusElement = element;
                found = true;
            }
        }
        if (element == modalDialog) behindModal = true;
    });
}

void simGuiElementManager::onEvent(simInputEvent* event) {
    if (event && event->type == simInputEvent_mouseMove) {
        m_mouseStillTimer.reset();
        m_mouseStillTimer.start();
    }
    if (event && event->type == simInputEvent_mouseButton) giveFocus(*event);
    bool stopped = false;
    m_eventList.forEachNewestFirst([&](simGuiElement* element) {
        if (stopped || isShutOutByModal(element)) return;
        const bool isModalDialog = element == modalDialog;
        element->onEvent(event);
        // Elements behind the modal dialog get nothing.
        if (isModalDialog) stopped = true;
    });
}

void simGuiElementManager::render() {
    m_tooltipRequested = false;
    const simSystemLinks& links = systemLinks();
    if (links.graphics.beginGuiPass) links.graphics.beginGuiPass();
    m_drawList.forEach([this](simGuiElement* element) {
        if (!isShutOutByModal(element)) element->render();
    });
    renderTooltip();
    if (links.graphics.endGuiPass) links.graphics.endGuiPass();
}

void simGuiElementManager::renderTooltip() {
    double alpha;
    if (m_tooltipRequested) {
        if (!m_tooltipFade.running) m_tooltipFade.start();
        alpha = m_tooltipFade.getElapsed() / kTooltipFadeMs;
    } else {
        m_tooltipFade.reset();
        alpha = 1.0 - (m_tooltipClock.getElapsed() - m_tooltipLastRequest) / kTooltipFadeMs;
    }
    if (!(alpha > 0.0)) return;
    alpha = std::min(alpha, 1.0);
    drawTooltipBox(m_tooltipX, m_tooltipY, m_tooltipText, static_cast<int32_t>(alpha * 255.0));
}

void simGuiElementManager::showTooltip(float x, float y, const std::string& text) {
    if (m_mouseStillTimer.getElapsed() <= kTooltipDelayMs) return;
    m_tooltipX = x;
    m_tooltipY = y;
    m_tooltipText = text;
    m_tooltipLastRequest = m_tooltipClock.getElapsed();
    m_tooltipRequested = true;
}

void simGuiElementManager::addElement(simGuiElement* element) {
    m_drawList.add(element);
    m_eventList.add(element);
    ++m_elementCount;
}

void simGuiElementManager::removeElement(simGuiElement* element) {
    m_drawList.remove(element);
    m_eventList.remove(element);
    m_raiseList.remove(element);
    m_dialogList.remove(element);
    if (editElement == element) {
        editElement = nullptr;
        editTimer.reset();
        editTimer.start();
    }
    for (simGuiElement** pointer : {&modalDialog, &focusElement, &currentDialogForm, &okElement, &cancelElement})
        if (*pointer == element) *pointer = nullptr;
    // Widgets that keep other elements (a table's cells) let go of it too.
    m_drawList.forEach([element](simGuiElement* other) { other->replaceReference(element, nullptr); });
    --m_elementCount;
}

void simGuiElementManager::bringToFront(simGuiElement* element) {
    if (element) m_raiseList.add(element);
}

void simGuiElementManager::addDialog(simGuiElement* dialog) {
    if (dialog) m_dialogList.add(dialog);
}

void simGuiElementManager::removeDialog(simGuiElement* dialog) { m_dialogList.remove(dialog); }

void simGuiElementManager::refreshModalDialog() {
    modalDialog = nullptr;
    m_dialogList.forEach([this](simGuiElement* dialog) {
        if (!dialog->isMarkedForDeletion() && dialog->isModalDialog()) modalDialog = dialog;
    });
}

simGuiElement* simGuiElementManager::findElementByName(std::string name) {
    simGuiElement* found = nullptr;
    m_eventList.forEachNewestFirst([&](simGuiElement* element) {
        if (!found && !element->isMarkedForDeletion() && element->getName() == name) found = element;
    });
    return found;
}
