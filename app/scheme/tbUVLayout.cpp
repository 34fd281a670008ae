#include "app/scheme/tbUVLayout.h"

#include <algorithm>
#include <cmath>

#include "app/scheme/tbGeometry.h"

namespace {

// Liang-Barsky: cuts the segment to the rectangle [0, w] x [0, h]; false
// when nothing of it is inside.
bool clip(d3dx::Vector2& a, d3dx::Vector2& b, float w, float h) {
    const float dx = b.x - a.x, dy = b.y - a.y;
    float t0 = 0.0f, t1 = 1.0f;
    const float p[4] = {-dx, dx, -dy, dy};
    const float q[4] = {a.x, w - a.x, a.y, h - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0f) {
            if (q[i] < 0.0f) return false;
            continue;
        }
        const float t = q[i] / p[i];
        if (p[i] < 0.0f) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return false;
    }
    const d3dx::Vector2 start = a;
    a = {start.x + t0 * dx, start.y + t0 * dy};
    b = {start.x + t1 * dx, start.y + t1 * dy};
    return true;
}

void walk(const std::vector<std::unique_ptr<tbGeometryObject>>& objects,
          d3dx::Bitmap& picture) {
    const float w = float(picture.width), h = float(picture.height);
    for (const auto& object : objects) {
        if (object->kind == tbGeometryObject::kOrdinary) {
            for (const auto& part : object->meshParts) {
                if (!part->isPaintable()) continue;
                for (const auto& t : part->triangles()) {
                    const d3dx::Vector2* uv = t->uvs;
                    for (int k = 0; k < 3; ++k) {
                        const d3dx::Vector2& from = uv[k];
                        const d3dx::Vector2& to = uv[(k + 1) % 3];
                        tbDrawLine(picture, {from.x * w, from.y * h}, {to.x * w, to.y * h}, 0xFFFFFFFFu);
                    }
                }
            }
        }
        walk(object->children, picture);
    }
}

}  // namespace

void tbDrawLine(d3dx::Bitmap& picture, d3dx::Vector2 a, d3dx::Vector2 b, uint32_t colour) {
    if (picture.width == 0 || picture.height == 0) return;
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y)) return;
    if (!clip(a, b, float(picture.width), float(picture.height))) return;
    // One pixel per step along the longer axis; the clipped ends may lie on
    // the far edge (x == width), which belongs to the last pixel.
    const float dx = b.x - a.x, dy = b.y - a.y;
    const int steps = int(std::ceil(std::max(std::fabs(dx), std::fabs(dy))));
    for (int i = 0; i <= steps; ++i) {
        const float t = steps ? float(i) / float(steps) : 0.0f;
        const uint32_t x = std::min(uint32_t(std::max(0.0f, a.x + t * dx)), picture.width - 1);
        const uint32_t y = std::min(uint32_t(std::max(0.0f, a.y + t * dy)), picture.height - 1);
        picture.at(x, y) = colour;
    }
}

void tbGeometry::drawUVLayout(d3dx::Bitmap& picture) const { walk(roots, picture); }
