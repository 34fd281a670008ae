// simGuiSlider: a horizontal slider. A thin track, a thumb dragged along it,
// optional division marks (dragging then snaps to them) with labels under
// them, and optional value text with units. The value is the element's datum
// in [rangeLow, rangeHigh]; every user change (drag move, wheel notch while
// focused) calls the global function "changeFunction" with (name, value);
// a script's own set-data calls nothing.
//
// Division counts come from script text: positive counts are kept within
// 2..min(width + 1, 1000) and marks are placed in floating point; 0 or less
// removes the marks and labels. A range of no width puts the thumb at the
// left end and a drag reports the low value.
#pragma once

#include <string>
#include <vector>

#include "engine/graphics/simDrawRecords.h"
#include "engine/gui/simGuiElement.h"

class simGuiSlider : public simGuiElement {
public:
    enum DragState : int32_t { idle = 0, overThumb = 1, dragging = 2 };
    static constexpr int32_t kMaxDivisions = 1000;

    simGuiSlider(std::string name, int32_t x, int32_t y, int32_t width, int32_t height, std::string changeFunction);

    std::string getTypeName() override { return "simGuiSlider"; }
    void render() override;
    // The value from decimal text, not clamped.
    void setText(std::string text) override;
    // The value formatted for the range: two decimals up to 1, one up to 10,
    // else a whole number.
    std::string getText() override;
    // "rangeLow", "rangeHigh", "unitsText"/"units", "showCurrentValue",
    // "showDivisions", "divisions", "divisionLabel" ("index:text"); the
    // element's keys do not reach it.
    void readAttributes(const std::string& key, const std::string& value) override;
    float getValue() override { return static_cast<float>(m_dragState); }
    void fireChange() override;
    void onEvent(simInputEvent* event) override;

    void setDivisions(int32_t count);
    void setDivisionLabel(int32_t index, std::string text);
    int32_t getDivisions() const { return m_divisions; }
    const std::vector<std::string>& getDivisionLabels() const { return m_divisionLabels; }
    float getThumbX();

private:
    float range() const { return m_rangeHigh - m_rangeLow; }
    // Screen x of division mark i.
    float divisionX(int32_t i);
    void buildGeometry(uint32_t alpha, std::vector<simScreenRect>& out);

    std::string m_changeFunction;
    int32_t m_dragState = idle;
    std::string m_units;
    std::vector<std::string> m_divisionLabels;
    float m_rangeLow = 0.0f;
    float m_rangeHigh = 100.0f;
    int32_t m_divisions = 100;
    bool m_showDivisions = false;
    bool m_showCurrentValue = false;
};
