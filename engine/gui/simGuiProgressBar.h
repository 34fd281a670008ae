// simGuiProgressBar: a fraction 0..1 (the element's datum) shown as a filled
// bar from the theme atlas, horizontal when wider than tall, else vertical
// (filling from the bottom), with optional tick marks at the quarters.
//
// A scrubbable bar reports the fraction under the pointer while the user
// drags along it with the left button (a drag that began on the bar) to its
// "onScrubFunction": a global function called with the bar's name and the
// fraction, or else script text. The bar's own value is not changed by it.
#pragma once

#include <string>
#include <vector>

#include "engine/graphics/simDrawRecords.h"
#include "engine/gui/simGuiElement.h"

class simGuiProgressBar : public simGuiElement {
public:
    // Length of the rounded caps at either end, in pixels.
    static constexpr int32_t kCap = 8;

    simGuiProgressBar(std::string name, int32_t x, int32_t y, int32_t width, int32_t height)
        : simGuiElement(std::move(name), x, y, width, height) {}

    std::string getTypeName() override { return "simGuiProgressBar"; }
    // "scrubbable" ("true" or off), "onScrubFunction", "positionMarkers" (a number, not 0).
    void readAttributes(const std::string& key, const std::string& value) override;
    void onEvent(simInputEvent* event) override;
    // Clamps the value to 0..1 (kept) and draws the track, the fill and the marks.
    void render() override;

    // The pieces of the bar for the value `fraction` at opacity `alpha` (0..1).
    void buildGeometry(float fraction, float alpha, std::vector<simScreenRect>& out);

    bool isScrubbable() const { return m_scrubbable; }

private:
    bool m_scrubbable = false;
    bool m_positionMarkers = false;
    std::string m_onScrubFunction;
};
