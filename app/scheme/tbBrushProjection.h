// tbBrushProjection: the 3-D brush as the last preparation left it.
//
// The brush image is projected along the surface normal at the picked point
// onto the patch of triangles around it. The preparation (tbGeometry::
// prepareBrush3D) fills this record; the stamp (tbGeometry::paintBrush3D)
// and the model's brush preview read it, and both shade a patch triangle
// through `shade`, so what the preview shows is what the stamp paints.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/d3dx/d3dxMathTypes.h"

class simColour;
class tbTriangle;

class tbBrushProjection {
public:
    // translation by -picked point, left-handed look-at along -normal,
    // left-handed orthographic projection (tbPaintSpace::projectorAlong)
    d3dx::Matrix projector;
    // the picked point through the projector; its z is the reference depth
    d3dx::Vector3 projectedCentre;
    // 0.75 x the projected length of one brush size along the surface; 0
    // means the brush covers nothing and nothing is shaded
    float radius = 0.0f;
    std::vector<tbTriangle*> patch;
    // the projected x, y of corner 0, 1 and 2 of each patch triangle
    std::vector<d3dx::Vector2> corners[3];
    // the rectangle around every projected corner
    d3dx::Vector2 rectMin{100000.0f, 100000.0f}, rectMax{-100000.0f, -100000.0f};

    // Empties the patch, the corner lists and the rectangle.
    void clear();

    // One patch triangle as the stamp paints it: the brush image's
    // coordinates at its three corners (rotated by `angleDegrees`). False
    // when the triangle misses the brush image or the brush has no radius:
    // it is not drawn. Its colours fade with depth (`colourAt`, `cutAtFade`).
    bool shade(const tbTriangle& triangle, float angleDegrees, d3dx::Vector2 uvs[3]) const;

    // The alpha a corner at `depth` gets: the main alpha at or above the
    // reference depth; deeper, 255 - 200000 x the depth difference scaled
    // by the main alpha, within 0..255.
    static uint32_t fadedAlpha(float referenceDepth, float depth, int32_t mainAlpha);
    // The main colour with the alpha a corner at `depth` gets.
    uint32_t colourAt(float depth, const simColour& main) const;

    // A corner of a shaded patch triangle, or of a piece of one. It lies
    // where its weights put it between the whole triangle's corners, so the
    // stamp and the cursor each carry what they draw with (texels, places,
    // normals, brush-image coordinates) into the pieces.
    struct Corner {
        d3dx::Vector3 weights;  // of the triangle's corners 0, 1 and 2
        float depth = 0.0f;     // along the projector
        uint8_t edges = 0;      // bit e: on the triangle's edge from corner e to corner e + 1
        template <class Value>
        Value of(const Value (&values)[3]) const {
            return values[0] * weights.x + values[1] * weights.y + values[2] * weights.z;
        }
    };
    using Piece = std::array<Corner, 3>;
    // A patch triangle's own corners, at the depths its last preparation
    // projected them to.
    static Piece cornersOf(const tbTriangle& triangle);
    // The fade is linear in depth only between the reference depth and the
    // depth where it reaches 0, while the device interpolates corner
    // colours linearly: a triangle reaching across either depth would get
    // too little paint where it lies at the reference depth. So it is cut
    // there into pieces lying within one stretch each, whose corner colours
    // then give every texel its exact fade; the part beyond the fade's end,
    // which paints nothing, is left out.
    void cutAtFade(const Piece& triangle, std::vector<Piece>& pieces) const;
};
