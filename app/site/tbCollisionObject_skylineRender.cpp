// Drawing a skyline: the walls between its posts and, while its posts are
// edited, the posts, their handles and the placing guides.
#include "app/site/tbCollisionObject_skyline.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simMouse.h"
#include "engine/core/utilsPicking.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"

namespace {

constexpr uint32_t kRed = 0xFFFF0000u, kWhite = 0xFFFFFFFFu, kHandleColour = 0x9BFFFFFFu;
constexpr uint32_t kWallColour = 0x4BFF0000u, kWallColourSelected = 0x9BFF0000u, kCrossColour = 0x96FF4B4Bu;
constexpr uint32_t kDepthAlways = 8, kCullNone = 0;
constexpr float kCrossArm = 250.0f;

void addHandle(std::vector<simScreenRect>& rects, const d3dx::Vector2& s, bool highlighted) {
    if (highlighted) rects.emplace_back(d3dx::Vector2(s.x - 4, s.y - 4), d3dx::Vector2(s.x + 4, s.y + 4), kRed);
    rects.emplace_back(d3dx::Vector2(s.x - 2, s.y - 2), d3dx::Vector2(s.x + 2, s.y + 2), kHandleColour);
}

}  // namespace

void tbCollisionObject_skyline::render() {
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    if (!isVisible() || !renderer) return;
    renderer->setTransform(1, nullptr);
    simRendererState* state = renderer->getState();
    state->setState(simRenderState_zFunction, kDepthAlways);
    state->setState(simRenderState_backfaceCullMode, kCullNone);

    const bool editing = isEditing();
    const uint32_t wallColour = isSelected() ? kWallColourSelected : kWallColour;
    std::vector<simQuad3D> walls;
    std::vector<simLine3D> posts;
    for (size_t i = 0; i < m_points.size(); ++i) {
        const tbSkylinePoint& post = m_points[i];
        if (editing) posts.emplace_back(post.base, post.top, kRed);
        if (i == 0) continue;
        const tbSkylinePoint& previous = m_points[i - 1];
        simQuad3D wall(previous.base, previous.top, post.top, post.base, wallColour);
        wall.n0 = wall.n1 = wall.n2 = wall.n3 = d3dx::Vector3(0, 1, 0);
        walls.push_back(wall);
    }
    renderer->drawQuads3D(walls, nullptr);
    renderer->drawLines3D(posts, nullptr);

    if (editing) {
        std::vector<simScreenRect> handles;
        for (size_t i = 0; i < m_points.size(); ++i) {
            const int32_t index = int32_t(i);
            d3dx::Vector2 base, top;
            if (!utils::worldToScreen2D(m_points[i].base, &base)) continue;
            addHandle(handles, base, index == m_hoveredBase || index == m_draggedBase);
            if (utils::worldToScreen2D(m_points[i].top, &top))
                addHandle(handles, top, index == m_hoveredTop || index == m_draggedTop);
        }
        renderer->drawRects(handles, nullptr);
        if (m_placing && !m_points.empty()) {
            renderer->drawLine3D(m_points.back().base, m_newTop, kWhite, nullptr);
        } else if (const simMouse* mouse = g_input ? g_input->getMouse() : nullptr; mouse && !m_placing) {
            const d3dx::Vector2 at(float(mouse->getX()), float(mouse->getY()));
            renderer->drawLines2D({simScreenLine({at.x, at.y - kCrossArm}, {at.x, at.y + kCrossArm}, kCrossColour,
                                                 kCrossColour),
                                   simScreenLine({at.x - kCrossArm, at.y}, {at.x + kCrossArm, at.y}, kCrossColour,
                                                 kCrossColour)},
                                  nullptr);
        }
    }
    tbCollisionObject::render();
}
