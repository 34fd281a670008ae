#include "app/site/tbCollisionObject_marker.h"

#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/core/utilsPicking.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/simFont.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"

namespace {

constexpr uint32_t kYellow = 0xFFFFFF00u;
// The manipulator's label mode that shows the position only.
constexpr int32_t kPositionLabel = 2;

}  // namespace

tbCollisionObject_marker::tbCollisionObject_marker(const std::string& name, const d3dx::Vector3& position)
    : tbCollisionObject(type_marker, name, position, {0, 0, 0}, {1, 1, 1}) {
    restrictManipulator();
}

tbCollisionObject_marker::tbCollisionObject_marker(tbReadArchive& in) : tbCollisionObject(in) {
    restrictManipulator();
}

tbCollisionObject_marker::tbCollisionObject_marker(const tbCollisionObject_marker& other)
    : tbCollisionObject(other) {
    restrictManipulator();
}

void tbCollisionObject_marker::restrictManipulator() {
    manipulator& m = *getManipulator();
    // A marker stays at its height.
    m.translateAxes[0] = 1.0f;
    m.translateAxes[1] = 0.0f;
    m.translateAxes[2] = 1.0f;
    m.labelMode = kPositionLabel;
}

std::unique_ptr<tbCollisionObject> tbCollisionObject_marker::clone(const d3dx::Vector3& position) const {
    auto copy = std::make_unique<tbCollisionObject_marker>(*this);
    copy->setPosition(position);
    return copy;
}

void tbCollisionObject_marker::render() {
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    if (!isVisible() || !renderer) return;
    // Projected now, through the camera being drawn: the manipulator's own
    // screen centre is only taken when it is drawn, so it is stale while
    // the manipulator is hidden and belongs to the main view in the inset.
    d3dx::Vector2 m;
    if (!utils::worldToScreen2D(m_position, &m)) return;
    renderer->drawRect({m.x - 3, m.y - 100}, {m.x + 3, m.y - 9}, kYellow, nullptr);
    renderer->drawQuad({m.x - 10, m.y - 10}, {m.x + 10, m.y - 10}, {m.x + 1, m.y}, {m.x - 1, m.y}, kYellow,
                       nullptr);
    if (auto* font = dynamic_cast<simFont*>(simResources::getResource("collisionMarkerFont", false)))
        font->drawTextCentred(m_name, m.x, m.y - 120, simColour::fromARGB(kYellow));
}
