#include "app/scheme/tbImageProjection.h"

#include <algorithm>
#include <cmath>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryObject.h"
#include "app/scheme/tbGeometryPaint.h"
#include "app/scheme/tbGeometryTool_flood.h"
#include "app/scheme/tbPaintSpace.h"
#include "app/scheme/tbTriangle.h"
#include "platform/d3dx/d3dxMath.h"

namespace tbImageProjection {

namespace {

constexpr float kPi = 3.1415f;         // the program's own pi, as every tool converts its angles with it
constexpr float kRightAngle = 1.57075f;  // kPi / 2: a face seen edge-on counts as turned away

float angleBetween(const d3dx::Vector3& a, const d3dx::Vector3& b) {
    // Clamped: a unit normal's rounding must not turn acos into NaN.
    return std::fabs(std::acos(std::clamp(d3dx::Vec3Dot(&a, &b), -1.0f, 1.0f)));
}

// The faces that the projection selects among the paintable parts of an
// object and its descendants.
template <class Visit>
void forEachSelected(const tbGeometryObject& object, const tbProjection& projection, const Visit& visit) {
    if (!projection.image) return;
    tbForEachPaintablePart(object, [&](const tbMeshPart& part) {
        for (const auto& triangle : part.triangles()) {
            const tbTriangle& t = *triangle;
            if (!selects(t.faceNormal, projection)) continue;
            d3dx::Vector2 uvs[3];
            uint32_t colours[3];
            for (int k = 0; k < 3; ++k) {
                uvs[k] = imageCoordinate(t.positions[k], projection);
                colours[k] = cornerColour(uvs[k], projection);
            }
            visit(t, uvs, colours);
        }
    });
}

}  // namespace

bool selects(const d3dx::Vector3& faceNormal, const tbProjection& projection) {
    const float limit = float(std::min(projection.threshold, tbProjection::kMaxThreshold)) / 180.0f * kPi;
    const float towards = angleBetween(faceNormal, projection.direction);
    if (towards > limit) {
        const d3dx::Vector3 reverse = -projection.direction;
        if (angleBetween(faceNormal, reverse) > limit) return false;
    }
    return projection.doubleSided || towards <= kRightAngle;
}

d3dx::Vector2 imageCoordinate(const d3dx::Vector3& p, const tbProjection& projection) {
    const d3dx::Vector3& a = projection.position;
    const d3dx::Vector3& d = projection.direction;
    const d3dx::Vector3& rotation = projection.rotation;
    // The point in the image's plane, x to the image's right and y down it,
    // as a projector on the axis looking back at the model sees it.
    d3dx::Vector2 inPlane;
    float angle;
    if (d.x > 0.5f) {
        inPlane = {p.z - a.z, a.y - p.y};
        angle = -rotation.x;
    } else if (d.x < -0.5f) {
        inPlane = {a.z - p.z, a.y - p.y};
        angle = rotation.x;
    } else if (std::fabs(d.y) > 0.5f) {
        inPlane = {p.x - a.x, p.z - a.z};
        angle = rotation.y;
    } else {
        inPlane = {p.x - a.x, a.y - p.y};
        angle = rotation.z;
    }
    d3dx::Matrix turn;
    d3dx::MatrixRotationZ(&turn, angle);
    d3dx::Vector2 turned;
    d3dx::Vec2TransformCoord(&turned, &inPlane, &turn);
    return {turned.x / (2.0f * projection.planeSize.x) + 0.5f, turned.y / (2.0f * projection.planeSize.y) + 0.5f};
}

uint32_t cornerColour(const d3dx::Vector2& imageUv, const tbProjection& projection) {
    if (!projection.gradient) return projection.colour0.toARGB();
    const float t = projection.axis == 0 ? imageUv.x : projection.axis == 1 ? imageUv.y : 0.0f;
    return tbBlendColours(projection.colour0, projection.colour1, std::clamp(t, 0.0f, 1.0f)).toARGB();
}

void collectPaint(const tbGeometryObject& object, const tbProjection& projection, uint32_t width, uint32_t height,
                  std::vector<simScreenTriangle>& out, simBoundingRect& touched) {
    forEachSelected(object, projection, [&](const tbTriangle& t, const d3dx::Vector2 uvs[3], const uint32_t colours[3]) {
        // At the texture's own size: a texture that is not 1024 square
        // still takes the image where the triangle lies on it.
        d3dx::Vector2 texels[3];
        for (int k = 0; k < 3; ++k) texels[k] = tbPaintSpace::texelOf(t.uvs[k], width, height);
        if (projection.extendEdges) {
            tbGeometryPaint::appendTriangle(out, t, texels, colours, uvs, touched);
            return;
        }
        out.emplace_back(texels[0], texels[1], texels[2], colours[0], colours[1], colours[2], uvs[0], uvs[1], uvs[2]);
        for (const d3dx::Vector2& texel : texels) touched.growByPoint(texel);
    });
}

void collectPreview(const tbGeometryObject& object, const tbProjection& projection,
                    std::vector<simTriangle3D>& out) {
    forEachSelected(object, projection, [&out](const tbTriangle& t, const d3dx::Vector2 uvs[3], const uint32_t colours[3]) {
        out.emplace_back(t.positions[0], t.positions[1], t.positions[2], t.normals[0], t.normals[1], t.normals[2],
                         uvs[0], uvs[1], uvs[2], colours[0], colours[1], colours[2]);
    });
}

}  // namespace tbImageProjection
