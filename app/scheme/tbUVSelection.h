// tbUVSelection: the model's selection of faces or UV points.
//
// A selection mode (0 none, 1 UV points, 2 faces) and the selected items, in
// the order they were selected, with two centres: the texture centre in
// texture-plane units (u, 1 - v) and the 3-D centre in model space. No tool
// of the program sets the mode; a project file may carry a selection, which
// is restored when it opens and written again when it is saved.
//
// A click changes it in three moves: `beginClick` keeps the selection as the
// previous one, the views offer what they show near the cursor or inside
// the drag rectangle (`offerPoint`, `offerFace`: only what the mode selects
// is taken, and a click keeps the one item nearest the cursor), and
// `applyClick` adds, removes or replaces with what was found.
#pragma once

#include <cstdint>
#include <list>

#include "app/scheme/tbTriangle.h"
#include "app/scheme/tbUVPointer.h"

class tbUVSelection {
public:
    static constexpr int32_t kNone = 0, kPoints = 1, kFaces = 2;

    int32_t mode = kNone;
    std::list<tbTriangle*> faces;
    std::list<tbTriangle::CornerRef> points;  // a triangle and one of its corners
    // The selection as a click found it, before the click changed it: what
    // the paint undo puts back.
    std::list<tbTriangle*> previousFaces;
    std::list<tbTriangle::CornerRef> previousPoints;
    // What the last click found.
    std::list<tbTriangle*> hoveredFaces;
    std::list<tbTriangle::CornerRef> hoveredPoints;
    d3dx::Vector2 textureCentre;
    d3dx::Vector3 centre3D;

    // Empties the selected lists; the previous ones and the centres stay.
    void clear();

    // Faces: the texture centre is the centre of the rectangle around the
    // faces' centres' x and y, the 3-D centre zero. Points: the centre of the
    // rectangle around their (u, 1 - v) and of the box around their
    // positions. Any other mode: both zero.
    void updateCentre();

    // ---- The click selection
    // The selection becomes the previous one and nothing is hovered.
    void beginClick();
    // A corner (mode 1) or a face (mode 2) the view shows at `screen`.
    void offerPoint(const tbTriangle::CornerRef& point, const d3dx::Vector2& screen, const tbUVPointer& pointer);
    void offerFace(tbTriangle* face, const d3dx::Vector2& screen, const tbUVPointer& pointer);
    // Shift held: the hovered items are added (moved to the end when they
    // were selected already); Ctrl held and Shift not: they are removed;
    // neither: they replace the selection.
    void applyClick(bool shift, bool ctrl);
    // Takes every hovered item out of the selection.
    void removeHovered();
    // Whether the click changed how many faces or points are selected (what
    // makes it an undo step).
    bool countsChanged() const;

private:
    // How far from the cursor the hovered item of a click lies (squared
    // pixels).
    float m_hoveredPointDistance = 0.0f, m_hoveredFaceDistance = 0.0f;
};
