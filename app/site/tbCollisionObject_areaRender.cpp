// Drawing an area: its triangles, and while its points are edited the point
// markers and the outline; its name, and a wind-area's wind arrows and speed.
#include <cstdio>

#include "app/site/tbCollisionObject_area.h"
#include "app/site/tbSiteEditorSettings.h"
#include "app/site/tbWindArrows.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/core/utilsPicking.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/simFont.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu, kRed = 0xFFFF0000u, kHoverColour = 0x7DFFFFFFu;
constexpr uint32_t kDepthLessEqual = 4, kCullNone = 0;

simFont* font(const char* name) { return dynamic_cast<simFont*>(simResources::getResource(name, false)); }

d3dx::Vector2 around(const d3dx::Vector2& s, float d) { return {s.x + d, s.y + d}; }

}  // namespace

void tbCollisionObject_area::refreshGeometry() {
    const manipulator& m = *getManipulator();
    if (m_points.empty()) return;
    if (isEditing() || m.getPosition() != m_cachedPosition || m.getScale() != m_cachedScale) {
        m_cachedPosition = m.getPosition();
        m_cachedScale = m.getScale();
        buildGeometry();
    }
}

void tbCollisionObject_area::render() {
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    if (!isVisible() || !renderer) return;
    renderer->setTransform(1, nullptr);
    simRendererState* state = renderer->getState();
    state->setState(simRenderState_zFunction, kDepthLessEqual);
    state->setState(simRenderState_backfaceCullMode, kCullNone);

    const bool editing = isEditing();
    refreshGeometry();
    if (m_points.size() > 2) renderer->drawTriangles3D(m_triangles, nullptr);

    if (editing) {
        std::vector<simScreenRect> rects;
        std::vector<simLine3D> lines;
        const float bottom = m_position.y - m_scale.y * kWallDepthPerScale;
        for (size_t i = 0; i < m_points.size(); ++i) {
            const d3dx::Vector3 p = worldPoint(i), n = worldPoint((i + 1) % m_points.size());
            d3dx::Vector2 s;
            if (utils::worldToScreen2D(p, &s)) {
                const int32_t index = int32_t(i);
                if (index == m_hovered || index == m_dragged)
                    rects.emplace_back(around(s, -6), around(s, 6), kHoverColour);
                if (index == m_selected) rects.emplace_back(around(s, -5), around(s, 5), kRed);
                rects.emplace_back(around(s, -2), around(s, 2), kWhite);
            }
            lines.emplace_back(p + d3dx::Vector3(0, 1, 0), n + d3dx::Vector3(0, 1, 0), kWhite);
            if (m_subKind != subKind_material)
                lines.emplace_back(d3dx::Vector3(p.x, m_position.y, p.z), d3dx::Vector3(p.x, bottom, p.z), kWhite);
        }
        renderer->drawRects(rects, nullptr);
        renderer->drawLines3D(lines, nullptr);
    }

    if (simFont* nameFont = font("collisionMarkerFont"); nameFont && !m_points.empty()) {
        d3dx::Vector3 mean;
        for (size_t i = 0; i < m_points.size(); ++i) mean += worldPoint(i);
        mean /= float(m_points.size());
        if (d3dx::Vector2 s; utils::worldToScreen2D(mean, &s))
            nameFont->drawTextCentred(m_name, s.x, s.y, simColour::fromARGB(kWhite));
    }

    if (m_subKind == subKind_wind) {
        const simColour red = simColour::fromARGB(kRed);
        tbDrawWindArrows(m_rotation, m_position, kRed);
        if (simFont* large = font("collisionMarkerFontLarge")) {
            char text[64];
            std::snprintf(text, sizeof text, "Speed: %0.2f m/s", double(m_windSpeed));
            if (d3dx::Vector2 s; utils::worldToScreen2D(m_position, &s)) large->drawTextCentred(text, s.x, s.y, red);
        }
    }
    tbCollisionObject::render();
}
