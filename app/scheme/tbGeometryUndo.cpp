#include "app/scheme/tbGeometryUndo.h"

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbTextureMap.h"

void tbGeometryUndo::addTriangle(const d3dx::Vector2& a, const d3dx::Vector2& b, const d3dx::Vector2& c) {
    m_dirty.growByPoint(a);
    m_dirty.growByPoint(b);
    m_dirty.growByPoint(c);
    m_paintChanged = true;
}

void tbGeometryUndo::addQuad(const d3dx::Vector2& a, const d3dx::Vector2& b, const d3dx::Vector2& c,
                             const d3dx::Vector2& d) {
    addTriangle(a, b, c);
    m_dirty.growByPoint(d);
}

void tbGeometryUndo::addRect(const simBoundingRect& rect) {
    m_dirty.growByRect(rect);
    m_paintChanged = true;
}

void tbGeometryUndo::push() {
    if (!m_paintChanged && !m_selectionChanged && !m_shapeChanged) return;
    auto state = std::make_unique<tbGeometryUndoState>();
    tbTextureMap* map = m_owner->getTextureMap();
    if (m_paintChanged && map) {
        simBoundingRect wide = m_dirty;
        wide.growByPoint(m_dirty.min - d3dx::Vector2{kMargin, kMargin});
        wide.growByPoint(m_dirty.max + d3dx::Vector2{kMargin, kMargin});
        state->area = tbPaintSpace::pixelsTouched(wide, map->getWidth(), map->getHeight());
        std::vector<uint32_t> before;
        if (!state->area.empty()) {
            if (!map->readPixels(map->getSnapshotSurface(), state->area, before)) {
                // Nothing of the step can be put back: no part of it is
                // recorded, and its reports go with it.
                commit();
                forgetReports();
                return;
            }
            state->pixels = tbPixelRuns(before);
        }
    }
    if (m_selectionChanged) {
        state->selectionSaved = true;
        state->faces = m_owner->selection.previousFaces;
        state->points = m_owner->selection.previousPoints;
    }
    if (m_shapeChanged && m_shapes) {
        state->shapeSaved = true;
        state->shape = m_shapes->snapshot();
    }
    m_states.push_back(std::move(state));
    commit();
    while (m_states.size() > kMaxStates) m_states.pop_front();
    forgetReports();
}

void tbGeometryUndo::undo() {
    if (m_states.empty()) return;
    const tbGeometryUndoState& state = *m_states.back();
    tbTextureMap* map = m_owner->getTextureMap();
    if (map && !state.area.empty()) map->writePixels(state.area, state.pixels.unpack());
    if (state.selectionSaved) {
        tbUVSelection& selection = m_owner->selection;
        selection.clear();
        selection.faces = state.faces;
        selection.points = state.points;
        m_owner->updateUVSelectionCentre();
    }
    if (state.shapeSaved && m_shapes) m_shapes->restore(state.shape);
    m_states.pop_back();
    commit();
}

void tbGeometryUndo::clear() {
    m_states.clear();
    forgetReports();
}

size_t tbGeometryUndo::memoryBytes() const {
    size_t bytes = 0;
    for (const auto& state : m_states) bytes += state->memoryBytes();
    return bytes;
}

void tbGeometryUndo::commit() {
    if (tbTextureMap* map = m_owner->getTextureMap()) map->takeSnapshot();
    for (const auto& t : m_owner->triangles)
        for (int i = 0; i < 3; ++i) t->importedUvs[i] = t->uvs[i];
}

void tbGeometryUndo::forgetReports() {
    m_paintChanged = m_selectionChanged = m_shapeChanged = false;
    m_dirty.reset();
}
