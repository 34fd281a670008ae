// tbGeometryPaint: model triangles drawn into the paint texture.
//
// The 3-D brush and the flood fill draw each triangle of the model at its
// place on the texture (its UVs in texels). Where a triangle's edge lies on
// a border of the UV layout (its edge flag), a strip 2 texels wide is drawn
// outside the edge too, carrying the edge corners' colours and brush
// coordinates, so no unpainted line shows along the layout's cuts.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/core/simBoundingRect.h"
#include "engine/graphics/simDrawRecords.h"
#include "platform/d3dx/d3dxMathTypes.h"

class tbTriangle;

namespace tbGeometryPaint {

// How far the seam strips reach beyond a layout border, in texels.
constexpr float kSeamWidth = 2.0f;

// Appends the strips of the flagged edges (edge e runs from corner e to
// corner e + 1; a triangle's own `edgeFlags` or those of a piece of it),
// then the triangle itself, corners at `texels` with `colours` and `uvs`,
// and grows `touched` by every corner drawn.
void appendTriangle(std::vector<simScreenTriangle>& out, const uint8_t edgeFlags[3], const d3dx::Vector2 texels[3],
                    const uint32_t colours[3], const d3dx::Vector2 uvs[3], simBoundingRect& touched);
// The same with the triangle's own edge flags.
void appendTriangle(std::vector<simScreenTriangle>& out, const tbTriangle& triangle, const d3dx::Vector2 texels[3],
                    const uint32_t colours[3], const d3dx::Vector2 uvs[3], simBoundingRect& touched);

// The part of `drawn` (a triangle's rectangle in texels, seam strips
// included) where the brush image can land: the rectangle around the
// texels of the brush image's four corners, placed through the affine map
// the triangle's corners give from brush coordinates `uvs` to `texels`.
// Outside the image the brush adds nothing, so only this part changes.
// `drawn` itself when the map is degenerate (the triangle seen edge-on).
simBoundingRect brushFootprint(const d3dx::Vector2 texels[3], const d3dx::Vector2 uvs[3],
                               const simBoundingRect& drawn);

}  // namespace tbGeometryPaint
