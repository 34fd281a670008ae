// The dialog box's drawing: the modal shade, the frame of its style, the
// title with its icon, the divider band and the resize handles.
#include <algorithm>
#include <vector>

#include "engine/core/simColour.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simTexture.h"
#include "engine/graphics/simWindow.h"
#include "engine/gui/simGuiCanvas.h"
#include "engine/gui/simGuiDialogBox.h"
#include "engine/gui/simGuiElementManager.h"
#include "engine/gui/simGuiSkin.h"

namespace {

constexpr int kDialogTitleFont = 2;  // simGuiFontId_dialogTitle
// The modal shade darkens the view up to this alpha (of 255).
constexpr double kShadeAlpha = 100.0;

simColour white(uint32_t alpha) {
    simColour colour;
    colour.set(static_cast<int32_t>(alpha), 255, 255, 255);
    return colour;
}

simFont* titleFont() { return g_guiElementManager ? g_guiElementManager->fonts[kDialogTitleFont] : nullptr; }

// A handle's screen rectangle relative to the dialog: corners as fractions
// of its width and height plus pixels, and its atlas pixels.
struct HandlePiece {
    float fx1, px1, fy1, py1, fx2, px2, fy2, py2;
    float ax1, ay1, ax2, ay2;
};
constexpr HandlePiece kHandles[simGuiDialogBox::kZoneCount] = {
    {0, -10, 0, -10, 0, 14, 0, 14, 451, 56, 475, 80},              // top-left
    {0.5f, -6, 0, -16, 0.5f, 6, 0, 17, 491, 32, 503, 65},          // top
    {1, -14, 0, -10, 1, 10, 0, 14, 476, 65, 500, 89},              // top-right
    {0, -16, 0.5f, -6, 0, 17, 0.5f, 6, 448, 41, 481, 53},          // left
    {1, -17, 0.5f, -6, 1, 16, 0.5f, 6, 448, 41, 481, 53},          // right
    {0, -10, 1, -14, 0, 14, 1, 10, 476, 65, 500, 89},              // bottom-left
    {0.5f, -6, 1, -17, 0.5f, 6, 1, 16, 491, 32, 503, 65},          // bottom
    {1, -14, 1, -14, 1, 10, 1, 10, 451, 56, 475, 80},              // bottom-right
};

}  // namespace

simGuiDialogBox::Frame simGuiDialogBox::frame() {
    return {static_cast<float>(getX()), static_cast<float>(getY()), static_cast<float>(m_width),
            static_cast<float>(m_height)};
}

void simGuiDialogBox::render() {
    if (!m_visible) return;
    placeByAnchor();
    keepInView();
    simGuiElement::render();
    if (m_style == invisible) return;
    simGuiCanvas& canvas = simGuiCanvas::current();
    const uint32_t alpha = static_cast<uint32_t>(getAlpha() * 255.0f);

    if (m_dialogModal && !m_fadingIn && !m_fadingOut && !isMarkedForDeletion() && g_graphics &&
        g_graphics->getWindow()) {
        const double shade = std::min(m_appearTimer.getElapsed() / kAppearMs, 1.0) * kShadeAlpha;
        canvas.drawRect({0, 0},
                        {g_graphics->getWindow()->getBackBufferWidth(), g_graphics->getWindow()->getBackBufferHeight()},
                        static_cast<uint32_t>(shade) << 24);
    }

    const Frame f = frame();
    uint32_t frameStyle = 0;
    float topRow = 0.0f;
    if (m_style == minimumTitleBar) topRow = 100.0f;
    if (m_style == noTitleBar) frameStyle = 2;
    if (m_style == widget) frameStyle = 6;
    drawFrame(f.x, f.y, f.x + f.w, f.y + f.h, frameStyle, white(alpha), topRow);

    if (m_style == titleBar || m_style == minimumTitleBar || m_style == divider) renderTitle(f, alpha);
    if (m_style == widget) renderWidgetTitle(f, alpha);
    if (m_style == divider) renderDivider(f, alpha);
    if (m_resizable) renderResizeHandles(f);
}

void simGuiDialogBox::renderTitle(const Frame& f, uint32_t alpha) {
    simFont* font = titleFont();
    if (!font) return;
    simGuiCanvas& canvas = simGuiCanvas::current();
    float textX = f.x + 12.0f;
    if (m_icon) {
        const float s = static_cast<float>(std::min(m_icon->getWidth(), 20));
        canvas.drawRects({simScreenRect({f.x + 5.0f, f.y + 13.0f - s / 2.0f}, {f.x + 5.0f + s, f.y + 13.0f + s / 2.0f},
                                        alpha << 24 | 0xFFFFFFu, {0, 0}, {1, 1})},
                         m_icon);
        textX = f.x + s + 8.0f;
    }
    canvas.drawText(font, m_title, textX, f.y + 6.0f, white(alpha), false);
}

// The title centred at the top with a rule under it.
void simGuiDialogBox::renderWidgetTitle(const Frame& f, uint32_t alpha) {
    simFont* font = titleFont();
    if (m_title.empty() || !font) return;
    simGuiCanvas& canvas = simGuiCanvas::current();
    const d3dx::Vector2 size = canvas.measureText(font, m_title);
    canvas.drawText(font, m_title, static_cast<float>(static_cast<int32_t>(f.x + f.w * 0.5f - size.x * 0.5f)),
                    f.y + 5.0f, white(alpha), false);
    const float ruleY = f.y + size.y + 10.0f;
    canvas.drawRect({f.x + 5.0f, ruleY}, {f.x + f.w - 7.0f, ruleY + 1.0f}, 0xFFFFFFFFu);
}

// A band 64 pixels high along the bottom edge: two ends and a stretched middle.
void simGuiDialogBox::renderDivider(const Frame& f, uint32_t alpha) {
    if (!g_guiElementManager || !g_guiElementManager->themeTexture) return;
    const uint32_t colour = alpha << 24 | 0xFFFFFFu;
    const float top = f.y + f.h - 64.0f, bottom = f.y + f.h;
    const std::vector<simScreenRect> pieces = {
        atlasPiece(f.x, top, f.x + 16.0f, bottom, colour, 96, 0, 112, 64),
        atlasPiece(f.x + 16.0f, top, f.x + f.w - 16.0f, bottom, colour, 112, 0, 176, 64),
        atlasPiece(f.x + f.w - 16.0f, top, f.x + f.w, bottom, colour, 176, 0, 192, 64),
    };
    simGuiCanvas::current().drawRects(pieces, g_guiElementManager->themeTexture);
}

void simGuiDialogBox::renderResizeHandles(const Frame& f) {
    if (!g_guiElementManager || !g_guiElementManager->themeTexture) return;
    std::vector<simScreenRect> pieces;
    for (int zone = 0; zone < kZoneCount; ++zone) {
        if (m_resizeZone[zone] == idle) continue;
        const HandlePiece& p = kHandles[zone];
        pieces.push_back(atlasPiece(f.x + f.w * p.fx1 + p.px1, f.y + f.h * p.fy1 + p.py1, f.x + f.w * p.fx2 + p.px2,
                                    f.y + f.h * p.fy2 + p.py2, 0xFFFFFFFFu, p.ax1, p.ay1, p.ax2, p.ay2));
    }
    if (!pieces.empty()) simGuiCanvas::current().drawRects(pieces, g_guiElementManager->themeTexture);
}
