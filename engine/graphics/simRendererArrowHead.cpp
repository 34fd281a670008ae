#include <cmath>

#include "engine/core/simColour.h"
#include "engine/core/utilsPicking.h"
#include "engine/graphics/simRenderer.h"

void simRenderer::drawArrowHead(const Vec3& from, const Vec3& to, float size, const simColour& colour,
                                std::vector<simScreenLine>* batch) {
    Vec2 tail, tip;
    utils::worldToScreen2D(from, &tail);
    utils::worldToScreen2D(to, &tip);
    const Vec2 along = tip - tail;
    const float length = std::sqrt(along.x * along.x + along.y * along.y);
    // A direction is needed to place the head; an arrow seen end-on has none.
    if (!(length > 0.0f)) return;
    const Vec2 d = along / length;
    const Vec2 across(-d.y, d.x);
    const Vec2 back = tip - d * size;
    const uint32_t argb = colour.toARGB();
    drawLine2D(tip, back + across * size, argb, nullptr, {0, 0}, {1, 1}, batch);
    drawLine2D(tip, back - across * size, argb, nullptr, {0, 0}, {1, 1}, batch);
}
