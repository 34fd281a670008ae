// tbGeometryUndo: the model's paint undo history.
//
// The painting tools save nothing themselves: while they paint they report
// the texels they touched (addTriangle, addQuad, addRect) and whether the UV
// selection or the shape outline changed. When a step ends (the left button
// released in the view, or a bar's action done) `push` turns the reports
// into one state: the pixels of the touched area as they were before the
// step (read from the texture map's snapshot surface), the selection before
// the click and the shape outline before the edit. `undo` puts the newest
// state back and drops it. At most 25 states are kept; there is no redo.
//
// States live in system memory, run-length packed where that pays, so a
// lost device costs them nothing and the memory follows the painted area.
// Each state covers only what changed since the state before it: the
// touched area is forgotten after every push, and undoing the states in
// turn brings each area back to what it was before its own step.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>

#include "app/scheme/tbPaintSpace.h"
#include "app/scheme/tbPixelRuns.h"
#include "app/scheme/tbStoredShape.h"
#include "app/scheme/tbTriangle.h"
#include "engine/core/simBoundingRect.h"

class tbGeometry;

struct tbGeometryUndoState {
    tbPaintSpace::PixelRect area;  // empty: the step changed no pixel that could be kept
    tbPixelRuns pixels;            // the area as it was before the step
    bool selectionSaved = false;
    std::list<tbTriangle::CornerRef> points;  // the selection before the step
    std::list<tbTriangle*> faces;
    bool shapeSaved = false;
    tbStoredShape shape;  // the outline before the edit

    size_t memoryBytes() const { return sizeof(*this) + pixels.memoryBytes(); }
};

class tbGeometryUndo {
public:
    static constexpr size_t kMaxStates = 25;
    // Pixels around every reported area that a state keeps too (the
    // device's rounding and the seam strips reach that far).
    static constexpr float kMargin = 5.0f;

    // The shape tool's side of the history: the outline as it was before
    // the edit under way, and putting a kept outline back.
    class ShapeHistory {
    public:
        virtual ~ShapeHistory() = default;
        virtual tbStoredShape snapshot() const = 0;
        virtual void restore(const tbStoredShape& shape) = 0;
    };

    explicit tbGeometryUndo(tbGeometry* owner) : m_owner(owner) {}

    // ---- Reports of the tools (texel coordinates).
    void addTriangle(const d3dx::Vector2& a, const d3dx::Vector2& b, const d3dx::Vector2& c);
    void addQuad(const d3dx::Vector2& a, const d3dx::Vector2& b, const d3dx::Vector2& c, const d3dx::Vector2& d);
    void addRect(const simBoundingRect& rect);
    void setSelectionChanged() { m_selectionChanged = true; }
    void setShapeChanged() { m_shapeChanged = true; }

    // Records one state when anything was reported since the last push,
    // then makes the current picture and UVs the base of the next step.
    // A state whose pixels cannot be read is dropped whole (the step cannot
    // be undone) and every report is forgotten with it.
    void push();
    // Puts the newest state back and drops it; nothing without states.
    void undo();
    // Drops every state and report.
    void clear();

    void setShapeHistory(ShapeHistory* shapes) { m_shapes = shapes; }

    size_t count() const { return m_states.size(); }
    const std::list<std::unique_ptr<tbGeometryUndoState>>& states() const { return m_states; }
    // The memory the states hold.
    size_t memoryBytes() const;
    // The texels reported since the last push (empty after it).
    const simBoundingRect& dirtyRect() const { return m_dirty; }
    bool paintChanged() const { return m_paintChanged; }
    bool selectionChanged() const { return m_selectionChanged; }
    bool shapeChanged() const { return m_shapeChanged; }

private:
    void commit();
    void forgetReports();

    tbGeometry* m_owner;
    ShapeHistory* m_shapes = nullptr;
    bool m_paintChanged = false, m_selectionChanged = false, m_shapeChanged = false;
    simBoundingRect m_dirty;
    std::list<std::unique_ptr<tbGeometryUndoState>> m_states;  // newest at the back
};
