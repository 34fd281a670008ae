// The dialog box's title-bar buttons (exit, help, minimise) and its layout
// after a resize.
//
// The buttons are custom buttons named after the dialog, children of it, so
// they follow it as it moves. Like every child they are placed relative to
// the dialog's creation position, whether they are added before or after the
// dialog moved, and put back there after each resize step.
#include "engine/gui/simGuiDialogBox.h"

#include <algorithm>

#include "engine/core/simGlobals.h"
#include "engine/gui/simGuiCustomButton.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/gui/simGuiScriptCall.h"

namespace {

constexpr int32_t kButtonWidth = 64, kButtonHeight = 42;
// Above the dialog's top edge, so that the visible part of the button (its
// hover rectangle) sits in the title strip.
constexpr int32_t kButtonRise = 10;

struct ButtonLook {
    const char* suffix;
    int32_t fromRight;  // the button's left edge this far left of the dialog's right edge
    simGuiCustomButton::UvRect normal, hover, pressed;
};

// Cells of 64 x 42 atlas pixels: exit and minimise in the row y 192-234,
// help in the row y 352-394; normal, hover and pressed side by side.
const ButtonLook& lookOf(int32_t kind) {
    static const ButtonLook kLooks[3] = {
        {"_button_help", 100, {0, 0.6875f, 0.125f, 0.76953125f}, {0.125f, 0.6875f, 0.25f, 0.76953125f},
         {0.25f, 0.6875f, 0.375f, 0.76953125f}},
        {"_button_exit", 64, {0, 0.375f, 0.125f, 0.45703125f}, {0.125f, 0.375f, 0.25f, 0.45703125f},
         {0.25f, 0.375f, 0.375f, 0.45703125f}},
        {"_button_minimise", 124, {0.375f, 0.375f, 0.5f, 0.45703125f}, {0.5f, 0.375f, 0.625f, 0.45703125f},
         {0.625f, 0.375f, 0.75f, 0.45703125f}},
    };
    return kLooks[kind];
}

bool isButtonKind(int32_t kind) {
    return kind == simGuiDialogBox::helpButton || kind == simGuiDialogBox::exitButton ||
           kind == simGuiDialogBox::minimiseButton;
}

// The help button hands its page text to the host's manual function as a
// value: the text never becomes script source, so quotes in it are only text.
class simGuiHelpButton final : public simGuiCustomButton {
public:
    simGuiHelpButton(std::string name, int32_t x, int32_t y, std::string page)
        : simGuiCustomButton(std::move(name), x, y, kButtonWidth, kButtonHeight, "", ""), m_page(std::move(page)) {}

    void fireChange() override {
        simGuiRunCallback(getClassName(), simGuiDialogBox::kHelpFunction, {m_page}, simGuiScriptFallback::none);
    }

private:
    std::string m_page;
};

}  // namespace

simGuiElement* simGuiDialogBox::findButton(int32_t kind) const {
    if (!isButtonKind(kind)) return nullptr;
    simGuiElement* button = m_buttons[static_cast<size_t>(kind)];
    return button && !button->isMarkedForDeletion() ? button : nullptr;
}

void simGuiDialogBox::replaceReference(simGuiElement* old, simGuiElement* replacement) {
    simGuiElement::replaceReference(old, replacement);
    for (simGuiElement*& button : m_buttons)
        if (button == old) button = replacement;
}

void simGuiDialogBox::addButton(int32_t kind, const std::string& text) {
    if (!isButtonKind(kind) || !g_guiElementManager) return;
    // The earlier button of the kind would stay clickable, and run its
    // script after the dialog has gone.
    if (simGuiElement* earlier = findButton(kind)) earlier->removeFromCollection();
    const ButtonLook& look = lookOf(kind);
    const std::string name = m_name + look.suffix;
    const int32_t x = m_creationX + m_width - look.fromRight, y = m_creationY - kButtonRise;
    simGuiCustomButton* button = kind == helpButton
                                     ? new simGuiHelpButton(name, x, y, text)
                                     : new simGuiCustomButton(name, x, y, kButtonWidth, kButtonHeight, "", text);
    m_buttons[static_cast<size_t>(kind)] = button;
    addChild(button);
    button->setHitRect(16, 12, 48, 32);
    button->setStateUVs(simGuiCustomButton::normal, look.normal);
    button->setStateUVs(simGuiCustomButton::hover, look.hover);
    button->setStateUVs(simGuiCustomButton::pressed, look.pressed);
}

void simGuiDialogBox::relayout() {
    m_width = std::max(m_width, 0);
    m_height = std::max(m_height, 0);
    for (int32_t kind : {helpButton, exitButton, minimiseButton}) {
        if (simGuiElement* button = findButton(kind))
            button->moveResize(m_creationX + m_width - lookOf(kind).fromRight, m_creationY - kButtonRise,
                               kKeepCoordinate, kKeepCoordinate, 0.0f);
    }
}
