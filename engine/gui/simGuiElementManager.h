// simGuiElementManager: the one owner of the GUI's bookkeeping.
//
// It keeps the elements in drawing order (first drawn first, at the bottom)
// and in input order (first gets events first, at the top), updates them once
// a frame, routes input events to them and draws them in the GUI pass of the
// engine's frame. Scripts and the engine find elements by name through it.
// The engine application makes exactly one (createSystems) and deletes it
// first of all systems; `g_guiElementManager` names it meanwhile.
//
// The manager holds plain pointers: elements are owned through deferred
// deletion and leave the lists in their destructors. The lists may change
// while they are walked (an element made or destroyed by another's update or
// event), so walks are over simObjectList.
#pragma once

#include <string>

#include "engine/core/simObject.h"
#include "engine/core/simObjectList.h"

class simGuiElement;

class simGuiElementManager : public simObject {
public:
    simGuiElementManager();
    ~simGuiElementManager() override;

    std::string getClassName() override { return "simGuiElementManager"; }

    // Every element's update, front of the input order first; then raised
    // elements move to the front.
    void update() override;
    // Every element gets the event, front of the input order first. Elements
    // that act on an event set the application's event-consumed flag.
    void onEvent(simInputEvent* event) override;
    // The GUI pass: the renderer's GUI states, every element in drawing order,
    // the states put back. Called by the frame render.
    void render();

    // ---- Lists (by the element's constructor and destructor)
    void addElement(simGuiElement* element);
    void removeElement(simGuiElement* element);
    // Draws the element last and gives it events first, from the next update.
    void bringToFront(simGuiElement* element);

    // The element nearest the front of the input order with exactly this name
    // that is not marked for deletion, or null.
    simGuiElement* findElementByName(std::string name);

    int elementCount() const { return m_elementCount; }

    // Forms and the elements Enter and Esc act on; scripts set them.
    simGuiElement* currentDialogForm = nullptr;
    simGuiElement* okElement = nullptr;
    simGuiElement* cancelElement = nullptr;
    simGuiElement* focusElement = nullptr;

private:
    simObjectList<simGuiElement> m_drawList;
    simObjectList<simGuiElement> m_eventList;  // newest first: walked from its back
    simObjectList<simGuiElement> m_raiseList;
    int m_elementCount = 0;
    bool m_tooltipRequested = false;
};
