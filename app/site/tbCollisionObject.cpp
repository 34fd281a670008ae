#include "app/site/tbCollisionObject.h"

#include "app/site/tbSiteGizmo.h"
#include "app/site/tbSiteNames.h"
#include "app/site/tbSiteSelectionBars.h"
#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/manipulatorContainer.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simRendererState.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kDepthAlways = 8;
// Half the length of the cross's arms on the ground (world units).
constexpr float kCrossArm = 50.0f;
// The manipulator's label mode that shows the label and the position.
constexpr int32_t kLabelAndPosition = 3;

const simColour& white() {
    static const simColour colour = simColour::fromARGB(kWhite);
    return colour;
}

// The manipulator's callbacks reach the object through its user data; a
// callback without user data does nothing.
void manipulatedCallback(manipulator* source, int mode, void* object) {
    if (object) static_cast<tbCollisionObject*>(object)->onManipulated(source, mode);
}
void selectedCallback(manipulator* source, int mode, void* object) {
    if (object) static_cast<tbCollisionObject*>(object)->onSelected(source, mode);
}
void deselectedCallback(manipulator* source, int mode, void* object) {
    if (object) static_cast<tbCollisionObject*>(object)->onDeselected(source, mode);
}

}  // namespace

template <class A, class Self>
void tbCollisionObject::transferBase(A& a, Self& self) {
    a.text(self.m_name, kSiteNameFieldSize);
    a.u8(self.m_draw);
    a.u8(self.m_flagA);
    a.u8(self.m_flagB);
    a.u32(self.m_type);
    a.u32(self.m_material);
    for (auto* matrix : {&self.m_rotation, &self.m_world})
        for (auto& row : matrix->m)
            for (auto& value : row) a.f32(value);
    tbTransferVec3(a, self.m_position);
    tbTransferVec3(a, self.m_scale);
    tbTransferVec3(a, self.m_angles);
}

tbCollisionObject::tbCollisionObject(Type type, const std::string& name, const d3dx::Vector3& position,
                                     const d3dx::Vector3& angles, const d3dx::Vector3& scale)
    : m_name(name.substr(0, kSiteNameMaxLength)),
      m_type(type),
      m_position(position),
      m_scale(scale),
      m_angles(angles) {
    makeManipulator();
}

tbCollisionObject::tbCollisionObject(tbReadArchive& in) {
    transferBase(in, *this);
    // A field filled to its end without a terminator still gives a name the
    // record can hold again.
    if (m_name.size() > kSiteNameMaxLength) m_name.resize(kSiteNameMaxLength);
    makeManipulator();
}

tbCollisionObject::tbCollisionObject(const tbCollisionObject& other)
    : m_name(other.m_name),
      m_draw(other.m_draw),
      m_flagA(other.m_flagA),
      m_flagB(other.m_flagB),
      m_type(other.m_type),
      m_material(other.m_material),
      m_rotation(other.m_rotation),
      m_world(other.m_world),
      m_position(other.m_position),
      m_scale(other.m_scale),
      m_angles(other.m_angles) {
    makeManipulator();
}

tbCollisionObject::~tbCollisionObject() = default;

void tbCollisionObject::ManipulatorDeleter::operator()(manipulator* m) const { delete m; }

void tbCollisionObject::makeManipulator() {
    m_manipulator.reset(new manipulator(true, &m_position, true, &m_angles, true, &m_scale));
    manipulator& m = *m_manipulator;
    m.positionTarget = &m_position;
    m.rotationTarget = &m_angles;
    m.scaleTarget = &m_scale;
    m.setLabel(m_name, white());
    m.labelMode = kLabelAndPosition;
    m.matrixTarget = &m_rotation;
    m.setCallback(manipulator::callback_changed, manipulatedCallback, this);
    m.setCallback(manipulator::callback_selected, selectedCallback, this);
    m.setCallback(manipulator::callback_deselected, deselectedCallback, this);
}

void tbCollisionObject::save(tbWriteArchive& out) const { transferBase(out, *this); }

void tbCollisionObject::onEvent(const simInputEvent&) {}

void tbCollisionObject::onManipulated(manipulator*, int) {}

void tbCollisionObject::onSelected(manipulator*, int) {
    tbSiteSelectionBars* bars = tbSiteSelectionBars::installed();
    if (!bars) return;
    bars->showInCollisionBar(this);
    if (isWindArea()) bars->showInWeatherBar(this);
}

void tbCollisionObject::onDeselected(manipulator*, int) {
    tbSiteSelectionBars* bars = tbSiteSelectionBars::installed();
    if (!bars) return;
    if (bars->collisionBarObject() == this) bars->showInCollisionBar(nullptr);
    if (isWindArea()) bars->showInWeatherBar(nullptr);
}

bool tbCollisionObject::setName(const std::string& name) {
    if (!tbIsStorableSiteName(name)) return false;
    m_name = name;
    if (m_manipulator) m_manipulator->setLabel(m_name, white());
    simRequestRedraw();  // its label
    return true;
}

void tbCollisionObject::setPosition(const d3dx::Vector3& position) {
    m_position = position;
    if (m_manipulator) m_manipulator->setPosition(position);
}

void tbCollisionObject::updateWorldMatrix() {
    d3dx::Matrix scaling, translation;
    d3dx::MatrixScaling(&scaling, m_scale.x, m_scale.y, m_scale.z);
    d3dx::MatrixTranslation(&translation, m_position.x, m_position.y, m_position.z);
    m_world = scaling * m_rotation * translation;
}

void tbCollisionObject::enableManipulator(bool enabled) {
    tbEnableGizmo(m_manipulator.get(), enabled && isVisible() && m_manipulatorShown);
}

void tbCollisionObject::activate() {
    if (manipulatorContainer* container = manipulatorContainer::current())
        container->selected = m_manipulator.get();
}

void tbCollisionObject::deactivate() {
    manipulatorContainer* container = manipulatorContainer::current();
    if (container && container->selected == m_manipulator.get()) container->selected = nullptr;
}

bool tbCollisionObject::isSelected() const {
    const manipulatorContainer* container = manipulatorContainer::current();
    return container && m_manipulator && container->selected == m_manipulator.get();
}

bool tbCollisionObject::isManipulatorBusy() const {
    const manipulatorContainer* container = manipulatorContainer::current();
    return m_manipulator &&
           ((container && container->active == m_manipulator.get()) || m_manipulator->isDragging());
}

bool tbCollisionObject::mouseGateOpen() { return !g_application || g_application->acceptsMouseInput(); }

bool tbCollisionObject::takesEdits(bool toggle) const {
    return toggle && isVisible() && mouseGateOpen() && isSelected() && !isManipulatorBusy();
}

void tbCollisionObject::render() {
    if (isVisible()) renderSelectionCross();
}

void tbCollisionObject::renderSelectionCross() const {
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    if (!renderer || !isSelected()) return;
    renderer->setTransform(1, nullptr);
    renderer->getState()->setState(simRenderState_zFunction, kDepthAlways);
    const d3dx::Vector3& p = m_position;
    const d3dx::Vector3 ground(p.x, 0.0f, p.z);
    renderer->drawLines3D({simLine3D(p, ground, kWhite),
                           simLine3D({p.x - kCrossArm, 0.0f, p.z}, {p.x + kCrossArm, 0.0f, p.z}, kWhite),
                           simLine3D({p.x, 0.0f, p.z + kCrossArm}, {p.x, 0.0f, p.z - kCrossArm}, kWhite)},
                          nullptr);
}
