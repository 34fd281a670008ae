// The flood fill: a whole sub-object painted at once, in the main colour or
// in a gradient to the second colour along one model axis.
#include "app/scheme/tbGeometryTool_flood.h"

#include <cmath>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryPaint.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbPaintSpace.h"
#include "app/scheme/tbTextureMap.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"

simColour tbBlendColours(const simColour& a, const simColour& b, float t) {
    auto mix = [t](int32_t from, int32_t to) { return int32_t(float(to) * t + float(from) * (1.0f - t)); };
    simColour out;
    out.set(mix(a.alpha, b.alpha), mix(a.red, b.red), mix(a.green, b.green), mix(a.blue, b.blue));
    return out;
}

namespace {

float along(const d3dx::Vector3& v, uint32_t axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

}  // namespace

void tbGeometry::floodFill(const std::vector<tbTriangle*>& region, const simColour& main, const simColour& second,
                           bool gradient, uint32_t axis) {
    tbTextureMap* map = getTextureMap();
    simRenderer* r = g_graphics ? g_graphics->getRenderer() : nullptr;
    if (!map || !r) return;
    simBoundingBox regionBox;
    for (const tbTriangle* t : region)
        for (const d3dx::Vector3& p : t->positions) regionBox.growByPoint(p);
    const bool blends = gradient && axis <= 2;
    const float low = blends ? along(regionBox.min, axis) : 0.0f;
    const float span = blends ? std::fabs(along(regionBox.max, axis) - low) : 0.0f;

    const uint32_t mainARGB = main.toARGB();
    const d3dx::Vector2 noUVs[3] = {};
    std::vector<simScreenTriangle> batch;
    batch.reserve(region.size());
    simBoundingRect touched;
    for (const tbTriangle* t : region) {
        d3dx::Vector2 texels[3];
        uint32_t colours[3];
        for (int i = 0; i < 3; ++i) {
            texels[i] = tbPaintSpace::texelOf(t->uvs[i], map->getWidth(), map->getHeight());
            // A region flat along the axis has no gradient to follow: the
            // main colour everywhere rather than 0 / 0.
            colours[i] = blends && span > 0.0f
                             ? tbBlendColours(main, second, (along(t->positions[i], axis) - low) / span).toARGB()
                             : mainARGB;
        }
        tbGeometryPaint::appendTriangle(batch, *t, texels, colours, noUVs, touched);
        getUndo().addTriangle(texels[0], texels[1], texels[2]);
    }
    map->beginDrawing();
    r->drawTriangles2D(batch, nullptr);
    map->endDrawing(touched);
}
