// simGuiWheel: a 96 x 96 dial turned by pressing on it and moving the mouse
// around its centre. The knob runs along 0.89 of a turn starting 0.349
// radians clockwise from the top; its angle (0..6.283) maps linearly onto
// [rangeMin, rangeMax], the element's datum. Every step of a turn reports
// the value to "callback" (a global function called with (name, value), or
// script text). The dial glows while the pointer is over it and shows the
// value with its units and a caption, in font 3 (simGuiFontId_small).
#pragma once

#include <string>

#include "engine/gui/simGuiElement.h"
#include "platform/d3dx/d3dxMathTypes.h"

class simGuiWheel : public simGuiElement {
public:
    enum WheelState : int32_t { idle = 0, overWheel = 1, turning = 2 };
    static constexpr int32_t kSize = 96;
    static constexpr float kFullTurn = 6.283f;
    static constexpr double kGlowMs = 150.0;

    simGuiWheel(std::string name, int32_t x, int32_t y, std::string text, std::string callback);

    std::string getTypeName() override { return "simGuiWheel"; }
    void render() override;
    // Inside the dial (edges included) or within 10 pixels of the knob.
    bool isMouseOver() override;
    void setText(std::string text) override { m_text = std::move(text); }
    std::string getText() override { return m_text; }
    // Clamped into the range; the knob follows (a range of no width puts it at 0).
    void setData(float value) override;
    // "rangeMin", "rangeMax", "unitsText"; the element's keys do not reach it.
    void readAttributes(const std::string& key, const std::string& value) override;
    // The value from the knob angle, then the callback.
    void fireChange() override;
    void enable() override;
    void setVisible(bool visible) override;
    void onEvent(simInputEvent* event) override;

    float getAngle() const { return m_angle; }
    int32_t getWheelState() const { return m_wheelState; }
    // The knob's screen point.
    d3dx::Vector2 knobPoint();

private:
    d3dx::Vector2 centre();
    // The display angle of the knob (radians clockwise from the top).
    float displayAngle() const;
    // The pointer's angle about the centre: 0 straight above, clockwise.
    float pointerAngle();
    // The glow's alpha 0..255 from the glow stopwatch.
    int32_t glowAlpha() const;

    std::string m_text;
    std::string m_units;
    int32_t m_wheelState = idle;
    float m_previousAngle = 0.0f;
    float m_angleStep = 0.0f;
    float m_angle = 0.0f;
    float m_rangeMin = 0.0f;
    float m_rangeMax = 100.0f;
    std::string m_callback;
};
