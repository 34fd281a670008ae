// The cursors of the brush, the flood fill and the mirror: what the next
// stamp, fill or copy will touch, drawn over the model instead of into the
// texture.
#include <cmath>
#include <vector>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryRender.h"
#include "app/scheme/tbPaintSpace.h"
#include "app/scheme/tbTextureMap.h"
#include "app/shell/tbDevice.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simTexture.h"

namespace {

constexpr float kPi = 3.1415f;  // the program's own pi, as every tool converts its angles with it
constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kDepthAlways = 8;
constexpr uint32_t kAddressWrap = 1, kAddressClamp = 3;
// The texture-view stamp is a square of side 20 x size texels; the ring
// around it has three quarters of its half side as radius.
constexpr float kStampHalfSide = 10.0f;
constexpr float kRingRadius = 7.5f;
constexpr float kArrowHeadPixels = 7.5f;

}  // namespace

void tbGeometry::renderBrushPreviewTexture(simTexture* brush, float mouseX, float mouseY, float size) {
    simRenderer* r = tbRenderer();
    const tbTextureMap* map = getTextureMap();
    if (!r || !r->getState() || !map || map->getWidth() == 0 || map->getHeight() == 0) return;
    d3dx::Vector2 at;
    if (!tbPaintSpace::textureViewFraction(mouseX, mouseY, &at)) return;
    simRendererState& state = *r->getState();
    state.setState(simRenderState_alphaBlend, 1);
    state.setState(simRenderState_backfaceCullMode, 0);
    state.setState(simRenderState_zFunction, kDepthAlways);

    // The stamp's corners in texels (rows downwards), turned by the brush
    // angle as the stamp turns them, then put on the square by the texture's
    // own width and height, so the cursor covers exactly the texels the
    // stamp will, whatever the texture's size.
    const tbGeometryFrame& frame = getRender().frame();
    const float angle = frame.brushAngle / 180.0f * kPi;
    const float c = std::cos(angle), s = std::sin(angle);
    const float width = float(map->getWidth()), height = float(map->getHeight());
    const float h = kStampHalfSide * size;
    const d3dx::Vector2 texel[4] = {{-h, -h}, {h, -h}, {h, h}, {-h, h}};
    d3dx::Vector3 corner[4];
    for (int i = 0; i < 4; ++i) {
        const float x = texel[i].x * c - texel[i].y * s, y = texel[i].x * s + texel[i].y * c;
        corner[i] = {at.x + x / width, at.y - y / height, 0.0f};
    }
    r->drawQuad3D(corner[0], corner[1], corner[2], corner[3], frame.mainColour.toARGB(), brush);
    r->drawArc3D({at.x, at.y, 0.0f}, kRingRadius * size / width, kRed, nullptr, 32);
}

void tbGeometry::renderBrushPreview3D(simTexture* brush, const d3dx::Vector3&, float) {
    simRenderer* r = tbRenderer();
    if (!r || !r->getState()) return;
    // The patch shaded and cut at the fade exactly as the stamp does it, at
    // the triangles' own places instead of their texels; the caller has set
    // the depth test.
    const tbGeometryFrame& frame = getRender().frame();
    std::vector<simTriangle3D> records;
    records.reserve(brush3D.patch.size());
    std::vector<tbBrushProjection::Piece> pieces;
    for (const tbTriangle* t : brush3D.patch) {
        d3dx::Vector2 uvs[3];
        if (!t || !brush3D.shade(*t, frame.brushAngle, uvs)) continue;
        pieces.clear();
        brush3D.cutAtFade(tbBrushProjection::cornersOf(*t), pieces);
        for (const tbBrushProjection::Piece& p : pieces) {
            auto colour = [&](int k) { return brush3D.colourAt(p[k].depth, frame.mainColour); };
            records.emplace_back(p[0].of(t->positions), p[1].of(t->positions), p[2].of(t->positions),
                                 p[0].of(t->normals), p[1].of(t->normals), p[2].of(t->normals), p[0].of(uvs),
                                 p[1].of(uvs), p[2].of(uvs), colour(0), colour(1), colour(2));
        }
    }
    simRendererState& state = *r->getState();
    state.setState(simRenderState_addressU, kAddressClamp);
    state.setState(simRenderState_addressV, kAddressClamp);
    r->drawTriangles3D(records, brush);
    state.setState(simRenderState_addressU, kAddressWrap);
    state.setState(simRenderState_addressV, kAddressWrap);
}

void tbGeometryRender::drawBrushPreview3D() {
    const d3dx::Vector3& point = m_model.pickedPoint;
    const d3dx::Vector3& normal = m_model.pickedNormal;
    simRenderer* r = tbRenderer();
    r->getState()->setState(simRenderState_zFunction, kDepthAlways);
    m_model.renderBrushPreview3D(m_frame.brushTexture, point, m_frame.brushSize);
    r->drawArc3D(point, m_frame.brushSize * 0.6f, kRed, nullptr, 32, &normal);
    r->drawLine3D(point, point + normal * 5.0f, kRed, nullptr, {0, 0}, {1, 1});
    r->getState()->setState(simRenderState_zFunction, 4);
}

void tbGeometryRender::drawFloodPreview() {
    const simBoundingBox& box = m_model.pickedObject->box;
    const uint32_t main = m_frame.mainColour.toARGB();
    const bool gradient = m_model.toolSettings.floodGradient != 0;
    const uint32_t axis = m_model.toolSettings.floodAxis;
    const uint32_t far = gradient && axis < 3 ? m_frame.secondColour.toARGB() : main;
    // The box's corner for a choice of minimum (0) or maximum (1) per axis.
    auto corner = [&box](int x, int y, int z) {
        return d3dx::Vector3(x ? box.max.x : box.min.x, y ? box.max.y : box.min.y, z ? box.max.z : box.min.z);
    };
    auto sideOf = [axis](int x, int y, int z) { return axis == 0 ? x : axis == 1 ? y : axis == 2 ? z : 0; };
    auto colourOf = [&](int x, int y, int z) { return sideOf(x, y, z) ? far : main; };
    std::vector<simLine3D> lines;
    std::vector<std::pair<d3dx::Vector3, d3dx::Vector3>> arrows;
    // Each edge joins two corners that differ on one axis.
    for (int along = 0; along < 3; ++along) {
        for (int a = 0; a < 2; ++a) {
            for (int b = 0; b < 2; ++b) {
                int from[3], to[3];
                const int other1 = (along + 1) % 3, other2 = (along + 2) % 3;
                from[along] = 0;
                to[along] = 1;
                from[other1] = to[other1] = a;
                from[other2] = to[other2] = b;
                const d3dx::Vector3 p = corner(from[0], from[1], from[2]), q = corner(to[0], to[1], to[2]);
                lines.emplace_back(p, q, colourOf(from[0], from[1], from[2]), colourOf(to[0], to[1], to[2]));
                if (gradient && uint32_t(along) == axis) arrows.emplace_back(p, q);
            }
        }
    }
    simRenderer* r = tbRenderer();
    r->drawLines3D(lines, nullptr);
    simColour white;
    white.set(255, 255, 255, 255);
    for (const auto& [from, to] : arrows) r->drawArrowHead(from, to, kArrowHeadPixels, white);
}

void tbGeometryRender::drawMirrorPreview() {
    const int32_t direction = m_model.toolSettings.mirrorDirection;
    if (direction != 0 && direction != 1) return;
    // The box around every part painting acts on: what the mirror acts on.
    simBoundingBox box;
    tbForEachPaintablePart(m_model.roots, [&box](const tbMeshPart& part) { box.growByBox(part.box); });
    if (!box.hasExtent()) return;
    // The four edges along x, black on the side read and yellow on the side
    // written, with the arrow heads on the written side.
    constexpr uint32_t kBlack = 0xFF000000u, kYellow = 0xFFFFFF00u;
    const float written = direction == 0 ? box.min.x : box.max.x;
    const float read = direction == 0 ? box.max.x : box.min.x;
    std::vector<simLine3D> lines;
    for (const float y : {box.min.y, box.max.y})
        for (const float z : {box.min.z, box.max.z})
            lines.emplace_back(d3dx::Vector3(read, y, z), d3dx::Vector3(written, y, z), kBlack, kYellow);
    simRenderer* r = tbRenderer();
    r->drawLines3D(lines, nullptr);
    simColour yellow;
    yellow.set(255, 255, 255, 0);
    for (const simLine3D& line : lines) r->drawArrowHead(line.p0, line.p1, kArrowHeadPixels, yellow);
}
