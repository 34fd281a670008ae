#include "app/scheme/tbUVSelection.h"

#include "engine/core/simBoundingBox.h"
#include "engine/core/simBoundingRect.h"

void tbUVSelection::clear() {
    faces.clear();
    points.clear();
}

void tbUVSelection::updateCentre() {
    textureCentre = {0.0f, 0.0f};
    centre3D = {0.0f, 0.0f, 0.0f};
    if (mode == kFaces) {
        simBoundingRect rect;
        for (const tbTriangle* t : faces) rect.growByPoint({t->centre.x, t->centre.y});
        textureCentre = rect.centre;
    } else if (mode == kPoints) {
        simBoundingRect rect;
        simBoundingBox box;
        for (const tbTriangle::CornerRef& p : points) {
            const d3dx::Vector2& uv = p.triangle->uvs[p.corner];
            rect.growByPoint({uv.x, 1.0f - uv.y});
            box.growByPoint(p.triangle->positions[p.corner]);
        }
        textureCentre = rect.centre;
        if (!points.empty()) centre3D = box.centre;
    }
}
