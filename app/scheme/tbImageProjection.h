// tbImageProjection: an image projected onto the model along one axis, like
// a slide projector standing outside the model on that axis.
//
// A face takes the image when its normal lies within the threshold angle of
// the projection's direction or (seen from behind) of its reverse; a
// one-sided projection also leaves every face turned away from the
// direction. Each corner's image coordinate is its place in the image's
// rectangle (centre `position`, half-extent `planeSize`, turned about the
// axis), so values outside 0..1 are left to the sampler's wrap or clamp.
//
// The image projection tool draws the selected faces into the paint
// texture at their texture coordinates, and previews them over the model
// at their own places; the text tool projects its text the same way.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/core/simBoundingRect.h"
#include "engine/core/simColour.h"
#include "engine/graphics/simDrawRecords.h"
#include "platform/d3dx/d3dxMathTypes.h"

class simTexture;
class tbGeometryObject;
class tbTriangle;

struct tbProjection {
    static constexpr uint32_t kMaxThreshold = 180;

    uint32_t threshold = 50;  // degrees; above 180 counts as 180
    d3dx::Vector3 direction{1, 0, 0};  // one of the six unit axis vectors
    bool doubleSided = false;
    d3dx::Vector3 position;   // the image's centre, model space
    d3dx::Vector2 planeSize{10, 10};  // the image's half-extent in its plane
    d3dx::Vector3 rotation;   // Euler angles; only the one about the axis is used
    simTexture* image = nullptr;
    simColour colour0, colour1;  // both corners' colour, or the gradient's ends
    bool gradient = false;
    uint32_t axis = 0;        // the gradient along u (0) or v (1); any other: colour0
    bool extendEdges = true;  // strips outside the texture layout's borders too
};

namespace tbImageProjection {

// Whether a face with this unit normal takes the projection.
bool selects(const d3dx::Vector3& faceNormal, const tbProjection& projection);
// The image coordinate of a model-space point.
d3dx::Vector2 imageCoordinate(const d3dx::Vector3& point, const tbProjection& projection);
// A corner's colour (ARGB) at that image coordinate.
uint32_t cornerColour(const d3dx::Vector2& imageUv, const tbProjection& projection);

// The selected faces of the object's paintable parts (kind 0, enabled and
// visible), its children visited whatever it is: drawn at their texels on
// a width x height paint texture into `out`, with seam strips along the
// layout's borders when the projection extends edges; `touched` grows by
// every texel drawn.
void collectPaint(const tbGeometryObject& object, const tbProjection& projection, uint32_t width, uint32_t height,
                  std::vector<simScreenTriangle>& out, simBoundingRect& touched);
// The same faces at their model-space places, for the preview over the model.
void collectPreview(const tbGeometryObject& object, const tbProjection& projection,
                    std::vector<simTriangle3D>& out);

}  // namespace tbImageProjection
