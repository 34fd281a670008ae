#include "engine/gui/simGuiElementManager.h"

#include "engine/core/simGlobals.h"
#include "engine/core/simSystemLinks.h"
#include "engine/gui/simGuiElement.h"

simGuiElementManager::simGuiElementManager() : simObject(true, true, false, false) {
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
}

void simGuiElementManager::onEvent(simInputEvent* event) {
    m_eventList.forEachNewestFirst([event](simGuiElement* element) { element->onEvent(event); });
}

void simGuiElementManager::render() {
    m_tooltipRequested = false;
    const simSystemLinks& links = systemLinks();
    if (links.graphics.beginGuiPass) links.graphics.beginGuiPass();
    m_drawList.forEach([](simGuiElement* element) { element->render(); });
    if (links.graphics.endGuiPass) links.graphics.endGuiPass();
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
    if (currentDialogForm == element) currentDialogForm = nullptr;
    if (focusElement == element) focusElement = nullptr;
    if (okElement == element) okElement = nullptr;
    if (cancelElement == element) cancelElement = nullptr;
    --m_elementCount;
}

void simGuiElementManager::bringToFront(simGuiElement* element) {
    if (element) m_raiseList.add(element);
}

simGuiElement* simGuiElementManager::findElementByName(std::string name) {
    simGuiElement* found = nullptr;
    m_eventList.forEachNewestFirst([&](simGuiElement* element) {
        if (!found && !element->isMarkedForDeletion() && element->getName() == name) found = element;
    });
    return found;
}
