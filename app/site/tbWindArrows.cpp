#include "app/site/tbWindArrows.h"

#include <vector>

#include "engine/core/simColour.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simDrawRecords.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

constexpr float kHalfLength = 350.0f, kOffset = 25.0f, kHeadSize = 10.0f;
constexpr float kOffsets[4][2] = {{-kOffset, 0}, {0, kOffset}, {kOffset, 0}, {0, -kOffset}};

}  // namespace

void tbDrawWindArrows(const d3dx::Matrix& rotation, const d3dx::Vector3& position, uint32_t colour) {
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    if (!renderer) return;
    std::vector<simLine3D> shafts;
    std::vector<simScreenLine> heads;
    const simColour headColour = simColour::fromARGB(colour);
    for (const auto& o : kOffsets) {
        const d3dx::Vector3 tailLocal(o[0], o[1], -kHalfLength), tipLocal(o[0], o[1], kHalfLength);
        d3dx::Vector3 tail, tip;
        d3dx::Vec3TransformCoord(&tail, &tailLocal, &rotation);
        d3dx::Vec3TransformCoord(&tip, &tipLocal, &rotation);
        tail += position;
        tip += position;
        shafts.emplace_back(tail, tip, colour);
        renderer->drawArrowHead(tail, tip, kHeadSize, headColour, &heads);
    }
    renderer->drawLines3D(shafts, nullptr);
    renderer->drawLines2D(heads, nullptr);
}
