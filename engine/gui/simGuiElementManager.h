// simGuiElementManager: the one owner of the GUI's bookkeeping.
//
// It keeps the elements in drawing order (first drawn first, at the bottom)
// and in input order (first gets events first, at the top), updates them once
// a frame, routes input events to them, draws them in the GUI pass of the
// engine's frame and finds them by name for the script functions. It
// remembers the modal dialog, the focus and edit elements, the dialog form
// new elements join, the elements Enter and Esc act on, the GUI fonts and the
// theme atlas, and shows the tooltip. The engine application makes exactly
// one (createSystems) and deletes it first of all systems;
// `g_guiElementManager` names it meanwhile.
//
// The manager holds plain pointers: elements are owned through deferred
// deletion and leave the lists, and clear every pointer field here that names
// them, in their destructors. The lists may change while they are walked (an
// element made or destroyed by another's update or event), so walks are over
// simObjectList.
//
// The host sets the fonts and the theme texture (`fonts`, `themeTexture`);
// until then widgets draw no text and no skinned pieces.
#pragma once

#include <array>
#include <string>

#include "engine/core/simObject.h"
#include "engine/core/simObjectList.h"
#include "engine/core/utilsTimer.h"
#include "engine/graphics/simTextureRef.h"

class simFont;
class simGuiElement;
class simTexture;

class simGuiElementManager : public simObject {
public:
    static constexpr int kFontCount = 10;
    // The mouse rests this long over an element before its tooltip shows.
    static constexpr double kTooltipDelayMs = 1000.0;
    // The tooltip fades in and out over this long.
    static constexpr double kTooltipFadeMs = 250.0;

    simGuiElementManager();
    ~simGuiElementManager() override;

    std::string getClassName() override { return "simGuiElementManager"; }

    // Every element's update, front of the input order first; then raised
    // elements move to the front and the modal dialog is found again.
    void update() override;
    // Shown elements may change by themselves (fades, timers, a caret, the
    // tooltip): every frame is drawn while any is listed for drawing.
    bool isAnimating() override { return !m_drawList.empty(); }
    // A mouse move restarts the mouse-still stopwatch; a mouse-button event
    // gives the focus to the frontmost element under it that takes focus;
    // then every element gets the event, front first, except those behind
    // the modal dialog and modal elements of other forms. Elements that act
    // on an event set the application's event-consumed flag.
    void onEvent(simInputEvent* event) override;
    // The GUI pass: the renderer's GUI states, every element in drawing order
    // (modal elements of other forms left out while a dialog is modal), the
    // tooltip, the states put back. Called by the frame render.
    void render();

    // ---- Lists (by the elements' constructors and destructors)
    void addElement(simGuiElement* element);
    void removeElement(simGuiElement* element);
    // Draws the element last and gives it events first, from the next update.
    void bringToFront(simGuiElement* element);
    // Dialog boxes, in the order they were made.
    void addDialog(simGuiElement* dialog);
    void removeDialog(simGuiElement* dialog);
    // The newest live dialog that asks to be modal becomes `modalDialog`.
    void refreshModalDialog();

    // The element nearest the front of the input order with exactly this name
    // that is not marked for deletion, or null.
    simGuiElement* findElementByName(std::string name);
    // The same, only when it is of the class the caller expects.
    template <class Widget>
    Widget* findElementOf(const std::string& name) {
        return dynamic_cast<Widget*>(findElementByName(name));
    }

    // The font of a font-id name ("simGuiFontId_main" ...; any other text is font 0).
    simFont* getFont(const std::string& fontIdName) const { return fonts[parseFontId(fontIdName)]; }
    static int parseFontId(const std::string& name);
    // The anchor value of a name ("floating" 0 ... "bottomCentre" 13; any other text 0).
    static int parseAnchor(const std::string& name);

    // Asks for the tooltip this frame; honoured once the mouse has rested
    // for more than kTooltipDelayMs.
    void showTooltip(float x, float y, const std::string& text);
    bool isTooltipRequested() const { return m_tooltipRequested; }

    int elementCount() const { return m_elementCount; }

    simGuiElement* modalDialog = nullptr;
    simGuiElement* focusElement = nullptr;
    simGuiElement* editElement = nullptr;  // takes typed text
    simGuiElement* currentDialogForm = nullptr;
    simGuiElement* okElement = nullptr;      // Enter acts on it
    simGuiElement* cancelElement = nullptr;  // Esc acts on it
    std::array<simFont*, kFontCount> fonts{};
    simTextureRef themeTexture;  // the 512 x 512 atlas
    utils::Timer editTimer;              // restarted when the edit element goes

private:
    bool isShutOutByModal(simGuiElement* element) const;
    void giveFocus(const simInputEvent& event);
    void renderTooltip();

    simObjectList<simGuiElement> m_drawList;
    simObjectList<simGuiElement> m_eventList;  // newest first: walked from its back
    simObjectList<simGuiElement> m_raiseList;
    simObjectList<simGuiElement> m_dialogList;
    int m_elementCount = 0;

    std::string m_tooltipText;
    float m_tooltipX = 0.0f, m_tooltipY = 0.0f;
    utils::Timer m_tooltipClock;
    utils::Timer m_tooltipFade;
    utils::Timer m_mouseStillTimer;
    double m_tooltipLastRequest = -1e9;  // tooltip-clock ms of the last request
    bool m_tooltipRequested = false;
};
