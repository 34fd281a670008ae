// tbCollisionObject_heightMap (type tag 1): a square grid of N x N height
// cells stretched over the object's x and z scale, turned and placed by its
// manipulator: the simulator's terrain surface. The user shapes it with a
// round brush that raises or lowers the cells under it while the left button
// is held, at most ten strokes a second, with the height-map editor's radius,
// strength, direction and height limits (tbSiteEditorSettings).
//
// Record: the base record, then
//   6 f32   box of the cells' world positions: min x, y, z, max x, y, z
//   u32     N
//   N x N cells, row by row, 48 bytes each: f32 height, 3 f32 world
//           position, 4 i32 colour (red, green, blue, alpha), then the
//           colour's four floats (each component / 255)
// A reader keeps the heights and colours; positions and box are recomputed.
// A 50 x 50 map's record is 239 + 24 + 4 + 120000 bytes.
//
// Drawing: the surface is one vertex per cell in a vertex buffer of its own,
// refilled only when the surface is rebuilt, drawn by index with one call a
// view. Each square is one colour: flat shading takes it from the square's
// first corner, the vertex of the square's own cell, so sharing the corners
// keeps the picture of separately coloured squares. Which squares a view
// draws, and which it draws merged into larger blocks (flat ones, and those
// too far off to show their squares), tbHeightMapLod decides; the indices of
// the last two views are kept, so a view that has not moved reuses them.
#pragma once

#include <memory>
#include <vector>

#include "app/site/tbCollisionObject.h"
#include "app/site/tbHeightMapLod.h"
#include "engine/core/simBoundingBox.h"
#include "engine/core/simColour.h"
#include "engine/core/simVertex.h"
#include "engine/core/utilsTimer.h"
#include "engine/graphics/simDrawRecords.h"

class simIndexBuffer;
class simVertexBuffer;
class tbSiteEditorSettings;

class tbCollisionObject_heightMap : public tbCollisionObject {
public:
    static constexpr size_t kCellRecordSize = 48;
    // A map has at least one quad and at most a million cells; a record
    // outside these sizes is refused.
    static constexpr uint32_t kMinCellsPerSide = 2, kMaxCellsPerSide = 1024;
    static constexpr size_t kTailHeaderSize = 24 + 4;
    // The shortest time between two brush strokes (ms).
    static constexpr double kStrokeIntervalMs = 100.0;
    // The box always reaches at least this far below and above zero, so a
    // flat map's colours come from a fixed range.
    static constexpr float kMinBoxReach = 100.0f;
    // The editor's track bars in world units: brush radius and strength per
    // step.
    static constexpr float kRadiusPerStep = 20.0f;
    static constexpr float kStrengthPerStep = 0.2f;

    struct Cell {
        float height = 0.0f;
        d3dx::Vector3 world;  // recomputed by buildSurface
        simColour colour;     // 255 each for a new cell
    };

    // A new N x N map, every cell at height 0, white.
    tbCollisionObject_heightMap(const std::string& name, const d3dx::Vector3& position,
                                const d3dx::Vector3& angles, const d3dx::Vector3& scale, uint32_t cellsPerSide);
    // Reads the record after the type tag; more cells than the bytes left
    // fail the archive.
    explicit tbCollisionObject_heightMap(tbReadArchive& in);
    tbCollisionObject_heightMap(const tbCollisionObject_heightMap& other);
    ~tbCollisionObject_heightMap() override;

    std::unique_ptr<tbCollisionObject> clone(const d3dx::Vector3& position) const override;
    void save(tbWriteArchive& out) const override;
    // The brush while the left button is held (see applyBrush).
    void update() override;
    // A mouse move while the surface is edited sets the brush point.
    void onEvent(const simInputEvent& event) override;
    // Selected and the height-map editor's "Edit surface" checked.
    bool isEditing() const override;
    void onManipulated(manipulator* source, int mode) override;
    void render() override;

    uint32_t getCellsPerSide() const { return m_cellsPerSide; }
    const Cell& cell(uint32_t row, uint32_t column) const { return m_cells[row * m_cellsPerSide + column]; }
    void setHeight(uint32_t row, uint32_t column, float height);
    const simBoundingBox& getBox() const { return m_box; }
    const d3dx::Vector3& getBrushPoint() const { return m_brushPoint; }
    void setBrushPoint(const d3dx::Vector3& point) { m_brushPoint = point; }
    bool needsRebuild() const { return m_rebuild != 0; }

    // The first step of each frame's drawing: a rebuild when the surface is
    // edited or the manipulator's position, scale or angles changed since
    // the last one.
    void refreshSurface();
    // Recomputes the cells' world positions, the box, the surface's vertices
    // and the grid lines; only when a rebuild is due.
    void buildSurface();
    // One brush stroke with the editor's settings, when the last one is at
    // least kStrokeIntervalMs ago and the brush point is set; `shift` turns
    // the direction round.
    void applyBrush(bool shift);

    // What is drawn, as last built: one vertex per cell, row by row,
    // carrying the colour of the square it is the first corner of; and the
    // lines shown while the surface is edited (two per square).
    const std::vector<simVertex>& getGridVertices() const { return m_gridVertices; }
    const std::vector<simLine3D>& getLines() const { return m_lines; }
    // The triangles (indices into the grid vertices) drawn through a
    // world-to-clip matrix into a viewport of that size.
    void selectTriangles(const d3dx::Matrix& viewProjection, float width, float height, std::vector<uint32_t>* indices);

private:
    void finishConstruction();
    // Whether the brush lowers the ground: "depress", turned round by Shift.
    static bool lowers(const tbSiteEditorSettings& settings, bool shift);
    static bool shiftHeld();
    template <class A, class Self>
    static void transferTail(A& a, Self& self);
    // Copies the built grid vertices into the surface's vertex buffer, making
    // it when missing; false when there is nothing to draw.
    bool uploadSurface();
    // The index buffer of the current view's triangles (null: none drawn).
    simIndexBuffer* viewTriangles();

    // The triangles of one view, kept while the view and the surface stay.
    struct ViewTriangles {
        d3dx::Matrix viewProjection;
        float width = 0, height = 0;
        uint64_t surface = 0;  // the build they were selected from
        std::unique_ptr<simIndexBuffer> buffer;
    };

    utils::Timer m_brushWatch;
    uint8_t m_rebuild = 1;
    uint8_t m_uploadDue = 1;
    simBoundingBox m_box;
    std::vector<simVertex> m_gridVertices;
    std::vector<simLine3D> m_lines;
    tbHeightMapLod m_lod;
    uint64_t m_surfaceBuild = 0;  // counts the builds
    ViewTriangles m_views[2];     // the last two views drawn, the older first
    std::vector<uint32_t> m_selected;
    uint32_t m_cellsPerSide = 0;
    std::vector<Cell> m_cells;
    d3dx::Vector3 m_cachedPosition, m_cachedScale, m_cachedAngles;
    d3dx::Vector3 m_brushPoint;
    std::unique_ptr<simVertexBuffer> m_buffer;
};
