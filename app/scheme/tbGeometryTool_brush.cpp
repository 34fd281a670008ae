// The brush: stamps of the brush image, tinted with the main colour, in the
// texture view (a turned square under the mouse) and in the 3-D view (the
// image projected along the surface normal onto the patch around the
// picked point).
#include <algorithm>
#include <cmath>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryPaint.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbPaintSpace.h"
#include "app/shell/tbSceneCameras.h"
#include "app/scheme/tbTextureMap.h"
#include "app/shell/tbToolState.h"
#include "app/shell/tbDevice.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simTexture.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

constexpr float kPi = 3.1415f;              // the program's own constant, kept for the same angles
constexpr float kHalfSquarePerSize = 10.0f;  // the texture-view square is 20 texels per brush size
constexpr float kRadiusShare = 0.75f;        // of one brush size along the surface
constexpr float kReachPerSize = 0.5f;        // the patch reaches half a brush size

// The radius of the sphere around the model's box: the projector's extent.
float boundingRadius(const simBoundingBox& box) {
    if (box.isEmpty()) return 0.0f;
    const d3dx::Vector3 half = (box.max - box.min) * 0.5f;
    return d3dx::Vec3Length(&half);
}

}  // namespace

void tbGeometry::paintBrushTexture(simTexture* brush, float mouseX, float mouseY, float size) {
    tbTextureMap* map = getTextureMap();
    simRenderer* r = tbRenderer();
    if (!map || !r) return;
    // The mouse is read against the view as it is shown, before the bracket
    // turns the viewport to the texture.
    tbUseSceneCamera(0);
    d3dx::Vector2 fraction;
    if (!tbPaintSpace::textureViewFraction(mouseX, mouseY, &fraction)) return;
    const float width = float(map->getWidth()), height = float(map->getHeight());
    const d3dx::Vector2 centre{width * fraction.x, height * (1.0f - fraction.y)};

    const float angle = tools().brushAngle() / 180.0f * kPi;
    d3dx::Matrix rotation;
    d3dx::MatrixRotationZ(&rotation, angle);
    const float h = kHalfSquarePerSize * size;
    d3dx::Vector2 corners[4] = {{-h, -h}, {h, -h}, {h, h}, {-h, h}};
    simBoundingRect touched;
    for (d3dx::Vector2& c : corners) {
        d3dx::Vec2TransformCoord(&c, &c, &rotation);
        c += centre;
        touched.growByPoint(c);
    }
    map->beginDrawing(touched);
    const d3dx::Vector2 origin = map->drawingOrigin();
    r->drawQuad(corners[0] - origin, corners[1] - origin, corners[2] - origin, corners[3] - origin,
                tools().mainColour().toARGB(), brush);
    getUndo().addRect(touched);
    map->endDrawing(touched);
}

void tbGeometry::prepareBrush3D(const d3dx::Vector3& point, float size) {
    brush3D.clear();
    brush3D.radius = 0.0f;
    const float extent = boundingRadius(box);
    if (!(extent > 0.0f)) return;
    const simCamera* camera = g_graphics ? g_graphics->getCurrentCamera() : nullptr;
    const d3dx::Vector3 up = camera ? camera->getUp() : d3dx::Vector3{0, 1, 0};
    brush3D.projector = tbPaintSpace::projectorAlong(point, pickedNormal, up, extent);
    d3dx::Vec3TransformCoord(&brush3D.projectedCentre, &point, &brush3D.projector);

    const d3dx::Vector3 along = point + tbPaintSpace::surfaceTangent(pickedNormal) * size;
    d3dx::Vector3 projectedAlong, offset;
    d3dx::Vec3TransformCoord(&projectedAlong, &along, &brush3D.projector);
    offset = projectedAlong - brush3D.projectedCentre;
    brush3D.radius = kRadiusShare * d3dx::Vec3Length(&offset);

    if (pickedTriangle) pickedTriangle->collectNear(point, size * kReachPerSize, nextVisitStamp(), brush3D.patch);
    for (tbTriangle* t : brush3D.patch) {
        for (int i = 0; i < 3; ++i) {
            d3dx::Vec3TransformCoord(&t->brushCorners[i], &t->positions[i], &brush3D.projector);
            const d3dx::Vector2 corner{t->brushCorners[i].x, t->brushCorners[i].y};
            brush3D.corners[i].push_back(corner);
            brush3D.rectMin = {std::min(brush3D.rectMin.x, corner.x), std::min(brush3D.rectMin.y, corner.y)};
            brush3D.rectMax = {std::max(brush3D.rectMax.x, corner.x), std::max(brush3D.rectMax.y, corner.y)};
        }
    }
}

void tbGeometry::paintBrush3D(simTexture* brush, const d3dx::Vector3&, float) {
    tbTextureMap* map = getTextureMap();
    simRenderer* r = tbRenderer();
    if (!map || !r || brush3D.patch.empty()) return;
    const float angle = tools().brushAngle();
    const simColour& main = tools().mainColour();
    std::vector<simScreenTriangle> batch;
    batch.reserve(brush3D.patch.size());
    simBoundingRect touched;
    std::vector<tbBrushProjection::Piece> pieces;
    for (tbTriangle* t : brush3D.patch) {
        if (!t) continue;
        d3dx::Vector2 uvs[3];
        if (!brush3D.shade(*t, angle, uvs)) continue;
        d3dx::Vector2 texels[3];
        for (int i = 0; i < 3; ++i) texels[i] = tbPaintSpace::texelOf(t->uvs[i], map->getWidth(), map->getHeight());
        pieces.clear();
        brush3D.cutAtFade(tbBrushProjection::cornersOf(*t), pieces);
        simBoundingRect drawn;
        for (const tbBrushProjection::Piece& piece : pieces) {
            d3dx::Vector2 pieceTexels[3], pieceUVs[3];
            uint32_t pieceColours[3];
            uint8_t seams[3];
            for (int k = 0; k < 3; ++k) {
                pieceTexels[k] = piece[k].of(texels);
                pieceUVs[k] = piece[k].of(uvs);
                pieceColours[k] = brush3D.colourAt(piece[k].depth, main);
                // A piece's edge is on a layout border where it lies along a
                // flagged edge of the whole triangle.
                const uint8_t along = piece[k].edges & piece[(k + 1) % 3].edges;
                seams[k] = 0;
                for (int e = 0; e < 3; ++e)
                    if (along >> e & 1u && t->edgeFlags[e]) seams[k] = 1;
            }
            tbGeometryPaint::appendTriangle(batch, seams, pieceTexels, pieceColours, pieceUVs, drawn);
        }
        if (drawn.isEmpty()) continue;
        // A triangle can be far larger than the brush on the texture: only
        // the brush image's own footprint on it is touched.
        touched.growByRect(tbGeometryPaint::brushFootprint(texels, uvs, drawn));
    }
    if (touched.isEmpty()) return;
    getUndo().addRect(touched);
    map->beginDrawing(touched);
    const d3dx::Vector2 origin = map->drawingOrigin();
    for (simScreenTriangle& t : batch) {
        t.p0 -= origin;
        t.p1 -= origin;
        t.p2 -= origin;
    }
    simRendererState* cache = r->getState();
    cache->setState(simRenderState_addressU, gfx::D3DTADDRESS_CLAMP);
    cache->setState(simRenderState_addressV, gfx::D3DTADDRESS_CLAMP);
    r->drawTriangles2D(batch, brush);
    map->endDrawing(touched);
}
