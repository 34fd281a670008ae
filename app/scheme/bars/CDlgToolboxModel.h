// What the painting toolbox decides, without a window: its tool buttons and
// the tool each chooses, the two paint colours (pick, swap, reset to white
// over black) and the reset of the current tool's settings, which each bar
// that has settings to reset registers.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>

#include "app/shell/tbToolTable.h"
#include "engine/core/simColour.h"

class tbToolState;

namespace bars {

struct ToolboxButton {
    int id;
    tbToolButton button;
    int32_t tool;
    const char* caption;
};

class ToolboxModel {
public:
    enum : int {
        idMainColour = 1061,
        idSecondColour = 1065,
        idSwapColours = 1012,
        idResetColours = 1013,
        idResetTool = 1112,
    };
    static const std::array<ToolboxButton, 7> kToolButtons;

    explicit ToolboxModel(tbToolState& tools) : tools_(tools) {}

    // The button of a control id or of the tool state's button, or null.
    static const ToolboxButton* buttonOfId(int id);
    static const ToolboxButton* buttonOf(tbToolButton button);

    // Chooses the tool of the button `id` (nothing for another id).
    void toolClicked(int id);

    // The colour picker's result for the main or the second colour.
    void pickedMain(const simColour& colour);
    void pickedSecond(const simColour& colour);
    void swapColours();
    // White over black.
    void resetColours();

    // What the reset button does while `tool` is current (replaces any
    // earlier registration); a tool with none resets nothing.
    void setToolReset(int32_t tool, std::function<void()> reset) { resets_[tool] = std::move(reset); }
    void resetCurrentTool() const;

    const tbToolState& tools() const { return tools_; }

private:
    tbToolState& tools_;
    std::map<int32_t, std::function<void()>> resets_;
};

}  // namespace bars
