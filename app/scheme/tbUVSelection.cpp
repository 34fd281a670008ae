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

namespace {

// What a click or a drag finds: a drag takes every item inside its
// rectangle; a click keeps the item nearest the cursor, the first found
// winning a tie.
template <typename Item>
void offer(std::list<Item>& hovered, float& hoveredDistance, const Item& item, const d3dx::Vector2& screen,
           const tbUVPointer& pointer) {
    if (pointer.dragging) {
        if (pointer.isInside(screen)) hovered.push_back(item);
        return;
    }
    if (!pointer.isNear(screen)) return;
    const float distance = pointer.distanceSq(screen);
    if (!hovered.empty() && !(distance < hoveredDistance)) return;
    hovered.assign(1, item);
    hoveredDistance = distance;
}

template <typename Item>
void removeAll(std::list<Item>& from, const std::list<Item>& items) {
    for (const Item& item : items) from.remove(item);
}

}  // namespace

void tbUVSelection::beginClick() {
    previousFaces = faces;
    previousPoints = points;
    hoveredFaces.clear();
    hoveredPoints.clear();
}

void tbUVSelection::offerPoint(const tbTriangle::CornerRef& point, const d3dx::Vector2& screen,
                               const tbUVPointer& pointer) {
    if (mode == kPoints) offer(hoveredPoints, m_hoveredPointDistance, point, screen, pointer);
}

void tbUVSelection::offerFace(tbTriangle* face, const d3dx::Vector2& screen, const tbUVPointer& pointer) {
    if (mode == kFaces) offer(hoveredFaces, m_hoveredFaceDistance, face, screen, pointer);
}

void tbUVSelection::applyClick(bool shift, bool ctrl) {
    if (shift || ctrl) {
        removeHovered();
    } else {
        clear();
    }
    if (ctrl && !shift) return;
    faces.insert(faces.end(), hoveredFaces.begin(), hoveredFaces.end());
    points.insert(points.end(), hoveredPoints.begin(), hoveredPoints.end());
}

void tbUVSelection::removeHovered() {
    removeAll(faces, hoveredFaces);
    removeAll(points, hoveredPoints);
}

bool tbUVSelection::countsChanged() const {
    return faces.size() != previousFaces.size() || points.size() != previousPoints.size();
}
