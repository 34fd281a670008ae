// tbGeometryTool_projectImage: the image projection tool, up to six images
// painted onto the model at once, one along each axis direction.
//
// Slots 0..5 project along +X, -X, +Y, -Y, +Z, -Z. Each holds an image, a
// placement in its projection plane (centre, half-extent, the angle about
// its axis) and a gizmo of the engine's that moves and scales it only
// within that plane and turns it only about the axis. The per-slot
// settings of the bar (threshold, double-sided, wrap or clamp, show) are
// read from the model's tool settings when the tool projects or previews.
//
// The model owns the tool; the gizmos live as long as it does and take
// their input as engine objects. The tool's own input handler ignores
// everything.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "app/scheme/tbImageProjection.h"
#include "platform/d3dx/d3dxMathTypes.h"

class manipulator;
class simTexture;
class tbGeometry;
struct tbProjectionSlotSettings;
struct tbProjectorPlacements;

class tbGeometryTool_projectImage {
public:
    static constexpr int kSlots = 6;

    explicit tbGeometryTool_projectImage(tbGeometry* owner);
    ~tbGeometryTool_projectImage();
    tbGeometryTool_projectImage(const tbGeometryTool_projectImage&) = delete;
    tbGeometryTool_projectImage& operator=(const tbGeometryTool_projectImage&) = delete;

    // The slot's axis: (1,0,0), (-1,0,0), (0,1,0), (0,-1,0), (0,0,1), (0,0,-1).
    static d3dx::Vector3 direction(int slot);
    // The half-extent in the slot's projection plane that the projection
    // uses, from the slot's size: X slots (-size.z, size.y), Y slots
    // (size.x, size.z), Z slots (size.x, size.y).
    static d3dx::Vector2 planeSizeOf(int slot, const d3dx::Vector3& size);
    // The four corners of the slot's image plane as the preview draws it,
    // in model space: the rectangle of half-extent `size` in the plane,
    // turned about the axis and centred on `position`, in the order of the
    // image coordinates (0, 0), (1, 0), (1, 1), (0, 1) that the projection
    // gives those points.
    static void planeCorners(int slot, const d3dx::Vector3& position, const d3dx::Vector3& size,
                             const d3dx::Vector3& rotation, d3dx::Vector3 out[4]);

    // Loads the image file at `path` into the slot (an empty path only
    // clears it) and puts the slot back to its start: size 10 each way, no
    // turn, the centre one unit out along the slot's axis. A slot outside
    // 0..5 is ignored; an image that cannot be loaded leaves the slot
    // without one.
    void loadImage(int slot, const std::string& path);
    // Projects every shown slot with an image into the paint texture, each
    // with its own settings from the model's tool settings, and reports the
    // area to the undo history (the caller pushes the step).
    void project();
    // The preview in the 3-D view: each shown slot with an image over the
    // faces it would paint, and its plane; the gizmos of the other slots
    // are switched off.
    void renderPreview3D();
    // Every gizmo shown and usable, or none.
    void setGizmosActive(bool active);

    // The slot's projection as it would paint now, with the bar's
    // settings; null image when the slot has none.
    tbProjection projectionOf(int slot, const tbProjectionSlotSettings& settings) const;

    // The placements, out to and back from the project file's record; a
    // stored placement with no extent in its plane is not taken.
    void storePlacements(tbProjectorPlacements& out) const;
    void restorePlacements(const tbProjectorPlacements& in);

    simTexture* image(int slot) const { return m_images[slot]; }
    manipulator& gizmo(int slot) const { return *m_gizmos[slot]; }

    // Written by the gizmos while they are dragged.
    std::array<d3dx::Vector3, kSlots> positions{};
    std::array<d3dx::Vector3, kSlots> sizes{};
    std::array<d3dx::Vector3, kSlots> rotations{};
    std::array<d3dx::Vector2, kSlots> planeSizes{};

private:
    void resetSlot(int slot);

    tbGeometry* m_owner;
    std::array<simTexture*, kSlots> m_images{};  // resources; not owned
    std::array<std::unique_ptr<manipulator>, kSlots> m_gizmos;
};
