#include "app/site/tbFlyingSitePosition.h"

#include "app/site/tbFlyingSitePositionKinds.h"
#include "app/site/tbSiteNames.h"
#include "app/site/tbSiteSelectionBars.h"
#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/manipulatorContainer.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "platform/d3dx/d3dxMath.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu, kRed = 0xFFFF0000u, kYellow = 0xFFFFFF00u;
constexpr float kHeadingLength = 100.0f, kArrowHeadSize = 10.0f, kCircleRadius = 150.0f;
constexpr int32_t kCircleSegments = 32;
constexpr int32_t kLabelAndPosition = 3;

void selectedCallback(manipulator* source, int mode, void* position) {
    if (position) static_cast<tbFlyingSitePosition*>(position)->onSelected(source, mode);
}
void deselectedCallback(manipulator* source, int mode, void* position) {
    if (position) static_cast<tbFlyingSitePosition*>(position)->onDeselected(source, mode);
}

}  // namespace

template <class A, class Self>
void tbFlyingSitePosition::transfer(A& a, Self& self) {
    a.text(self.m_name, kSiteNameFieldSize);
    a.u32(self.m_kind);
    tbTransferVec3(a, self.m_position);
    tbTransferVec3(a, self.m_angles);
}

tbFlyingSitePosition::tbFlyingSitePosition(const std::string& name, const d3dx::Vector3& position, uint32_t kind)
    : m_name(name.substr(0, kSiteNameMaxLength)), m_kind(kind), m_position(position) {
    makeManipulator();
}

tbFlyingSitePosition::tbFlyingSitePosition(tbReadArchive& in) {
    transfer(in, *this);
    if (m_name.size() > kSiteNameMaxLength) m_name.resize(kSiteNameMaxLength);
    makeManipulator();
}

tbFlyingSitePosition::tbFlyingSitePosition(const tbFlyingSitePosition& other)
    : m_name(other.m_name), m_kind(other.m_kind), m_position(other.m_position), m_angles(other.m_angles) {
    makeManipulator();
}

tbFlyingSitePosition::~tbFlyingSitePosition() = default;

std::unique_ptr<tbFlyingSitePosition> tbFlyingSitePosition::read(tbReadArchive& in) {
    auto position = std::make_unique<tbFlyingSitePosition>(in);
    if (!in.ok()) return nullptr;
    return position;
}

void tbFlyingSitePosition::ManipulatorDeleter::operator()(manipulator* m) const { delete m; }

void tbFlyingSitePosition::makeManipulator() {
    const d3dx::Vector3 unitScale(1, 1, 1);
    m_manipulator.reset(new manipulator(true, &m_position, true, &m_angles, false, &unitScale));
    manipulator& m = *m_manipulator;
    m.setLabel(m_name, simColour::fromARGB(kWhite));
    m.labelMode = kLabelAndPosition;
    m.positionTarget = &m_position;
    m.rotationTarget = &m_angles;
    // The heading only.
    m.rotateAxes[0] = 0.0f;
    m.rotateAxes[1] = 1.0f;
    m.rotateAxes[2] = 0.0f;
    m.setPosition(m_position);
    m.setRotation(m_angles);
    m.setCallback(manipulator::callback_selected, selectedCallback, this);
    m.setCallback(manipulator::callback_deselected, deselectedCallback, this);
}

void tbFlyingSitePosition::save(tbWriteArchive& out) const { transfer(out, *this); }

void tbFlyingSitePosition::onSelected(manipulator*, int) {
    if (tbSiteSelectionBars* bars = tbSiteSelectionBars::installed()) bars->showInPositionsBar(this);
}

void tbFlyingSitePosition::onDeselected(manipulator*, int) {
    tbSiteSelectionBars* bars = tbSiteSelectionBars::installed();
    if (bars && bars->positionsBarPosition() == this) bars->showInPositionsBar(nullptr);
}

bool tbFlyingSitePosition::setName(const std::string& name) {
    if (!tbIsStorableSiteName(name)) return false;
    m_name = name;
    relabel();
    return true;
}

void tbFlyingSitePosition::setKind(uint32_t kind) {
    m_kind = kind;
    relabel();
}

void tbFlyingSitePosition::relabel() {
    if (m_manipulator)
        m_manipulator->setLabel(m_name + " (" + tbPositionKindName(m_kind) + ")", simColour::fromARGB(kWhite));
    simRequestRedraw();
}

void tbFlyingSitePosition::setPosition(const d3dx::Vector3& position) {
    m_position = position;
    if (m_manipulator) m_manipulator->setPosition(position);
}

void tbFlyingSitePosition::activate() {
    if (manipulatorContainer* container = manipulatorContainer::current())
        container->selected = m_manipulator.get();
}

void tbFlyingSitePosition::render() const {
    simRenderer* renderer = g_graphics ? g_graphics->getRenderer() : nullptr;
    if (!renderer) return;
    const d3dx::Vector3 ahead(0, 0, kHeadingLength);
    d3dx::Vector3 heading;
    d3dx::Vec3TransformCoord(&heading, &ahead, &m_manipulator->getRotationMatrix());
    const d3dx::Vector3 tip = m_position + heading;
    renderer->setTransform(1, nullptr);
    renderer->drawLine3D(m_position, tip, kRed, nullptr);
    renderer->drawArrowHead(m_position, tip, kArrowHeadSize, simColour::fromARGB(kRed));
    const d3dx::Vector3 up(0, 1, 0);
    renderer->drawArc3D(m_position, kCircleRadius, kYellow, nullptr, kCircleSegments, &up);
}
