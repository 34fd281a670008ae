// tbCollisionObject_area (type tag 2): a polygon outline on the ground that
// the user draws point by point. Its sub-kind says what the simulator makes
// of it: a material-area (0) is a flat patch of ground with its own surface
// material, an area (1) a solid prism from the object's height down 100
// units per unit of y scale, a wind-area (2) such a prism that also carries
// wind values and a direction.
//
// Outline points are kept relative to the object's position in x and z (their
// y is kept but not used by the geometry), and after every edit the object
// recentres itself on their mean, so the points stay small wherever the area
// lies. The outline is triangulated from those relative points.
//
// Record: the base record, then
//   u32            sub-kind
//   u32 P, P x 3 f32  outline points (x, z relative to the position)
//   u32 T, T x 72 bytes  triangles: position, normal of each corner (3 f32 each)
//   3 f32          wind speed (m/s), turbulence, thermals; wind-areas only
// A reader skips the triangles: they are rebuilt from the points.
#pragma once

#include <vector>

#include "app/site/tbCollisionObject.h"
#include "engine/core/simPolygonTriangulator.h"
#include "engine/graphics/simDrawRecords.h"

class tbCollisionObject_area : public tbCollisionObject {
public:
    enum SubKind : uint32_t { subKind_material = 0, subKind_area = 1, subKind_wind = 2 };
    static constexpr uint32_t kSubKindCount = 3;
    static constexpr size_t kPointRecordSize = 12;
    static constexpr size_t kTriangleRecordSize = 72;
    // The walls of a prism reach down this far per unit of y scale.
    static constexpr float kWallDepthPerScale = 100.0f;
    // Screen distance (pixels, each axis) within which a point is hovered.
    static constexpr float kHoverPixels = 5.0f;

    // A new area at the position, without points.
    tbCollisionObject_area(SubKind subKind, const std::string& name, const d3dx::Vector3& position);
    // Reads the record after the type tag; an unknown sub-kind fails the
    // archive.
    explicit tbCollisionObject_area(tbReadArchive& in);
    tbCollisionObject_area(const tbCollisionObject_area& other);

    std::unique_ptr<tbCollisionObject> clone(const d3dx::Vector3& position) const override;
    // Writes the triangles of the current outline, whether or not it was
    // drawn since it last changed.
    void save(tbWriteArchive& out) const override;
    bool isWindArea() const override { return m_subKind == subKind_wind; }
    // Selected and the area editor's "Edit/add points" checked.
    bool isEditing() const override;
    // Point editing; see tbCollisionObject_areaEditing.cpp.
    void onEvent(const simInputEvent& event) override;
    void render() override;

    uint32_t getSubKind() const { return m_subKind; }
    float getWindSpeed() const { return m_windSpeed; }
    float getTurbulence() const { return m_turbulence; }
    float getThermals() const { return m_thermals; }
    void setWindSpeed(float value) { m_windSpeed = value; }
    void setTurbulence(float value) { m_turbulence = value; }
    void setThermals(float value) { m_thermals = value; }

    // ---- The outline.
    const std::vector<d3dx::Vector3>& getPoints() const { return m_points; }
    // Appends an outline point given relative to the position.
    void addPoint(const d3dx::Vector3& relative);
    // The outline point in the world: relative x and z plus the position's.
    d3dx::Vector3 worldPoint(size_t index) const;
    // Moves the object to the mean of its world points (y kept) and the
    // points the other way, so none of them moves in the world; nothing
    // without points.
    void recentre();
    // The first step of each frame's drawing: a rebuild while the points are
    // edited or when the manipulator moved or scaled the area.
    void refreshGeometry();
    // Rebuilds the drawn triangles from the outline (nothing kept below 3
    // points).
    void buildGeometry();
    const std::vector<simTriangle3D>& getTriangles() const { return m_triangles; }

    int32_t getHovered() const { return m_hovered; }
    int32_t getDragged() const { return m_dragged; }
    int32_t getSelectedPoint() const { return m_selected; }

private:
    // The manipulator's axes by sub-kind, and no edit state.
    void configure();
    // The triangles of the outline in the colours of `alpha`.
    void makeTriangles(std::vector<simTriangle3D>& out, uint32_t alpha) const;
    template <class A, class Self>
    static void transferTail(A& a, Self& self);

    // Point editing (tbCollisionObject_areaEditing.cpp).
    bool takesPointEdits() const;
    void removePoint(size_t index);
    void hoverTest(const simInputEvent& event);
    void onButton(const simInputEvent& event);

    uint32_t m_subKind = subKind_material;
    uint8_t m_pressed = 0;
    float m_windSpeed = 0.0f, m_turbulence = 0.0f, m_thermals = 0.0f;
    std::vector<simTriangle3D> m_triangles;
    std::vector<d3dx::Vector3> m_points;
    int32_t m_hovered = -1, m_dragged = -1, m_selected = -1;
    d3dx::Vector3 m_cachedPosition, m_cachedScale;
    // Kept for its storage: a rebuild while editing allocates nothing.
    mutable simPolygonTriangulator m_triangulator;
    mutable std::vector<d3dx::Vector4> m_outline, m_cut;
};
