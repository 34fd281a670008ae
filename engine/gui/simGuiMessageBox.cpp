#include "engine/gui/simGuiMessageBox.h"

#include <algorithm>

#include "engine/core/simGlobals.h"
#include "engine/gui/simGuiButton.h"
#include "engine/gui/simGuiCanvas.h"
#include "engine/gui/simGuiDialogBox.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/gui/simGuiLabel.h"

namespace {

// The message's band: from under the title strip to the button's top.
constexpr int32_t kMessageTop = 35, kButtonTop = 67;

}  // namespace

void simGuiMakeMessageBox(const std::string& name, int32_t x, int32_t y, int32_t width, int32_t height,
                          const std::string& title, const std::string& message, const std::string& caption,
                          const std::string& onClick) {
    auto* dialog = new simGuiDialogBox(name, x, y, width, height, title, "centre", nullptr);
    // The label spans the box, so its centred text sits on the box's middle
    // (x + width / 2), in the band above the button.
    auto* label =
        new simGuiLabel(name + "_label", x, y + kMessageTop, width, kButtonTop - kMessageTop, "consoleFont", message,
                        "centre");
    dialog->addChild(label);
    // The button is sized around its caption in the font buttons draw with,
    // and centred on the box's middle too.
    simFont* font = g_guiElementManager ? g_guiElementManager->fonts[0] : nullptr;
    const float captionWidth = simGuiCanvas::current().measureText(font, caption).x;
    const int32_t buttonWidth =
        std::max(static_cast<int32_t>(captionWidth) + 2 * kGuiMessageBoxButtonPadding, kGuiMessageBoxButtonMinWidth);
    const float middle = static_cast<float>(x) + static_cast<float>(width) * 0.5f;
    auto* button = new simGuiButton(name + "_button", static_cast<int32_t>(middle - static_cast<float>(buttonWidth) * 0.5f),
                                    y + kButtonTop, buttonWidth, kGuiMessageBoxButtonHeight, caption, onClick);
    dialog->addChild(button);
}
