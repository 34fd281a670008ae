#include "app/site/tbSiteGrid.h"

#include "engine/core/simGlobals.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"

namespace {

constexpr uint32_t kColour = 0x64FFFFFFu;
constexpr int kLinesPerAxis = 20;
constexpr float kSpacing = 100.0f, kHalfExtent = 1000.0f;

std::vector<simLine3D> makeLines() {
    std::vector<simLine3D> lines;
    lines.reserve(2 * kLinesPerAxis);
    for (int i = 0; i < kLinesPerAxis; ++i) {
        const float at = float(i) * kSpacing - kHalfExtent;
        lines.emplace_back(d3dx::Vector3(at, 0, -kHalfExtent), d3dx::Vector3(at, 0, kHalfExtent), kColour);
        lines.emplace_back(d3dx::Vector3(-kHalfExtent, 0, at), d3dx::Vector3(kHalfExtent, 0, at), kColour);
    }
    return lines;
}

}  // namespace

const std::vector<simLine3D>& tbSiteGridLines() {
    static const std::vector<simLine3D> lines = makeLines();
    return lines;
}

void tbDrawSiteGrid() {
    if (simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr)
        renderer->drawLines3D(tbSiteGridLines(), nullptr);
}
