#include "engine/graphics/simParticleVertex.h"

#include "engine/core/utilsErrors.h"

namespace {

struct Corner {
    float u, v;            // pair 0
    float dx, dy;          // pair 1
};
constexpr Corner kCornerTable[simParticleVertex::kCorners] = {
    {0, 0, -1, -1}, {1, 0, 1, -1}, {1, 1, 1, 1}, {0, 0, -1, -1}, {1, 1, 1, 1}, {0, 1, -1, 1},
};

}  // namespace

simParticleVertex::simParticleVertex(const d3dx::Vector3& at, int corner, uint32_t argb, float extra) {
    position = at;
    normal = d3dx::Vector3(0, 0, 0);
    colour = argb;
    uv[2].x = extra;
    if (corner < 0 || corner >= kCorners) {
        utils::seriousError("simParticleVertex::simParticleVertex - invalid index");
        return;
    }
    const Corner& c = kCornerTable[corner];
    uv[0] = d3dx::Vector2(c.u, c.v);
    uv[1] = d3dx::Vector2(c.dx, c.dy);
    uv[2].y = c.dx;
}
