// tbUVSelection: the model's selection of faces or UV points.
//
// A selection mode (0 none, 1 UV points, 2 faces) and the selected items, in
// the order they were selected, with two centres: the texture centre in
// texture-plane units (u, 1 - v) and the 3-D centre in model space. No tool
// of the program sets the mode; a project file may carry a selection, which
// is restored when it opens and written again when it is saved.
#pragma once

#include <cstdint>
#include <list>

#include "app/scheme/tbTriangle.h"

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
    d3dx::Vector2 textureCentre;
    d3dx::Vector3 centre3D;

    // Empties the selected lists; the previous ones and the centres stay.
    void clear();

    // Faces: the texture centre is the centre of the rectangle around the
    // faces' centres' x and y, the 3-D centre zero. Points: the centre of the
    // rectangle around their (u, 1 - v) and of the box around their
    // positions. Any other mode: both zero.
    void updateCentre();
};
