#include "engine/gui/simGuiCentred.h"

#include "engine/core/simColour.h"
#include "engine/graphics/simTexture.h"
#include "engine/gui/simGuiCanvas.h"

void simGuiDrawCentredImage(float x, float y, float width, float height, simTexture* image, uint32_t alpha) {
    if (!image) return;
    const float cx = x + width * 0.5f, cy = y + height * 0.5f;
    const float hw = static_cast<float>(image->getWidth()) * 0.5f, hh = static_cast<float>(image->getHeight()) * 0.5f;
    const d3dx::Vector2 corners[4] = {{cx - hw, cy - hh}, {cx + hw, cy - hh}, {cx + hw, cy + hh}, {cx - hw, cy + hh}};
    const d3dx::Vector2 uvs[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    simGuiCanvas::current().drawQuadUV(corners, (alpha > 255 ? 255 : alpha) << 24 | 0xFFFFFFu, image, uvs);
}

void simGuiDrawCentredCaption(float x, float y, float width, float height, simFont* font, const std::string& text,
                              int32_t alpha) {
    if (text.empty() || !font) return;
    simGuiCanvas& canvas = simGuiCanvas::current();
    const d3dx::Vector2 size = canvas.measureText(font, text);
    simColour ink;
    ink.set(alpha, 0, 0, 0);
    canvas.drawText(font, text, static_cast<float>(static_cast<int32_t>(x + width * 0.5f - size.x * 0.5f)),
                    static_cast<float>(static_cast<int32_t>(y + height * 0.5f - size.y * 0.5f)), ink, false);
}
