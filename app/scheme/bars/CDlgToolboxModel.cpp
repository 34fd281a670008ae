#include "app/scheme/bars/CDlgToolboxModel.h"

#include "app/shell/tbToolState.h"

namespace bars {

// The mirror's button shows the mirror's name: a caption naming another tool
// would send the user to the wrong button.
const std::array<ToolboxButton, 7> ToolboxModel::kToolButtons = {{
    {1062, tbToolButton::brush, 0, "Brush"},
    {1067, tbToolButton::shape, 1, "Shape"},
    {1063, tbToolButton::floodFill, 2, "Flood"},
    {1068, tbToolButton::projectImage, 5, "Project Image"},
    {1069, tbToolButton::text, 6, "Text"},
    {1070, tbToolButton::mirror, 7, "Mirror"},
    {1066, tbToolButton::colourPicker, 4, "Colour Picker"},
}};

const ToolboxButton* ToolboxModel::buttonOfId(int id) {
    for (const ToolboxButton& b : kToolButtons)
        if (b.id == id) return &b;
    return nullptr;
}

const ToolboxButton* ToolboxModel::buttonOf(tbToolButton button) {
    for (const ToolboxButton& b : kToolButtons)
        if (b.button == button) return &b;
    return nullptr;
}

void ToolboxModel::toolClicked(int id) {
    if (const ToolboxButton* button = buttonOfId(id)) tools_.setTool(button->tool);
}

void ToolboxModel::pickedMain(const simColour& colour) { tools_.setMainColour(colour); }
void ToolboxModel::pickedSecond(const simColour& colour) { tools_.setSecondColour(colour); }

void ToolboxModel::swapColours() {
    const simColour main = tools_.mainColour();
    tools_.setMainColour(tools_.secondColour());
    tools_.setSecondColour(main);
}

void ToolboxModel::resetColours() {
    simColour white;
    white.red = white.green = white.blue = 255;
    tools_.setMainColour(white);
    tools_.setSecondColour(simColour());  // opaque black
}

void ToolboxModel::resetCurrentTool() const {
    const auto found = resets_.find(tools_.tool());
    if (found != resets_.end() && found->second) found->second();
}

}  // namespace bars
