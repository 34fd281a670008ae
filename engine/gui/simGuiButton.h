// simGuiButton: the push button. A skinned frame with a centred caption and
// an optional centred image, a hover highlight that fades in and out over
// 150 ms, a pressed look, and an action (a global function called with the
// button's name, or script text) run when the user clicks it or, when it is
// the manager's OK or cancel element, releases Enter or Esc after pressing
// it. It ignores input for its first 250 ms.
//
// `state` is 0 normal, 1 hover, 2 pressed. A release runs the action
// wherever the mouse is while the button is hovered or pressed, once per
// press.
#pragma once

#include <string>
#include <vector>

#include "engine/graphics/simDrawRecords.h"
#include "engine/graphics/simTextureRef.h"
#include "engine/gui/simGuiElement.h"

class simTexture;

class simGuiButton : public simGuiElement {
public:
    enum State : uint32_t { normal = 0, hover = 1, pressed = 2 };
    // The highlight fades over this long; input is ignored for kQuietMs.
    static constexpr double kHighlightMs = 150.0;
    static constexpr double kQuietMs = 250.0;
    static constexpr uint32_t kEnter = 13, kEscape = 27;

    simGuiButton(std::string name, int32_t x, int32_t y, int32_t width, int32_t height, std::string text,
                 std::string onClick);

    std::string getTypeName() override { return "simGuiButton"; }
    void render() override;
    void setText(std::string text) override { m_text = std::move(text); }
    std::string getText() override { return m_text; }
    // "image": a loaded texture resource of that name (null when none).
    void readAttributes(const std::string& key, const std::string& value) override;
    float getValue() override { return static_cast<float>(m_state); }
    // Runs the action.
    void fireChange() override;
    void enable() override;
    void setVisible(bool visible) override;
    void onEvent(simInputEvent* event) override;

    uint32_t getState() const { return m_state; }
    simTexture* getImage() const { return m_image; }
    void replaceImage(const simTexture* old, simTexture* replacement) {
        if (m_image == old) m_image = replacement;
    }

protected:
    // For buttons that make their own hover test at construction (the
    // custom button's takes no event).
    struct OwnHoverTest {};
    simGuiButton(std::string name, int32_t x, int32_t y, int32_t width, int32_t height, std::string text,
                 std::string onClick, OwnHoverTest);

    // The click step shared with the custom button: a left press on a hovered
    // or pressed button presses it; the release runs the action once.
    void handleClick(const simInputEvent& event);
    // The frame and highlight pieces at opacity `alpha` (0..1).
    void buildGeometry(float alpha, std::vector<simScreenRect>& out);
    bool isMouseStrictlyInside();

    simTextureRef m_image;
    std::string m_text;
    uint32_t m_state = normal;
    bool m_clickDone = false;
    bool m_enterArmed = false;
    bool m_escapeArmed = false;
    std::string m_onClick;

private:
    void onKey(const simInputEvent& event);
};
