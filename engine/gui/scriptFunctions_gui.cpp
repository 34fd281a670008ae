// Script functions that find GUI elements by name and read or change them,
// and the functions that create widgets.
//
// Every function reads its fixed number of arguments through its host (a
// missing or mistyped one is reported by the reader and reads as "" or 0),
// then finds the element by name. A name that no element has makes setters do
// nothing and getters give their neutral value ("" or 0), never nil.
//
// Found elements are checked for their class before any widget operation: a
// function given an element of another class changes nothing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/core/scriptFunctions.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simTexture.h"
#include "engine/gui/simGuiButton.h"
#include "engine/gui/simGuiCheckBox.h"
#include "engine/gui/simGuiComboBox.h"
#include "engine/gui/simGuiCustomButton.h"
#include "engine/gui/simGuiDialogBox.h"
#include "engine/gui/simGuiEditBox.h"
#include "engine/gui/simGuiElement.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/gui/simGuiGroupFrame.h"
#include "engine/gui/simGuiImage.h"
#include "engine/gui/simGuiLabel.h"
#include "engine/gui/simGuiListBox.h"
#include "engine/gui/simGuiMessageBox.h"
#include "engine/gui/simGuiProgressBar.h"
#include "engine/gui/simGuiRadioButton.h"
#include "engine/gui/simGuiSkin.h"
#include "engine/gui/simGuiSlider.h"
#include "engine/gui/simGuiTable.h"
#include "engine/gui/simGuiTextBox.h"
#include "engine/gui/simGuiTreeViewBox.h"
#include "engine/gui/simGuiWheel.h"

namespace {

// The arguments of one call, read by a signature of 's' (text) and 'n'
// (number) per argument, in Lua order.
struct Arguments {
    std::vector<std::string> texts;
    std::vector<double> numbers;

    const std::string& text(size_t i) const { return texts[i]; }
    double number(size_t i) const { return numbers[i]; }
};

Arguments readArguments(simScriptManager& host, std::string_view signature) {
    Arguments arguments;
    const auto count = static_cast<uint32_t>(signature.size());
    arguments.texts.resize(signature.size());
    arguments.numbers.resize(signature.size(), 0.0);
    for (uint32_t i = 0; i < count; ++i) {
        if (signature[i] == 's') {
            arguments.texts[i] = host.getString(i, count);
        } else {
            arguments.numbers[i] = host.getNumber(i, count);
        }
    }
    return arguments;
}

simGuiElement* findElement(const std::string& name) {
    return g_guiElementManager ? g_guiElementManager->findElementByName(name) : nullptr;
}

// Reads the arguments and hands the element named by the first one (or
// null) to `act`; returns what `act` returns (the number of results).
template <typename Act>
int withElement(lua_State* state, std::string_view signature, Act act) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    const Arguments arguments = readArguments(*host, signature);
    return act(*host, findElement(arguments.text(0)), arguments);
}

// Script numbers meant as integers, truncated toward zero; numbers beyond
// the integer range saturate (a script's huge or NaN number must not be
// undefined behaviour).
int32_t toInt(double value) {
    if (!(value == value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(value);
}

// A creation function: reads its arguments and, with a manager to join,
// hands them to `make` (which makes the widget); returns no results.
template <typename Make>
int createWidget(lua_State* state, std::string_view signature, Make make) {
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    const Arguments arguments = readArguments(*host, signature);
    if (g_guiElementManager) make(arguments);
    return 0;
}

}  // namespace

int gui_setCurrentDialogForm(lua_State* state) {
    return withElement(state, "s", [](simScriptManager&, simGuiElement* element, const Arguments&) {
        if (g_guiElementManager) g_guiElementManager->currentDialogForm = element;
        return 0;
    });
}

int gui_setOkElement(lua_State* state) {
    return withElement(state, "s", [](simScriptManager&, simGuiElement* element, const Arguments&) {
        if (g_guiElementManager) g_guiElementManager->okElement = element;
        return 0;
    });
}

int gui_setCancelElement(lua_State* state) {
    return withElement(state, "s", [](simScriptManager&, simGuiElement* element, const Arguments&) {
        if (g_guiElementManager) g_guiElementManager->cancelElement = element;
        return 0;
    });
}

int destroyGuiElement(lua_State* state) {
    return withElement(state, "s", [](simScriptManager&, simGuiElement* element, const Arguments&) {
        if (element) element->removeFromCollection();
        return 0;
    });
}

int gui_exists(lua_State* state) {
    return withElement(state, "s", [](simScriptManager& host, simGuiElement* element, const Arguments&) {
        host.pushNumber(element ? 1.0 : 0.0);
        return 1;
    });
}

int gui_setText(lua_State* state) {
    return withElement(state, "ss", [](simScriptManager&, simGuiElement* element, const Arguments& arguments) {
        if (element) element->setText(arguments.text(1));
        return 0;
    });
}

int gui_getText(lua_State* state) {
    return withElement(state, "s", [](simScriptManager& host, simGuiElement* element, const Arguments&) {
        host.pushString(element ? element->getText() : std::string());
        return 1;
    });
}

int gui_setData(lua_State* state) {
    return withElement(state, "sn", [](simScriptManager&, simGuiElement* element, const Arguments& arguments) {
        if (element) element->setData(static_cast<float>(arguments.number(1)));
        return 0;
    });
}

int gui_getData(lua_State* state) {
    return withElement(state, "s", [](simScriptManager& host, simGuiElement* element, const Arguments&) {
        host.pushNumber(element ? element->getData() : 0.0);
        return 1;
    });
}

int gui_setEnabledState(lua_State* state) {
    return withElement(state, "sn", [](simScriptManager&, simGuiElement* element, const Arguments& arguments) {
        if (!element) return 0;
        if (arguments.number(1) != 0.0) {
            element->enable();
        } else {
            element->disable();
        }
        return 0;
    });
}

int gui_getEnabledState(lua_State* state) {
    return withElement(state, "s", [](simScriptManager& host, simGuiElement* element, const Arguments&) {
        host.pushNumber(element && element->isEnabled() ? 1.0 : 0.0);
        return 1;
    });
}

int gui_setVisibleState(lua_State* state) {
    return withElement(state, "sn", [](simScriptManager&, simGuiElement* element, const Arguments& arguments) {
        if (element) element->setVisible(arguments.number(1) != 0.0);
        return 0;
    });
}

int gui_setTooltip(lua_State* state) {
    return withElement(state, "sss", [](simScriptManager&, simGuiElement* element, const Arguments& arguments) {
        if (element) element->setTooltip(arguments.text(1), arguments.text(2));
        return 0;
    });
}

int gui_setAttribute(lua_State* state) {
    return withElement(state, "sss", [](simScriptManager&, simGuiElement* element, const Arguments& arguments) {
        if (element) element->readAttributes(arguments.text(1), arguments.text(2));
        return 0;
    });
}

// Dialog-box functions act only on dialog boxes.
int gui_setDialogBoxAlignmentOffset(lua_State* state) {
    return withElement(state, "snn", [](simScriptManager&, simGuiElement* element, const Arguments& arguments) {
        if (auto* dialog = dynamic_cast<simGuiDialogBox*>(element))
            dialog->setAlignmentOffset(static_cast<float>(arguments.number(1)), static_cast<float>(arguments.number(2)));
        return 0;
    });
}
// "simGuiDialogBoxButton_help" adds the help button; every other kind the exit button.
int gui_addDialogButton(lua_State* state) {
    return withElement(state, "sss", [](simScriptManager&, simGuiElement* element, const Arguments& arguments) {
        if (auto* dialog = dynamic_cast<simGuiDialogBox*>(element))
            dialog->addButton(arguments.text(1) == "simGuiDialogBoxButton_help" ? simGuiDialogBox::helpButton
                                                                               : simGuiDialogBox::exitButton,
                              arguments.text(2));
        return 0;
    });
}
// Only between two existing elements, and only on an edit box.
int gui_setEditBoxTabStopElement(lua_State* state) {
    return withElement(state, "ss", [](simScriptManager&, simGuiElement* element, const Arguments& arguments) {
        auto* box = dynamic_cast<simGuiEditBox*>(element);
        if (box && findElement(arguments.text(1))) box->setNextTabStop(arguments.text(1));
        return 0;
    });
}
int gui_dialogBox_setStyle(lua_State* state) {
    return withElement(state, "ss", [](simScriptManager&, simGuiElement* element, const Arguments& arguments) {
        if (auto* dialog = dynamic_cast<simGuiDialogBox*>(element))
            dialog->setStyle(simGuiDialogBox::parseStyle(arguments.text(1)));
        return 0;
    });
}
// The tree view names its label edit box after itself with an eight-character
// suffix ("_editBox") and this function as the box's change callback.
int simGuiTreeViewBox_onItemLabelEdited(lua_State* state) {
    // The second argument is not read.
    simScriptManager* host = scriptHost(state);
    if (!host) return 0;
    const std::string boxName = host->getString(0, 2);
    simGuiElement* box = findElement(boxName);
    if (!box || boxName.size() < 8 || !g_guiElementManager) return 0;
    auto* tree = g_guiElementManager->findElementOf<simGuiTreeViewBox>(boxName.substr(0, boxName.size() - 8));
    if (tree) tree->onItemLabelEdited(tree->getEditItem(), box->getText());
    return 0;
}
// The line takes the font of the font-id name and the box's colour.
int simGuiTextBox_addLine(lua_State* state) {
    return withElement(state, "sss", [](simScriptManager&, simGuiElement* element, const Arguments& arguments) {
        auto* box = dynamic_cast<simGuiTextBox*>(element);
        if (!box || !g_guiElementManager) return 0;
        simGuiTextBoxLine line;
        line.text = arguments.text(1);
        line.font = g_guiElementManager->getFont(arguments.text(2));
        line.colour = box->getColour();
        box->addLine(std::move(line));
        return 0;
    });
}

// ---- Creation: "rect" is x, y, width, height (numbers).
int createGuiLabel(lua_State* state) {
    return createWidget(state, "snnnnsss", [](const Arguments& a) {
        new simGuiLabel(a.text(0), toInt(a.number(1)), toInt(a.number(2)), toInt(a.number(3)), toInt(a.number(4)),
                        a.text(5), a.text(6), a.text(7));
    });
}

int createGuiGroupFrame(lua_State* state) {
    return createWidget(state, "snnnns", [](const Arguments& a) {
        new simGuiGroupFrame(a.text(0), toInt(a.number(1)), toInt(a.number(2)), toInt(a.number(3)),
                             toInt(a.number(4)), parseFrameStyle(a.text(5)));
    });
}

int createGuiProgressBar(lua_State* state) {
    return createWidget(state, "snnnn", [](const Arguments& a) {
        new simGuiProgressBar(a.text(0), toInt(a.number(1)), toInt(a.number(2)), toInt(a.number(3)),
                              toInt(a.number(4)));
    });
}

int createGuiImage(lua_State* state) {
    return createWidget(state, "snnnns", [](const Arguments& a) {
        simTexture* texture =
            g_resources ? dynamic_cast<simTexture*>(simResources::getResource(a.text(5), false)) : nullptr;
        new simGuiImage(a.text(0), toInt(a.number(1)), toInt(a.number(2)), toInt(a.number(3)), toInt(a.number(4)),
                        texture);
    });
}

int createGuiButton(lua_State* state) {
    return createWidget(state, "snnnnss", [](const Arguments& a) {
        new simGuiButton(a.text(0), toInt(a.number(1)), toInt(a.number(2)), toInt(a.number(3)), toInt(a.number(4)),
                         a.text(5), a.text(6));
    });
}

int createGuiCheckBox(lua_State* state) {
    return createWidget(state, "snnnnss", [](const Arguments& a) {
        new simGuiCheckBox(a.text(0), toInt(a.number(1)), toInt(a.number(2)), toInt(a.number(3)), toInt(a.number(4)),
                           a.text(5), a.text(6));
    });
}

// The group is looked up by name and must be a radio button group.
int createGuiRadioButton(lua_State* state) {
    return createWidget(state, "ssnnnnss", [](const Arguments& a) {
        new simGuiRadioButton(a.text(0), g_guiElementManager->findElementOf<simGuiRadioButtonGroup>(a.text(1)),
                              toInt(a.number(2)), toInt(a.number(3)), toInt(a.number(4)), toInt(a.number(5)),
                              a.text(6), a.text(7));
    });
}

int createGuiRadioButtonGroup(lua_State* state) {
    return createWidget(state, "ss", [](const Arguments& a) { new simGuiRadioButtonGroup(a.text(0), a.text(1)); });
}

int createGuiCustomButton(lua_State* state) {
    return createWidget(state, "snnnnss", [](const Arguments& a) {
        new simGuiCustomButton(a.text(0), toInt(a.number(1)), toInt(a.number(2)), toInt(a.number(3)),
                               toInt(a.number(4)), a.text(5), a.text(6));
    });
}

int createGuiSlider(lua_State* state) {
    return createWidget(state, "snnnns", [](const Arguments& a) {
        new simGuiSlider(a.text(0), toInt(a.number(1)), toInt(a.number(2)), toInt(a.number(3)), toInt(a.number(4)),
                         a.text(5));
    });
}

int createGuiWheel(lua_State* state) {
    return createWidget(state, "snnss", [](const Arguments& a) {
        new simGuiWheel(a.text(0), toInt(a.number(1)), toInt(a.number(2)), a.text(3), a.text(4));
    });
}

int createGuiEditBox(lua_State* state) {
    return createWidget(state, "snnnns", [](const Arguments& a) {
        new simGuiEditBox(a.text(0), toInt(a.number(1)), toInt(a.number(2)), toInt(a.number(3)), toInt(a.number(4)),
                          a.text(5));
    });
}

// The icon is a loaded texture resource of that name, or none.
int createGuiDialogBox(lua_State* state) {
    return createWidget(state, "snnnnsss", [](const Arguments& a) {
        simTexture* icon =
            g_resources ? dynamic_cast<simTexture*>(simResources::getResource(a.text(7), false)) : nullptr;
        new simGuiDialogBox(a.text(0), toInt(a.number(1)), toInt(a.number(2)), toInt(a.number(3)), toInt(a.number(4)),
                            a.text(5), a.text(6), icon);
    });
}
// The two texts are the alignment and the first line.
int createGuiTextBox(lua_State* state) {
    return createWidget(state, "snnnnsss", [](const Arguments& a) {
        new simGuiTextBox(a.text(0), toInt(a.number(1)), toInt(a.number(2)), toInt(a.number(3)), toInt(a.number(4)),
                          a.text(6), g_guiElementManager->getFont(a.text(5)), a.text(7));
    });
}
int createGuiListBox(lua_State* state) {
    return createWidget(state, "snnnnss", [](const Arguments& a) {
        new simGuiListBox(a.text(0), toInt(a.number(1)), toInt(a.number(2)), toInt(a.number(3)), toInt(a.number(4)),
                          a.text(5), a.text(6));
    });
}
int createGuiComboBox(lua_State* state) {
    return createWidget(state, "snnnnssss", [](const Arguments& a) {
        new simGuiComboBox(a.text(0), toInt(a.number(1)), toInt(a.number(2)), toInt(a.number(3)), toInt(a.number(4)),
                           a.text(5), a.text(6), a.text(7), a.text(8));
    });
}
int createGuiTable(lua_State* state) {
    return createWidget(state, "snnnns", [](const Arguments& a) {
        new simGuiTable(a.text(0), toInt(a.number(1)), toInt(a.number(2)), toInt(a.number(3)), toInt(a.number(4)),
                        a.text(5));
    });
}
int createGuiTreeViewBox(lua_State* state) {
    return createWidget(state, "snnnnss", [](const Arguments& a) {
        new simGuiTreeViewBox(a.text(0), toInt(a.number(1)), toInt(a.number(2)), toInt(a.number(3)),
                              toInt(a.number(4)), a.text(5), a.text(6));
    });
}
int createGuiMessageBox(lua_State* state) {
    return createWidget(state, "snnnnssss", [](const Arguments& a) {
        simGuiMakeMessageBox(a.text(0), toInt(a.number(1)), toInt(a.number(2)), toInt(a.number(3)),
                             toInt(a.number(4)), a.text(5), a.text(6), a.text(7), a.text(8));
    });
}
