#include "engine/gui/simGuiRadioButton.h"

#include "engine/core/simColour.h"
#include "engine/core/simGlobals.h"
#include "engine/gui/simGuiCanvas.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/gui/simGuiScriptCall.h"
#include "engine/gui/simGuiSkin.h"

simGuiRadioButton::simGuiRadioButton(std::string name, simGuiRadioButtonGroup* group, int32_t x, int32_t y,
                                     int32_t width, int32_t height, std::string text, std::string onClick)
    : simGuiCheckBox(std::move(name), x, y, width, height, std::move(text), std::move(onClick)), m_group(group) {
    if (m_group) m_group->m_members.push_back(this);
}

simGuiRadioButton::~simGuiRadioButton() {
    if (m_group) m_group->m_members.remove(this);
}

simGuiRadioButtonGroup::~simGuiRadioButtonGroup() {
    for (simGuiRadioButton* member : m_members)
        if (member->m_group == this) member->m_group = nullptr;
    m_members.clear();
}

void simGuiRadioButtonGroup::select(simGuiRadioButton* chosen) {
    for (simGuiRadioButton* member : m_members)
        if (member != chosen) member->setData(0.0f);
    simGuiRunCallback(getClassName(), m_changeFunction, {m_name, chosen ? chosen->getName() : std::string()},
                      simGuiScriptFallback::runAsText);
}

void simGuiRadioButton::onRelease() {
    if (m_data != 0.0f) return;
    m_data = 1.0f;
    fireChange();
}

void simGuiRadioButton::fireChange() {
    if (m_group) m_group->select(this);
    simGuiRunCallback(getClassName(), m_changeFunction, {m_name, static_cast<double>(m_data)},
                      simGuiScriptFallback::runAsText);
}

void simGuiRadioButton::buildGeometry(float opacity, std::vector<simScreenRect>& out) {
    const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
    const uint32_t a = static_cast<uint32_t>(opacity * 255.0f);
    const uint32_t circleAlpha = m_enabled ? a : static_cast<uint32_t>(opacity * 125.0f);
    out.push_back(atlasPiece(x, y, x + kCircleSize, y + kCircleSize, circleAlpha << 24 | 0xFFFFFFu, 192, 128, 210, 146));
    if (m_enabled) {
        const int32_t intensity = highlightIntensity(false);
        if (intensity > 0) {
            const float u = m_state == pressed ? 256.0f : 224.0f;
            const uint32_t alpha = static_cast<uint32_t>(opacity * static_cast<float>(intensity));
            out.push_back(atlasPiece(x, y, x + kCircleSize, y + kCircleSize, alpha << 24 | 0xFFFFFFu, u, 128, u + 18, 146));
        }
    }
    if (m_data != 0.0f) out.push_back(atlasPiece(x + 6, y + 6, x + 12, y + 12, a << 24 | 0xFFFFFFu, 288, 128, 294, 134));
}

void simGuiRadioButton::render() {
    if (!m_visible) return;
    simGuiCanvas& canvas = simGuiCanvas::current();
    const float opacity = getAlpha();
    const int32_t a = static_cast<int32_t>(opacity * 255.0f);
    const float x = static_cast<float>(getX()), y = static_cast<float>(getY());
    const float w = static_cast<float>(getWidth()), h = static_cast<float>(getHeight());
    if (m_image) {
        // A square of the element's width, centred vertically.
        const uint32_t alpha = m_state == normal && m_data == 0.0f ? 100u : 255u;
        const d3dx::Vector2 corners[4] = {
            {x, y + h * 0.5f - w * 0.5f}, {x + w, y + h * 0.5f - w * 0.5f}, {x + w, y + h * 0.5f + w * 0.5f},
            {x, y + h * 0.5f + w * 0.5f}};
        const d3dx::Vector2 uvs[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        canvas.drawQuadUV(corners, alpha << 24 | 0xFFFFFFu, m_image, uvs);
    } else if (g_guiElementManager && g_guiElementManager->themeTexture) {
        std::vector<simScreenRect> pieces;
        buildGeometry(opacity, pieces);
        canvas.drawRects(pieces, g_guiElementManager->themeTexture);
    }
    if (!m_text.empty() && m_font) {
        const d3dx::Vector2 size = canvas.measureText(m_font, m_text);
        simColour ink;
        ink.set(a, 0, 0, 0);
        canvas.drawText(m_font, m_text, x + kCaptionOffset, static_cast<float>(static_cast<int32_t>(y + h * 0.5f - size.y * 0.5f)),
                        ink, false);
    }
    simGuiElement::render();
}
