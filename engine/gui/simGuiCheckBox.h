// simGuiCheckBox: a value of 0 or 1 (the element's datum) toggled by every
// click. Without a caption or image it is a 22 x 22 box at the element's
// top-left corner with a tick while the value is not 0; with one it is a
// toggle button (the push button's frame) whose highlight stays on while the
// value is set. Each click calls the global function "changeFunction" with
// the box's name; a script's own `gui_setData` calls nothing.
#pragma once

#include <string>
#include <vector>

#include "engine/graphics/simDrawRecords.h"
#include "engine/graphics/simTextureRef.h"
#include "engine/gui/simGuiElement.h"

class simTexture;

class simGuiCheckBox : public simGuiElement {
public:
    enum State : uint32_t { normal = 0, hover = 1, pressed = 2 };
    static constexpr double kHighlightMs = 150.0;
    static constexpr float kBoxSize = 22.0f;

    simGuiCheckBox(std::string name, int32_t x, int32_t y, int32_t width, int32_t height, std::string text,
                   std::string changeFunction);

    std::string getTypeName() override { return "simGuiCheckBox"; }
    void render() override;
    void setText(std::string text) override { m_text = std::move(text); }
    std::string getText() override { return m_text; }
    // "image": a loaded texture resource of that name (null when none).
    void readAttributes(const std::string& key, const std::string& value) override;
    float getValue() override { return static_cast<float>(m_state); }
    // Calls the change function with the box's name (only a function: no script text).
    void fireChange() override;
    void setVisible(bool visible) override;
    void onEvent(simInputEvent* event) override;

    uint32_t getState() const { return m_state; }

protected:
    // Toggles the value and reports it; radio buttons select instead.
    virtual void onRelease();
    // The box, highlight and tick pieces at opacity `alpha` (0..1).
    virtual void buildGeometry(float alpha, std::vector<simScreenRect>& out);
    // Highlight strength 0..255 from the widget stopwatch: fading out in the
    // normal state unless `stayLit`, fading in otherwise.
    int32_t highlightIntensity(bool stayLit) const;

    std::string m_text;
    simTextureRef m_image;
    uint32_t m_state = normal;
    std::string m_changeFunction;
};
