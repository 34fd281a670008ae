// simGuiLabel: a line of static text in its own colour, aligned in its
// rectangle ("centre", "left", "right" or "topleft"; any other alignment
// draws nothing). It takes no input of its own. Setting its colour sets the
// text colour (opaque black at first); a disabled label draws at half alpha.
#pragma once

#include <string>

#include "engine/gui/simGuiElement.h"

class simGuiLabel : public simGuiElement {
public:
    // The font is the manager's font of that id name, else the loaded font
    // resource of that name, else the element's default font.
    simGuiLabel(std::string name, int32_t x, int32_t y, int32_t width, int32_t height, const std::string& fontName,
                std::string text, std::string alignment);

    std::string getTypeName() override { return "simGuiLabel"; }
    void render() override;
    void setText(std::string text) override { m_text = std::move(text); }
    std::string getText() override { return m_text; }
    void setColour(const simColour& colour) override { m_textColour = colour; }
    const simColour& getTextColour() const { return m_textColour; }

private:
    std::string m_text;
    std::string m_alignment;
    simColour m_textColour;  // opaque black
};
