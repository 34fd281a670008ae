#include "engine/gui/simGuiSkin.h"

#include <array>
#include <cstdlib>

#include "engine/core/simColour.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simWindow.h"
#include "engine/gui/simGuiCanvas.h"
#include "engine/gui/simGuiElementManager.h"

namespace {

// Where a style's nine cells lie in the atlas: three column and three row
// ranges (pixels), and the corner size on screen.
struct FrameCells {
    std::array<float, 6> columns;  // left x1, x2; middle x1, x2; right x1, x2
    std::array<float, 6> rows;     // top, middle, bottom
    float corner;
};

// The common layout: a region of three by three cells of size c.
constexpr FrameCells squareCells(float x, float y, float c) {
    return {{x, x + c, x + c, x + 2 * c, x + 2 * c, x + 3 * c}, {y, y + c, y + c, y + 2 * c, y + 2 * c, y + 3 * c}, c};
}

// Small boxes: 9-pixel corners around 1-pixel edge and centre strips.
constexpr FrameCells stripCells(float t) {
    return {{288, 297, 297, 298, 311, 320}, {t, t + 9, t + 9, t + 10, t + 9, t + 18}, 9};
}

constexpr std::array<FrameCells, 7> kFrameStyles = {
    squareCells(0, 0, 32),   squareCells(192, 0, 16),   squareCells(192, 0, 16), stripCells(0),
    stripCells(32),          squareCells(416, 160, 16), squareCells(464, 160, 16)};

bool hasAtlas() { return g_guiElementManager && g_guiElementManager->themeTexture; }

}  // namespace

int parseFrameStyle(const std::string& name) {
    if (name == "simGuiFrameStyle_dialogBox") return 0;
    if (name == "simGuiFrameStyle_thinBorder") return 2;
    if (name == "simGuiFrameStyle_dark") return 5;
    if (name == "simGuiFrameStyle_widget") return 6;
    return 1;
}

simScreenRect atlasPiece(float x1, float y1, float x2, float y2, uint32_t colour, float ax1, float ay1, float ax2,
                         float ay2) {
    return simScreenRect({x1, y1}, {x2, y2}, colour, {ax1 / kGuiAtlasSize, ay1 / kGuiAtlasSize},
                         {ax2 / kGuiAtlasSize, ay2 / kGuiAtlasSize});
}

namespace {

// The nine pieces in order: corners, edges, centre. The top row ends at
// `topRight` (x2 unless the frame has a tab).
void appendNineSlice(const FrameCells& f, float x1, float y1, float x2, float y2, float topRight, uint32_t argb,
                     std::vector<simScreenRect>& out) {
    const float c = f.corner;
    // Cell (column, row) of the atlas onto a screen rectangle.
    auto piece = [&](float sx1, float sy1, float sx2, float sy2, int column, int row) {
        out.push_back(atlasPiece(sx1, sy1, sx2, sy2, argb, f.columns[column * 2], f.rows[row * 2],
                                 f.columns[column * 2 + 1], f.rows[row * 2 + 1]));
    };
    piece(x1, y1, x1 + c, y1 + c, 0, 0);                // top-left
    piece(topRight - c, y1, topRight, y1 + c, 2, 0);    // top-right
    piece(x2 - c, y2 - c, x2, y2, 2, 2);                // bottom-right
    piece(x1, y2 - c, x1 + c, y2, 0, 2);                // bottom-left
    piece(x1 + c, y1, topRight - c, y1 + c, 1, 0);      // top
    piece(x2 - c, y1 + c, x2, y2 - c, 2, 1);            // right
    piece(x1 + c, y2 - c, x2 - c, y2, 1, 2);            // bottom
    piece(x1, y1 + c, x1 + c, y2 - c, 0, 1);            // left
    piece(x1 + c, y1 + c, x2 - c, y2 - c, 1, 1);        // centre
}

}  // namespace

void buildFrameGeometry(float x1, float y1, float x2, float y2, uint32_t style, std::vector<simScreenRect>& out,
                        const simColour& colour, float topRowWidth) {
    if (!hasAtlas() || style >= kFrameStyles.size()) return;
    // The top row of a tabbed dialog frame ends at x1 + topRowWidth.
    const float topRight = style == 0 && topRowWidth != 0.0f ? x1 + topRowWidth : x2;
    appendNineSlice(kFrameStyles[style], x1, y1, x2, y2, topRight, colour.toARGB(), out);
}

void buildNineSliceCell(float x1, float y1, float x2, float y2, float atlasX, float atlasY, float atlasWidth,
                        float atlasHeight, float corner, uint32_t colour, std::vector<simScreenRect>& out) {
    const float right = atlasX + atlasWidth, bottom = atlasY + atlasHeight;
    const FrameCells cells{{atlasX, atlasX + corner, atlasX + corner, right - corner, right - corner, right},
                           {atlasY, atlasY + corner, atlasY + corner, bottom - corner, bottom - corner, bottom},
                           corner};
    appendNineSlice(cells, x1, y1, x2, y2, x2, colour, out);
}

void buildButtonSquare(float x1, float y1, float x2, float y2, float atlasX, float atlasY, uint32_t colour,
                       std::vector<simScreenRect>& out) {
    buildNineSliceCell(x1, y1, x2, y2, atlasX, atlasY, 32, 32, 12, colour, out);
}

void drawFrame(float x1, float y1, float x2, float y2, uint32_t style, const simColour& colour, float topRowWidth) {
    if (!hasAtlas()) return;
    std::vector<simScreenRect> pieces;
    buildFrameGeometry(x1, y1, x2, y2, style, pieces, colour, topRowWidth);
    if (!pieces.empty()) simGuiCanvas::current().drawRects(pieces, g_guiElementManager->themeTexture);
}

void buildScrollBarGeometry(float /*x1: the bar runs down the right edge*/, float y1, float x2, float y2, simGuiScrollBarStates states, float thumbStart,
                            float thumbEnd, std::vector<simScreenRect>& out) {
    if (!hasAtlas()) return;
    constexpr uint32_t kWhite = 0xFFFFFFFFu;
    const float arrowU = 96.0f + 16.0f * static_cast<float>(states.up % 3);
    const float downU = 96.0f + 16.0f * static_cast<float>(states.down % 3);
    out.push_back(atlasPiece(x2 - 15, y1, x2, y1 + 16, kWhite, arrowU, 64, arrowU + 15, 80));
    out.push_back(atlasPiece(x2 - 15, y2 - 16, x2, y2, kWhite, downU, 80, downU + 15, 64));
    out.push_back(atlasPiece(x2 - 15, y1 + 15, x2, y2 - 16, 0xFF8D8D8Du, 496, 496, 512, 512));
    out.push_back(atlasPiece(x2 - 15, y1 + 17, x2 - 1, y2 - 17, 0xFFD9D9D9u, 496, 496, 512, 512));

    // The thumb, in whole pixels from the top of the track: never shorter
    // than 32 pixels, and moved up to end at the track's end.
    const int32_t length = static_cast<int32_t>((y2 - y1) - 32.0f);
    int32_t a = static_cast<int32_t>(thumbStart * static_cast<float>(length));
    int32_t b = static_cast<int32_t>(thumbEnd * static_cast<float>(length));
    if (std::abs(b - a) < 32) b = a + 32;
    if (b > length) {
        const int32_t over = b - length;
        a -= over;
        b -= over;
    }
    const float u = 160.0f + 32.0f * static_cast<float>(states.thumb % 3);
    const float top = y1 + 16.0f + static_cast<float>(a), bottom = y1 + 16.0f + static_cast<float>(b);
    const float grip = y1 + 16.0f + static_cast<float>((a + b) / 2);
    out.push_back(atlasPiece(x2 - 15, top, x2 - 1, top + 6, kWhite, u, 64, u + 14, 70));
    out.push_back(atlasPiece(x2 - 15, bottom - 6, x2 - 1, bottom, kWhite, u, 81, u + 14, 87));
    out.push_back(atlasPiece(x2 - 15, top + 6, x2 - 1, bottom - 6, kWhite, u, 70, u + 14, 71));
    out.push_back(atlasPiece(x2 - 15, grip - 5, x2 - 1, grip + 5, kWhite, u, 70, u + 14, 80));
}

void drawTooltipBox(float x, float y, const std::string& text, int32_t opacity) {
    if (!hasAtlas() || text.empty() || opacity <= 0) return;
    simGuiCanvas& canvas = simGuiCanvas::current();
    simFont* font = g_guiElementManager->fonts[0];
    const d3dx::Vector2 size = canvas.measureText(font, text);
    const float width = size.x + 44.0f;
    const float viewWidth = g_graphics && g_graphics->getWindow() ? g_graphics->getWindow()->getBackBufferWidth() : 0.0f;
    const bool rightwards = viewWidth <= 0.0f || x + width <= viewWidth;
    const uint32_t colour = static_cast<uint32_t>(opacity > 255 ? 255 : opacity) << 24 | 0xFFFFFFu;
    std::vector<simScreenRect> pieces;
    if (rightwards) {
        pieces.push_back(atlasPiece(x, y, x + 32, y + 32, colour, 0, 160, 32, 192));
        pieces.push_back(atlasPiece(x + width - 32, y, x + width, y + 32, colour, 32, 160, 64, 192));
        pieces.push_back(atlasPiece(x + 32, y, x + width - 32, y + 32, colour, 32, 160, 33, 192));
    } else {
        pieces.push_back(atlasPiece(x - 32, y, x, y + 32, colour, 32, 160, 0, 192));
        pieces.push_back(atlasPiece(x - width, y, x - width + 32, y + 32, colour, 64, 160, 32, 192));
        pieces.push_back(atlasPiece(x - width + 32, y, x - 32, y + 32, colour, 33, 160, 32, 192));
    }
    canvas.drawRects(pieces, g_guiElementManager->themeTexture);
    simColour ink;
    ink.set(opacity, 0, 0, 0);
    const float textX = rightwards ? x + 32.0f : x - width + 12.0f;
    canvas.drawText(font, text, textX, y + 16.0f - size.y * 0.5f, ink, false);
}
