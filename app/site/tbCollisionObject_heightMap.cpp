#include "app/site/tbCollisionObject_heightMap.h"

#include "app/site/tbSiteEditorSettings.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simKeyboard.h"
#include "engine/core/simMouse.h"
#include "engine/core/utilsPicking.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/simIndexBuffer.h"
#include "engine/graphics/simVertexBuffer.h"

namespace {

constexpr uint32_t kKeyShift = 16;
constexpr int32_t kWhite = 255;

}  // namespace

template <class A, class Self>
void tbCollisionObject_heightMap::transferTail(A& a, Self& self) {
    tbTransferBox(a, self.m_box);
    a.u32(self.m_cellsPerSide);
    const uint64_t cells = uint64_t(self.m_cellsPerSide) * self.m_cellsPerSide;
    if constexpr (A::kReading) {
        if (!a.ok()) return;
        if (self.m_cellsPerSide < kMinCellsPerSide || self.m_cellsPerSide > kMaxCellsPerSide) {
            a.fail("height map of " + std::to_string(self.m_cellsPerSide) + " cells a side");
            self.m_cellsPerSide = 0;
            return;
        }
        if (!a.canTake(cells * kCellRecordSize)) {
            a.fail("height map of " + std::to_string(self.m_cellsPerSide) + " cells a side larger than the file");
            self.m_cellsPerSide = 0;
            return;
        }
        self.m_cells.resize(size_t(cells));
    }
    for (auto& cell : self.m_cells) {
        a.f32(cell.height);
        tbTransferVec3(a, cell.world);
        int32_t parts[4] = {cell.colour.red, cell.colour.green, cell.colour.blue, cell.colour.alpha};
        for (int32_t& part : parts) a.i32(part);
        // The colour's float copy, written from the integers so that the same
        // map always gives the same bytes; read back from the integers too.
        simColour colour = cell.colour;
        colour.refreshFloats();
        for (float value : {colour.redF, colour.greenF, colour.blueF, colour.alphaF}) a.f32(value);
        if constexpr (A::kReading) {
            cell.colour.set(parts[3], parts[0], parts[1], parts[2]);
            cell.colour.refreshFloats();
        }
    }
}

tbCollisionObject_heightMap::tbCollisionObject_heightMap(const std::string& name, const d3dx::Vector3& position,
                                                         const d3dx::Vector3& angles, const d3dx::Vector3& scale,
                                                         uint32_t cellsPerSide)
    : tbCollisionObject(type_heightMap, name, position, angles, scale),
      m_cellsPerSide(cellsPerSide),
      m_cells(size_t(cellsPerSide) * cellsPerSide) {
    for (Cell& cell : m_cells) {
        cell.colour.set(kWhite, kWhite, kWhite, kWhite);
        cell.colour.refreshFloats();
    }
    finishConstruction();
}

tbCollisionObject_heightMap::tbCollisionObject_heightMap(tbReadArchive& in) : tbCollisionObject(in) {
    transferTail(in, *this);
    finishConstruction();
}

tbCollisionObject_heightMap::tbCollisionObject_heightMap(const tbCollisionObject_heightMap& other)
    : tbCollisionObject(other), m_cellsPerSide(other.m_cellsPerSide), m_cells(other.m_cells) {
    finishConstruction();
}

tbCollisionObject_heightMap::~tbCollisionObject_heightMap() = default;

void tbCollisionObject_heightMap::finishConstruction() {
    manipulator& m = *getManipulator();
    m.scaleAxes[0] = 1.0f;
    m.scaleAxes[1] = 0.0f;
    m.scaleAxes[2] = 1.0f;
    m_rebuild = 1;
    buildSurface();
    m_brushWatch.start();
}

std::unique_ptr<tbCollisionObject> tbCollisionObject_heightMap::clone(const d3dx::Vector3& position) const {
    auto copy = std::make_unique<tbCollisionObject_heightMap>(*this);
    copy->setPosition(position);
    return copy;
}

void tbCollisionObject_heightMap::save(tbWriteArchive& out) const {
    tbCollisionObject::save(out);
    transferTail(out, *this);
}

void tbCollisionObject_heightMap::setHeight(uint32_t row, uint32_t column, float height) {
    m_cells[size_t(row) * m_cellsPerSide + column].height = height;
    m_rebuild = 1;
}

bool tbCollisionObject_heightMap::isEditing() const {
    const tbSiteEditorSettings* settings = tbSiteEditorSettings::installed();
    return settings && settings->heightMapEditSurface() && isSelected();
}

void tbCollisionObject_heightMap::onManipulated(manipulator*, int) { m_rebuild = 1; }

void tbCollisionObject_heightMap::onEvent(const simInputEvent& event) {
    const tbSiteEditorSettings* settings = tbSiteEditorSettings::installed();
    if (event.type != simInputEvent_mouseMove || !settings || !takesEdits(settings->heightMapEditSurface())) return;
    // Above the horizon the brush stays where it was.
    if (d3dx::Vector3 ground; utils::mouseToGroundPlane(&ground)) m_brushPoint = ground;
}

void tbCollisionObject_heightMap::update() {
    const tbSiteEditorSettings* settings = tbSiteEditorSettings::installed();
    const simMouse* mouse = g_input ? g_input->getMouse() : nullptr;
    if (!settings || !mouse || !takesEdits(settings->heightMapEditSurface()) ||
        !mouse->isButtonDown(simMouseButton_left))
        return;
    applyBrush(shiftHeld());
}

bool tbCollisionObject_heightMap::lowers(const tbSiteEditorSettings& settings, bool shift) {
    return settings.depress() != shift;
}

bool tbCollisionObject_heightMap::shiftHeld() {
    const simKeyboard* keyboard = g_input ? g_input->getKeyboard() : nullptr;
    return keyboard && keyboard->isKeyDown(kKeyShift);
}

void tbCollisionObject_heightMap::applyBrush(bool shift) {
    const tbSiteEditorSettings* settings = tbSiteEditorSettings::installed();
    if (!settings || m_brushWatch.getElapsed() < kStrokeIntervalMs || m_brushPoint == d3dx::Vector3()) return;
    const float radius = float(settings->brushRadius()) * kRadiusPerStep;
    const float strength = float(settings->brushStrength()) * kStrengthPerStep;
    const bool lower = lowers(*settings, shift);
    const std::optional<float> minimum = settings->minimumHeight(), maximum = settings->maximumHeight();
    const float radiusSquared = radius * radius;
    for (Cell& cell : m_cells) {
        const float dx = cell.world.x - m_brushPoint.x, dz = cell.world.z - m_brushPoint.z;
        const float d2 = dx * dx + dz * dz;
        if (!(d2 < radiusSquared)) continue;
        const float f = 1.0f - d2 / radiusSquared;
        cell.height += lower ? -strength * f : strength * f;
        if (minimum && cell.height < *minimum) cell.height = *minimum;
        if (maximum && cell.height > *maximum) cell.height = *maximum;
        m_rebuild = 1;
    }
    m_brushWatch.reset();
    m_brushWatch.start();
}
