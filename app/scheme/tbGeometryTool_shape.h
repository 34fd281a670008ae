// tbGeometryTool_shape: the shape tool's outline and its editing.
//
// The user draws a closed outline over the view point by point: a click
// away from the outline appends a point, a click near a segment inserts one
// on it (or, with one of the shape bar's curve buttons checked, makes that
// segment curved or straight), a press on a point or a curve handle drags
// it, and Delete or Backspace removes the selected point. Every edit that
// moves or removes points keeps the outline as it was before in the
// snapshot and records an undo state holding it; undoing the state puts the
// snapshot back (the tool is the undo history's ShapeHistory).
//
// Positions are back-buffer pixels, as the mouse's; the same outline shows
// in both views. The fills are the geometry's (tbShapeFill.cpp).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbStoredShape.h"
#include "engine/core/simColour.h"
#include "platform/d3dx/d3dxMathTypes.h"

class tbGeometry;
struct simInputEvent;

class tbGeometryTool_shape : public tbGeometryUndo::ShapeHistory {
public:
    // The shape bar's pair of curve buttons, at most one of them checked.
    enum CurveButton : int32_t { kNoCurveButton = 0, kCreateCurve = 1, kClearCurve = 2 };
    // What of a point lies under the mouse or is dragged.
    static constexpr int32_t kThePoint = -1, kOutHandle = 0, kInHandle = 1;
    static constexpr const char* kSnapshotName = "undo_shape";
    static constexpr int32_t kTool = 1;  // the tool state's number for the shape tool

    explicit tbGeometryTool_shape(tbGeometry* owner) : m_owner(owner) {}

    // One input event of the view (the model's handler passes them on while
    // the shape tool is current and the mouse gate is open): hovering,
    // dragging, appending, inserting, curving and deleting.
    void onEvent(const simInputEvent& event);

    // Keeps the outline in the snapshot, under "undo_shape".
    void takeSnapshot();
    // The outline becomes copies of the record's points, and nothing is
    // hovered, dragged or selected; nothing happens for null.
    void restore(const tbStoredShape* shape);
    // Inserts a copy of `point` before `position` (the count appends).
    void addPoint(size_t position, const tbShapePoint& point);
    // The segment from the point becomes a curve with both handles (10, 0),
    // or a straight line with no handles.
    static void makeCurved(tbShapePoint& point);
    static void makeStraight(tbShapePoint& point);
    // Removes every point; the indices stay as they were and are checked
    // against the count wherever they are used.
    void clear() { m_points.clear(); }

    // The outline with its points, handles, the hovered point and insertion
    // mark, filled faintly in `main`, in back-buffer pixels over whichever
    // view is shown (the caller sets the depth test and culling).
    void renderPreview(const simColour& main) const;

    // The shape bar's curve buttons: the bar checks one; the tool unchecks it
    // once used and tells the bar through the listener.
    void setCurveButton(CurveButton button) { m_curveButton = button; }
    CurveButton curveButton() const { return m_curveButton; }
    void setCurveButtonListener(std::function<void(CurveButton)> listener) { m_curveListener = std::move(listener); }

    const std::vector<tbShapePoint>& points() const { return m_points; }
    const tbStoredShape& snapshotRecord() const { return m_snapshot; }
    int32_t hoveredIndex() const { return m_hoveredIndex; }
    int32_t hoveredPart() const { return m_hoveredPart; }
    int32_t dragIndex() const { return m_dragIndex; }
    int32_t selectedIndex() const { return m_selectedIndex; }
    int32_t insertionIndex() const { return m_insertionIndex; }
    const d3dx::Vector2& insertionPoint() const { return m_insertionPoint; }

    // The undo history's side.
    tbStoredShape snapshot() const override { return m_snapshot; }
    void restore(const tbStoredShape& shape) override { restore(&shape); }

private:
    void hover(const d3dx::Vector2& mouse);
    void drag(const d3dx::Vector2& mouse);
    void onLeftButton(const simInputEvent& event);
    void onRelease(const d3dx::Vector2& mouse);
    void deleteSelected();
    void recordEdit();
    void useCurveButton(tbShapePoint& segmentStart);
    bool isPoint(int32_t index) const { return index >= 0 && size_t(index) < m_points.size(); }

    tbStoredShape m_snapshot;
    std::vector<tbShapePoint> m_points;
    d3dx::Vector2 m_insertionPoint;  // (0, 0): no segment near the mouse
    int32_t m_hoveredIndex = -1;
    int32_t m_hoveredPart = kThePoint;
    int32_t m_dragPart = kThePoint;
    int32_t m_dragIndex = -1;
    int32_t m_selectedIndex = -1;
    int32_t m_insertionIndex = -1;
    d3dx::Vector2 m_segmentStart, m_segmentEnd;
    CurveButton m_curveButton = kNoCurveButton;
    std::function<void(CurveButton)> m_curveListener;
    tbGeometry* m_owner;
};

// The shape bar's fill: the outline filled in the view shown (`viewMode` 1
// the texture view, else the 3-D view) with the shape bar's gradient and
// axis from the model's tool settings, then one undo state for the paint.
void tbApplyShapeFill(tbGeometry& model, int32_t viewMode, const simColour& main, const simColour& second);
