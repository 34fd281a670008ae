// tbCollisionObject_skyline (type tag 4): a chain of vertical posts on the
// ground, each a base and a top; consecutive posts span a translucent wall.
// It outlines the horizon of the panorama (trees, buildings) so that the
// simulator can collide with it. Posts are absolute world points, apart from
// the object's position; a new skyline's manipulator is hidden and disabled.
//
// Record: the base record, then u32 post count and per post the base and the
// top (3 f32 each, 24 bytes). A post with a base or top exactly at the origin
// is dropped on reading (an unset post).
#pragma once

#include <vector>

#include "app/site/tbCollisionObject.h"

struct tbSkylinePoint {
    d3dx::Vector3 base, top;
    bool operator==(const tbSkylinePoint&) const = default;
};

class tbCollisionObject_skyline : public tbCollisionObject {
public:
    static constexpr size_t kPostRecordSize = 24;
    // Posts are put down no farther than this from the origin in x and z.
    static constexpr float kMaxGroundDistance = 100000.0f;
    // Screen distance (pixels, each axis) within which a base or top is hovered.
    static constexpr float kHoverPixels = 2.0f;

    explicit tbCollisionObject_skyline(const std::string& name);
    explicit tbCollisionObject_skyline(tbReadArchive& in);
    tbCollisionObject_skyline(const tbCollisionObject_skyline& other);

    std::unique_ptr<tbCollisionObject> clone(const d3dx::Vector3& position) const override;
    void save(tbWriteArchive& out) const override;
    // Selected and the skyline editor's "Add/edit points" checked.
    bool isEditing() const override;
    // Post editing; see tbCollisionObject_skylineEditing.cpp.
    void onEvent(const simInputEvent& event) override;
    void render() override;

    const std::vector<tbSkylinePoint>& getPoints() const { return m_points; }
    void addPoint(const tbSkylinePoint& point) { m_points.push_back(point); }
    void removeLastPoint();
    bool isPlacing() const { return m_placing != 0; }

private:
    template <class A, class Self>
    static void transferTail(A& a, Self& self);

    // Post editing (tbCollisionObject_skylineEditing.cpp).
    bool takesPostEdits() const;
    void forgetIndices();
    void onRelease(const simInputEvent& event);
    void onMove(const simInputEvent& event);
    // The top of the post on `base` for the mouse at screen height y.
    d3dx::Vector3 topFromMouse(const d3dx::Vector3& base, int32_t mouseY) const;

    int32_t m_hoveredBase = -1, m_hoveredTop = -1, m_draggedBase = -1, m_draggedTop = -1;
    d3dx::Vector3 m_newTop;
    uint8_t m_placing = 0;
    std::vector<tbSkylinePoint> m_points;
};
