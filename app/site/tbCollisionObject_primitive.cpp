#include "app/site/tbCollisionObject_primitive.h"

#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/simGeometry.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "engine/graphics/simTexture.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

constexpr uint32_t kPlaneColour = 0x6400FF00u;  // green, alpha 100
// Half the side of the square that shows an infinite plane (world units).
constexpr float kPlaneHalfSize = 15000.0f;
constexpr uint32_t kDepthLessEqual = 4, kCullNone = 0, kCullClockwise = 1;

const char* modelName(uint32_t shape) {
    switch (shape) {
    case tbCollisionObject_primitive::shape_sphere: return "unitSphere.geo";
    case tbCollisionObject_primitive::shape_cube: return "unitCube.geo";
    case tbCollisionObject_primitive::shape_cylinder: return "unitCylinder.geo";
    default: return nullptr;
    }
}

}  // namespace

tbCollisionObject_primitive::tbCollisionObject_primitive(Shape shape, const std::string& name,
                                                         const d3dx::Vector3& position, const d3dx::Vector3& angles,
                                                         const d3dx::Vector3& scale)
    : tbCollisionObject(type_primitive, name, position, angles, scale), m_shape(shape) {
    linkScaleAxes();
    const d3dx::Vector3 up(0, 1, 0);
    d3dx::PlaneFromPointNormal(&m_plane, &m_position, &up);
}

tbCollisionObject_primitive::tbCollisionObject_primitive(tbReadArchive& in) : tbCollisionObject(in) {
    in.u32(m_shape);
    in.f32(m_plane.a);
    in.f32(m_plane.b);
    in.f32(m_plane.c);
    in.f32(m_plane.d);
    if (in.ok() && m_shape >= kShapeCount) in.fail("unknown primitive shape " + std::to_string(m_shape));
    linkScaleAxes();
}

tbCollisionObject_primitive::tbCollisionObject_primitive(const tbCollisionObject_primitive& other)
    : tbCollisionObject(other), m_shape(other.m_shape), m_plane(other.m_plane) {
    linkScaleAxes();
}

void tbCollisionObject_primitive::linkScaleAxes() {
    manipulator& m = *getManipulator();
    if (m_shape == shape_sphere) {
        for (int a = 0; a < 3; ++a)
            for (int b = 0; b < 3; ++b)
                if (a != b) m.linkScaleAxes(a, b);
    } else if (m_shape == shape_cylinder) {
        m.linkScaleAxes(0, 2);
        m.linkScaleAxes(2, 0);
    }
}

std::unique_ptr<tbCollisionObject> tbCollisionObject_primitive::clone(const d3dx::Vector3& position) const {
    auto copy = std::make_unique<tbCollisionObject_primitive>(*this);
    copy->setPosition(position);
    return copy;
}

void tbCollisionObject_primitive::save(tbWriteArchive& out) const {
    tbCollisionObject::save(out);
    out.u32(m_shape);
    out.f32(m_plane.a);
    out.f32(m_plane.b);
    out.f32(m_plane.c);
    out.f32(m_plane.d);
}

void tbCollisionObject_primitive::updatePlane() {
    const d3dx::Vector3 up(0, 1, 0);
    d3dx::Vector3 normal;
    d3dx::Vec3TransformCoord(&normal, &up, &m_rotation);
    d3dx::PlaneFromPointNormal(&m_plane, &m_position, &normal);
}

void tbCollisionObject_primitive::render() {
    if (!isVisible()) return;
    updateWorldMatrix();
    if (m_shape == shape_plane) updatePlane();
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    if (!renderer) return;
    simRendererState* state = renderer->getState();
    state->setState(simRenderState_zWrite, 1);
    state->setState(simRenderState_zFunction, kDepthLessEqual);
    state->setState(simRenderState_backfaceCullMode, kCullClockwise);
    if (m_shape == shape_plane) {
        // The square is flat: culled by its winding it vanished from the
        // side it faces, the ground seen from above among them.
        state->setState(simRenderState_backfaceCullMode, kCullNone);
        renderer->setTransform(1, nullptr);
        renderer->drawOrientedQuad3D(m_position, {m_plane.a, m_plane.b, m_plane.c}, kPlaneHalfSize, kPlaneColour);
    } else if (auto* model = dynamic_cast<simGeometry*>(simResources::getResource(modelName(m_shape), false))) {
        auto* texture = dynamic_cast<simTexture*>(simResources::getResource("red_trans.bmp", false));
        model->render(&m_world, nullptr, nullptr, texture);
    }
    tbCollisionObject::render();
}
