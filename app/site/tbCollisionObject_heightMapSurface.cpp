// The height map's surface: the cells' world positions, the box, the
// coloured corners drawn by index from the map's own buffers, the blocks each
// view draws and the grid lines; and drawing it with the brush while the
// surface is edited.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/site/tbCollisionObject_heightMap.h"
#include "app/site/tbSiteEditorSettings.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simViewpoint.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/simIndexBuffer.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simVertexBuffer.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

constexpr uint32_t kLineColour = 0x9BFFFFFFu, kWhite = 0xFFFFFFFFu;
constexpr uint32_t kAlphaSelected = 150, kAlphaPlain = 75;
constexpr uint32_t kDepthLessEqual = 4, kDepthAlways = 8, kCullCounterClockwise = 2;
constexpr float kArrowLength = 100.0f, kArrowHeadSize = 20.0f;
constexpr int32_t kBrushSegments = 32;
const d3dx::Vector3 kUp(0, 1, 0);
const d3dx::Vector3 kLineLift(0, 1, 0);

}  // namespace

void tbCollisionObject_heightMap::buildSurface() {
    if (!m_rebuild) return;
    m_rebuild = 0;
    m_uploadDue = 1;
    ++m_surfaceBuild;
    const uint32_t n = m_cellsPerSide;
    const size_t squares = n > 1 ? size_t(n - 1) * (n - 1) : 0;
    m_lines.resize(squares * 2);
    m_gridVertices.resize(size_t(n) * n);

    m_box.reset();
    const float sideX = m_scale.x, sideZ = m_scale.z;
    for (uint32_t r = 0; r < n; ++r) {
        for (uint32_t c = 0; c < n; ++c) {
            Cell& cell = m_cells[size_t(r) * n + c];
            const d3dx::Vector3 local(sideX * float(r) / float(n) - sideX / 2, cell.height,
                                      sideZ * float(c) / float(n) - sideZ / 2);
            d3dx::Vec3TransformCoord(&cell.world, &local, &m_rotation);
            cell.world += m_position;
            m_box.growByPoint(cell.world);
        }
    }
    if (m_box.min.y > -kMinBoxReach) m_box.min.y = -kMinBoxReach;
    if (m_box.max.y < kMinBoxReach) m_box.max.y = kMinBoxReach;
    m_box.update();

    const uint32_t alpha = isSelected() ? kAlphaSelected : kAlphaPlain;
    const float range = std::fabs(m_box.max.y - m_box.min.y);
    // A square's colour, from the height of its first corner: the colour of
    // the vertex of the square's own cell.
    auto colourAt = [&](const d3dx::Vector3& p0) {
        // Heights from a file may be anything; a shade that is no number
        // (an infinite or NaN height) draws as the bottom of the range.
        const float shade = (p0.y - m_box.min.y) / range;
        const uint32_t blue = std::isfinite(shade) ? uint32_t(int32_t(std::clamp(shade, 0.0f, 1.0f) * 255.0f)) : 0u;
        return alpha << 24 | 0x6400u | blue;
    };
    std::vector<d3dx::Vector3> positions(m_cells.size());
    std::vector<uint32_t> colours(m_cells.size());
    for (size_t i = 0; i < m_cells.size(); ++i) {
        positions[i] = m_cells[i].world;
        colours[i] = colourAt(m_cells[i].world);
        // The squares are drawn untextured, so the corners need no texture
        // coordinates of their own.
        m_gridVertices[i] = simVertex(positions[i], colours[i], 0, 0, 1.0f, 1.0f, 1.0f, 1.0f);
        m_gridVertices[i].normal = kUp;
    }
    m_lod.build(n, positions, colours);
    simLine3D* line = m_lines.data();
    for (uint32_t r = 0; r + 1 < n; ++r) {
        for (uint32_t c = 0; c + 1 < n; ++c) {
            const d3dx::Vector3& p0 = cell(r, c).world;
            *line++ = simLine3D(p0 + kLineLift, cell(r + 1, c).world + kLineLift, kLineColour);
            *line++ = simLine3D(p0 + kLineLift, cell(r, c + 1).world + kLineLift, kLineColour);
        }
    }
}

void tbCollisionObject_heightMap::selectTriangles(const d3dx::Matrix& viewProjection, float width, float height,
                                                  std::vector<uint32_t>* indices) {
    m_lod.select(viewProjection, width, height, indices);
}

bool tbCollisionObject_heightMap::uploadSurface() {
    if (m_gridVertices.empty()) return false;
    const int32_t count = int32_t(m_gridVertices.size());
    if (!m_buffer || m_buffer->getVertexCount() != count) {
        m_buffer = std::make_unique<simVertexBuffer>(count, int32_t(sizeof(simVertex)), simVertex::kFormat, true,
                                                     false);
        m_uploadDue = 1;
    }
    if (!m_uploadDue) return true;
    void* out = m_buffer->lock(simVertexBuffer::lockDiscard, 0, -1);
    // A buffer that cannot be locked has reported why; try again next frame.
    if (!out) return false;
    std::memcpy(out, m_gridVertices.data(), m_gridVertices.size() * sizeof(simVertex));
    m_buffer->unlock();
    m_uploadDue = 0;
    return true;
}

simIndexBuffer* tbCollisionObject_heightMap::viewTriangles() {
    const simViewSource* source = getViewSource();
    if (!source) return nullptr;
    const d3dx::Matrix view = source->getViewTransform(), projection = source->getProjectionTransform();
    d3dx::Matrix viewProjection;
    d3dx::MatrixMultiply(&viewProjection, &view, &projection);
    const d3dx::Viewport viewport = source->getViewport();
    const float width = float(viewport.Width), height = float(viewport.Height);
    auto same = [&](const ViewTriangles& v) {
        return v.surface == m_surfaceBuild && v.width == width && v.height == height &&
               std::memcmp(&v.viewProjection, &viewProjection, sizeof viewProjection) == 0;
    };
    // The newest view is kept last; a view seen before moves there.
    if (same(m_views[0])) std::swap(m_views[0], m_views[1]);
    if (!same(m_views[1])) {
        std::swap(m_views[0], m_views[1]);
        ViewTriangles& fresh = m_views[1];
        selectTriangles(viewProjection, width, height, &m_selected);
        fresh.viewProjection = viewProjection;
        fresh.width = width;
        fresh.height = height;
        fresh.surface = m_surfaceBuild;
        fresh.buffer = m_selected.empty() ? nullptr : std::make_unique<simIndexBuffer>(m_selected);
    }
    return m_views[1].buffer.get();
}

void tbCollisionObject_heightMap::refreshSurface() {
    const manipulator& m = *getManipulator();
    // A move that did not come through a drag step (a copy put in its
    // place, a position typed in) changes the cells' world positions too.
    if (m.getPosition() != m_cachedPosition || m.getScale() != m_cachedScale ||
        m.getRotation() != m_cachedAngles)
        m_rebuild = 1;
    if (isEditing() || m_rebuild) {
        buildSurface();
        m_cachedPosition = m.getPosition();
        m_cachedScale = m.getScale();
        m_cachedAngles = m.getRotation();
    }
}

void tbCollisionObject_heightMap::render() {
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    if (!isVisible() || !renderer || m_gridVertices.size() < 4) return;
    refreshSurface();
    const bool editing = isEditing();
    renderer->setTransform(1, nullptr);
    simRendererState* state = renderer->getState();
    state->setState(simRenderState_backfaceCullMode, kCullCounterClockwise);
    state->setState(simRenderState_zFunction, kDepthLessEqual);
    if (uploadSurface()) {
        if (simIndexBuffer* triangles = viewTriangles()) {
            state->setState(simRenderState_texture0, static_cast<const simRendererStateTexture*>(nullptr));
            state->setState(simRenderState_shadeMode, gfx::D3DSHADE_FLAT);
            triangles->render(*m_buffer, gfx::D3DPT_TRIANGLELIST, int32_t(triangles->getIndexCount() / 3));
            state->setState(simRenderState_shadeMode, gfx::D3DSHADE_GOURAUD);
        }
    }

    if (editing) {
        renderer->drawLines3D(m_lines, nullptr);
        state->setState(simRenderState_zFunction, kDepthAlways);
        if (m_box.containsPoint(m_brushPoint)) {
            const tbSiteEditorSettings* settings = tbSiteEditorSettings::installed();
            const float radius = float(settings->brushRadius()) * kRadiusPerStep;
            renderer->drawArc3D(m_brushPoint, radius, kWhite, nullptr, kBrushSegments, &kUp);
            const bool lower = lowers(*settings, shiftHeld());
            const d3dx::Vector3 tip = m_brushPoint + d3dx::Vector3(0, lower ? -kArrowLength : kArrowLength, 0);
            renderer->drawLine3D(m_brushPoint, tip, kWhite, nullptr);
            renderer->drawArrowHead(m_brushPoint, tip, kArrowHeadSize, simColour::fromARGB(kWhite));
        }
        state->setState(simRenderState_zFunction, kDepthLessEqual);
    }
    tbCollisionObject::render();
}
