// What buttons and check boxes centre on themselves: an image at its own
// pixel size and a black caption, drawn through the current canvas.
#pragma once

#include <cstdint>
#include <string>

class simFont;
class simTexture;

// The image's own pixel size, centred on the rectangle, white with `alpha` (0..255).
void simGuiDrawCentredImage(float x, float y, float width, float height, simTexture* image, uint32_t alpha);
// The caption in black with `alpha`, centred on the rectangle (whole pixels).
void simGuiDrawCentredCaption(float x, float y, float width, float height, simFont* font, const std::string& text,
                              int32_t alpha);
