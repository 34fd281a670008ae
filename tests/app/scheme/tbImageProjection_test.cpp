// The image projection's rules without a device: which faces a slot
// selects (a stored threshold above 180 counting as 180), the image
// coordinates agreeing with the plane the preview draws for every slot
// however it is turned, the gradient's corner colours, a slot's start after
// loading and a stored placement without extent left untaken.
#include <gtest/gtest.h>

#include <cmath>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryTool_projectImage.h"
#include "app/scheme/tbImageProjection.h"
#include "app/scheme/tbToolSettings.h"
#include "engine/graphics/manipulator.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

using tbImageProjection::selects;

d3dx::Vector3 normalAt(float degreesFromX) {
    const float a = degreesFromX / 180.0f * 3.14159265f;
    return {std::cos(a), std::sin(a), 0.0f};
}

TEST(ImageProjection, TheFacesASlotSelects) {
    const struct {
        d3dx::Vector3 normal;
        uint32_t threshold;
        bool doubleSided;
        bool selected;
    } cases[] = {
        {normalAt(40), 50, false, true},
        {normalAt(60), 50, false, false},   // outside the threshold
        {normalAt(180), 50, false, false},  // facing away, one-sided
        {normalAt(180), 50, true, true},    // facing away, double-sided
        {normalAt(140), 50, true, true},    // 40 degrees from the reverse
        {normalAt(90), 100, false, false},  // edge-on is never projected one-sided
        {normalAt(90), 100, true, true},
        {normalAt(90), 90, true, false},    // 90 / 180 x 3.1415 is below a right angle
        {normalAt(0), 0, false, true},      // exactly along the axis with no threshold
        {normalAt(1), 0, true, false},
        {normalAt(170), 4294967291u, false, false},  // an unclamped "-5" counts as 180, still one-sided
    };
    for (const auto& c : cases) {
        tbProjection p;
        p.threshold = c.threshold;
        p.doubleSided = c.doubleSided;
        EXPECT_EQ(selects(c.normal, p), c.selected)
            << c.normal.x << ", " << c.normal.y << " threshold " << c.threshold << " double " << c.doubleSided;
    }
}

// Every slot, placed off the origin, stretched and turned about its axis:
// the plane's corners take the image's corners, so the preview's plane
// shows the image where the projection paints it.
TEST(ImageProjection, ThePlanesCornersTakeTheImagesCornersOnEverySlot) {
    const d3dx::Vector3 position{1.5f, -2.0f, 0.75f}, size{3.0f, 4.0f, 5.0f}, rotation{0.4f, -0.7f, 1.1f};
    const d3dx::Vector2 expected[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (int slot = 0; slot < tbGeometryTool_projectImage::kSlots; ++slot) {
        SCOPED_TRACE(slot);
        tbProjection p;
        p.direction = tbGeometryTool_projectImage::direction(slot);
        p.position = position;
        p.planeSize = tbGeometryTool_projectImage::planeSizeOf(slot, size);
        p.rotation = rotation;
        d3dx::Vector3 corners[4];
        tbGeometryTool_projectImage::planeCorners(slot, position, size, rotation, corners);
        for (int i = 0; i < 4; ++i) {
            const d3dx::Vector2 uv = tbImageProjection::imageCoordinate(corners[i], p);
            EXPECT_NEAR(uv.x, expected[i].x, 1e-4f) << "corner " << i;
            EXPECT_NEAR(uv.y, expected[i].y, 1e-4f) << "corner " << i;
            // The plane lies across the slot's axis through the centre.
            const d3dx::Vector3 offset = corners[i] - position;
            EXPECT_NEAR(d3dx::Vec3Dot(&offset, &p.direction), 0.0f, 1e-4f);
        }
        // A point moved along the axis keeps its image coordinate.
        const d3dx::Vector3 further = corners[0] + p.direction * 7.0f;
        EXPECT_NEAR(tbImageProjection::imageCoordinate(further, p).x, 0.0f, 1e-4f);
    }
}

TEST(ImageProjection, GradientCornersBlendAlongTheChosenImageAxis) {
    tbProjection p;
    p.colour0.set(255, 0, 0, 0);
    p.colour1.set(255, 200, 100, 50);
    EXPECT_EQ(tbImageProjection::cornerColour({0.5f, 0.25f}, p), 0xFF000000u);  // no gradient: colour 0
    p.gradient = true;
    p.axis = 0;
    EXPECT_EQ(tbImageProjection::cornerColour({0.5f, 0.25f}, p), 0xFF643219u);
    EXPECT_EQ(tbImageProjection::cornerColour({2.0f, 0.25f}, p), 0xFFC86432u);  // clamped to 1
    p.axis = 1;
    EXPECT_EQ(tbImageProjection::cornerColour({0.5f, -1.0f}, p), 0xFF000000u);  // clamped to 0
    p.axis = 5;
    EXPECT_EQ(tbImageProjection::cornerColour({0.5f, 0.5f}, p), 0xFF000000u);
}

// Loading into a slot (nothing loads without resources) starts it one unit
// out along its axis with a half-extent of 10; the gizmos move and scale
// only within their plane and turn only about their axis.
TEST(ImageProjection, ASlotStartsOneUnitOutWithItsGizmoLockedToItsPlane) {
    tbGeometry model(nullptr);
    tbGeometryTool_projectImage& tool = model.projectImageTool();
    tool.sizes[3] = {1, 2, 3};
    tool.rotations[3] = {0, 1, 0};
    model.loadProjectionImage(3, "");
    EXPECT_EQ(tool.image(3), nullptr);
    EXPECT_EQ(tool.positions[3], d3dx::Vector3(0, -1, 0));
    EXPECT_EQ(tool.gizmo(3).getPosition(), d3dx::Vector3(0, -1, 0));
    EXPECT_EQ(tool.sizes[3], d3dx::Vector3(10, 10, 10));
    EXPECT_EQ(tool.rotations[3], d3dx::Vector3(0, 0, 0));
    EXPECT_EQ(tbGeometryTool_projectImage::planeSizeOf(3, tool.sizes[3]), d3dx::Vector2(10, 10));
    model.loadProjectionImage(6, "");
    model.loadProjectionImage(-1, "");
    EXPECT_EQ(tool.positions[0], d3dx::Vector3(0, 0, 0));

    // A stored placement without extent (a file that kept none) is not taken.
    tool.restorePlacements(tbProjectorPlacements{});
    EXPECT_EQ(tool.positions[3], d3dx::Vector3(0, -1, 0));
    EXPECT_EQ(tool.sizes[3], d3dx::Vector3(10, 10, 10));

    for (int slot = 0; slot < tbGeometryTool_projectImage::kSlots; ++slot) {
        const manipulator& g = tool.gizmo(slot);
        const int axis = slot / 2;
        for (int a = 0; a < 3; ++a) {
            EXPECT_EQ(g.translateAxes[a], a == axis ? 0.0f : 1.0f) << slot << " " << a;
            EXPECT_EQ(g.scaleAxes[a], a == axis ? 0.0f : 1.0f) << slot << " " << a;
            EXPECT_EQ(g.rotateAxes[a], a == axis ? 1.0f : 0.0f) << slot << " " << a;
        }
    }
}

}  // namespace
