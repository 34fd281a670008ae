#include "app/scheme/tbUVPointer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

d3dx::Vector2 tbUVPointer::low() const { return {std::min(press.x, mouse.x), std::min(press.y, mouse.y)}; }

d3dx::Vector2 tbUVPointer::high() const { return {std::max(press.x, mouse.x), std::max(press.y, mouse.y)}; }

bool tbUVPointer::isNear(const d3dx::Vector2& screen) const {
    // A point off every representable pixel (behind the camera, or not a
    // number) is near nothing.
    if (!(std::fabs(screen.x) < 1e9f && std::fabs(screen.y) < 1e9f)) return false;
    const int32_t x = int32_t(screen.x), y = int32_t(screen.y);
    const int32_t mx = int32_t(mouse.x), my = int32_t(mouse.y);
    return x >= mx - kReach && x <= mx + kReach && y >= my - kReach && y <= my + kReach;
}

bool tbUVPointer::isInside(const d3dx::Vector2& screen) const {
    const d3dx::Vector2 lo = low(), hi = high();
    return lo.x < screen.x && screen.x < hi.x && lo.y < screen.y && screen.y < hi.y;
}

float tbUVPointer::distanceSq(const d3dx::Vector2& screen) const {
    const float dx = screen.x - mouse.x, dy = screen.y - mouse.y;
    return dx * dx + dy * dy;
}
