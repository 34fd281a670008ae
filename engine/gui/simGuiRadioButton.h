// simGuiRadioButton and simGuiRadioButtonGroup: 18 x 18 circular option
// buttons with their caption to the right, tied together by an invisible
// group so that selecting one clears the others.
//
// A radio button keeps its selection in the element's datum (1 selected).
// Hover and clicks follow the check box; a click on an unselected button
// selects it: the group clears every other member (without reporting them),
// calls its change function with (group name, button name), then the
// button's own action gets (button name, 1). Clicking a selected button does
// nothing. Group and members do not own each other: whichever goes first
// unlinks itself from the other.
#pragma once

#include <list>
#include <string>
#include <vector>

#include "engine/gui/simGuiCheckBox.h"

class simGuiRadioButtonGroup;

class simGuiRadioButton : public simGuiCheckBox {
public:
    static constexpr float kCircleSize = 18.0f;
    // Captions start this far right of the element's left edge.
    static constexpr float kCaptionOffset = 22.0f;

    simGuiRadioButton(std::string name, simGuiRadioButtonGroup* group, int32_t x, int32_t y, int32_t width,
                      int32_t height, std::string text, std::string onClick);
    ~simGuiRadioButton() override;

    std::string getTypeName() override { return "simGuiRadioButton"; }
    void render() override;
    // Selects in the group, then runs the action with (name, value).
    void fireChange() override;

    simGuiRadioButtonGroup* getGroup() const { return m_group; }

protected:
    void onRelease() override;
    void buildGeometry(float alpha, std::vector<simScreenRect>& out) override;

private:
    friend class simGuiRadioButtonGroup;
    simGuiRadioButtonGroup* m_group;
};

class simGuiRadioButtonGroup : public simGuiElement {
public:
    simGuiRadioButtonGroup(std::string name, std::string changeFunction)
        : simGuiElement(std::move(name), 0, 0, 0, 0), m_changeFunction(std::move(changeFunction)) {}
    ~simGuiRadioButtonGroup() override;

    std::string getTypeName() override { return "simGuiRadioButtonGroup"; }
    // The group draws nothing, not even a tooltip.
    void render() override {}

    // Clears every other member, then reports the choice.
    void select(simGuiRadioButton* chosen);
    const std::list<simGuiRadioButton*>& getMembers() const { return m_members; }

private:
    friend class simGuiRadioButton;
    std::string m_changeFunction;
    std::list<simGuiRadioButton*> m_members;  // in the order they were made
};
