// simGuiCustomButton: a button whose look comes from the script: three
// textures (normal, hover, pressed; the theme atlas at first), each shown
// through a UV rectangle of its own over the whole element, with an optional
// centred image and a caption in the element's colour. It clicks as the push
// button does, with these differences: hover follows mouse moves only,
// tested strictly against a hit rectangle of its own; it has no quiet time of
// its own age (clicks and keys still wait 250 ms after it was made); Enter
// and Esc act on their release alone; script text run as its action is
// logged first ("onChange: <text>").
//
// Its property keys are only "image" and the twelve "buttonUVs<state>_<x|y|X|Y>"
// (texture coordinates); the element's keys do not reach it.
#pragma once

#include <array>
#include <string>

#include "engine/gui/simGuiButton.h"

class simGuiCustomButton : public simGuiButton {
public:
    // UV rectangle of a state: first corner (x, y), opposite corner (X, Y).
    struct UvRect {
        float x, y, X, Y;
    };

    simGuiCustomButton(std::string name, int32_t x, int32_t y, int32_t width, int32_t height, std::string text,
                       std::string onClick);

    void render() override;
    bool isMouseOver() override;
    void readAttributes(const std::string& key, const std::string& value) override;
    void fireChange() override;
    void enable() override;
    void setVisible(bool visible) override;
    void onEvent(simInputEvent* event) override;

    void setStateTexture(uint32_t state, simTexture* texture) { m_stateTextures[state % 3] = texture; }
    void setStateUVs(uint32_t state, UvRect uvs) { m_stateUVs[state % 3] = uvs; }
    const UvRect& getStateUVs(uint32_t state) const { return m_stateUVs[state % 3]; }
    // Relative to the element's position.
    void setHitRect(float x0, float y0, float x1, float y1) { m_hitRect = {x0, y0, x1, y1}; }

private:
    void drawState(uint32_t state, uint32_t alpha);

    std::array<simTextureRef, 3> m_stateTextures{};
    std::array<UvRect, 3> m_stateUVs{};
    std::array<float, 4> m_hitRect{};
};
