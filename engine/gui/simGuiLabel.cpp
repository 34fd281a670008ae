#include "engine/gui/simGuiLabel.h"

#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simFont.h"
#include "engine/gui/simGuiCanvas.h"
#include "engine/gui/simGuiElementManager.h"

simGuiLabel::simGuiLabel(std::string name, int32_t x, int32_t y, int32_t width, int32_t height,
                         const std::string& fontName, std::string text, std::string alignment)
    : simGuiElement(std::move(name), x, y, width, height), m_text(std::move(text)), m_alignment(std::move(alignment)) {
    if (fontName.empty()) return;
    simFont* font = g_guiElementManager ? g_guiElementManager->getFont(fontName) : nullptr;
    if (!font && g_resources) font = dynamic_cast<simFont*>(simResources::getResource(fontName, false));
    if (font) m_font = font;
}

void simGuiLabel::render() {
    if (!m_visible || !m_font) return;
    simGuiElement::render();
    simGuiCanvas& canvas = simGuiCanvas::current();
    const d3dx::Vector2 size = canvas.measureText(m_font, m_text);
    const int32_t x = getX(), y = getY();
    const int32_t top = m_height < 1 ? y
                                     : static_cast<int32_t>(static_cast<float>(y) + static_cast<float>(m_height) * 0.5f -
                                                            size.y * 0.5f);
    simColour colour = m_textColour;
    colour.alpha = static_cast<int32_t>(getAlpha() * static_cast<float>(m_textColour.alpha));
    if (!m_enabled) colour.alpha /= 2;
    if (m_alignment == "centre") {
        canvas.drawText(m_font, m_text, static_cast<float>(static_cast<int32_t>(x + m_width * 0.5f)),
                        static_cast<float>(static_cast<int32_t>(y + m_height * 0.5f)), colour, true);
    } else if (m_alignment == "left") {
        canvas.drawText(m_font, m_text, static_cast<float>(x + 5), static_cast<float>(top), colour, false);
    } else if (m_alignment == "right") {
        canvas.drawText(m_font, m_text, static_cast<float>(x + m_width) - size.x, static_cast<float>(top), colour,
                        false);
    } else if (m_alignment == "topleft") {
        canvas.drawText(m_font, m_text, static_cast<float>(x + 5), static_cast<float>(y + 2), colour, false);
    }
}
