// tbCollisionObject_primitive (type tag 0): a collision shape of one of four
// forms, an infinite plane, a sphere, a cube or a cylinder, placed and sized
// with its manipulator. Spheres scale uniformly (every scale axis follows
// every other) and cylinders keep a round cross-section (x and z follow each
// other).
//
// Record: the base record, then
//   u32   shape (0 plane, 1 sphere, 2 cube, 3 cylinder)
//   4 f32 plane a, b, c, d: through the position, facing the turned up axis
// 259 bytes in all.
#pragma once

#include "app/site/tbCollisionObject.h"

class tbCollisionObject_primitive : public tbCollisionObject {
public:
    enum Shape : uint32_t { shape_plane = 0, shape_sphere = 1, shape_cube = 2, shape_cylinder = 3 };
    static constexpr uint32_t kShapeCount = 4;
    static constexpr size_t kRecordSize = kBaseRecordSize + 4 + 16;

    // A new primitive; its plane passes through the position facing up.
    tbCollisionObject_primitive(Shape shape, const std::string& name, const d3dx::Vector3& position,
                                const d3dx::Vector3& angles, const d3dx::Vector3& scale);
    // Reads the record after the type tag; an unknown shape fails the archive.
    explicit tbCollisionObject_primitive(tbReadArchive& in);
    tbCollisionObject_primitive(const tbCollisionObject_primitive& other);

    std::unique_ptr<tbCollisionObject> clone(const d3dx::Vector3& position) const override;
    void save(tbWriteArchive& out) const override;
    // Updates the world matrix (and a plane's stored plane from its turn),
    // then draws the shape: a green square for a plane, the unit model with
    // the translucent red texture for the others (nothing when the model is
    // not loaded).
    void render() override;

    uint32_t getShape() const { return m_shape; }
    const d3dx::Plane& getPlane() const { return m_plane; }

private:
    // The scale links of the shape.
    void linkScaleAxes();
    // The plane through the position with the rotation matrix's up axis.
    void updatePlane();

    uint32_t m_shape = shape_plane;
    d3dx::Plane m_plane;
};
