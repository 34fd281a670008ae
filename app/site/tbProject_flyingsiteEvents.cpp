// The flying site in the frame: which manipulators may act under the current
// tool, new objects and positions made by a click in the view, the water
// brush's point, and the objects' own events.
#include <algorithm>
#include <optional>
#include <vector>

#include "app/shell/tbApplication.h"
#include "app/site/tbCollisionObject.h"
#include "app/site/tbCollisionObject_area.h"
#include "app/site/tbCollisionObject_heightMap.h"
#include "app/site/tbCollisionObject_marker.h"
#include "app/site/tbCollisionObject_primitive.h"
#include "app/site/tbCollisionObject_skyline.h"
#include "app/site/tbFlyingSitePosition.h"
#include "app/site/tbProject_flyingsite.h"
#include "app/site/tbSiteBars.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/utilsPicking.h"
#include "engine/core/utilsStrings.h"
#include "engine/graphics/manipulator.h"

namespace {

using Toggle = tbSiteBars::Toggle;
using Bar = tbSiteBars::Bar;

constexpr int32_t kToolCollision = 10, kToolPositions = 11;
constexpr uint32_t kNewPositionKind = 5;
constexpr float kBrushStep = 10.0f, kBrushMax = 10000.0f;

int32_t currentTool() { return tbApp() ? tbApp()->tools().tool() : -1; }

// The collision bar's type toggles in the order a click tests them, with the
// object each makes at the ground point and the editor's toggle that lets
// the new object take the next clicks as its points, posts or brush strokes.
struct NewObject {
    Toggle toggle;
    const char* name;
    std::optional<Toggle> edit;
};
const NewObject kNewObjects[] = {
    {Toggle::plane, "New plane", {}},
    {Toggle::sphere, "New sphere", {}},
    {Toggle::cube, "New cube", {}},
    {Toggle::cylinder, "New cylinder", {}},
    {Toggle::marker, "New marker", {}},
    {Toggle::area, "New area", Toggle::areaEdit},
    {Toggle::materialArea, "New material-area", Toggle::areaEdit},
    {Toggle::skyline, "New skyline", Toggle::skylineEdit},
    {Toggle::heightMap, "New height-map", Toggle::heightMapEdit},
};

std::unique_ptr<tbCollisionObject> makeObject(Toggle toggle, const std::string& name, const d3dx::Vector3& at) {
    using Primitive = tbCollisionObject_primitive;
    using Area = tbCollisionObject_area;
    const d3dx::Vector3 noAngles, tenfold(10, 10, 10);
    auto area = [&](Area::SubKind kind) {
        auto made = std::make_unique<Area>(kind, name, at);
        made->addPoint({0, 0, 0});
        return made;
    };
    switch (toggle) {
        case Toggle::plane: return std::make_unique<Primitive>(Primitive::shape_plane, name, at, noAngles, tenfold);
        case Toggle::sphere: return std::make_unique<Primitive>(Primitive::shape_sphere, name, at, noAngles, tenfold);
        case Toggle::cube: return std::make_unique<Primitive>(Primitive::shape_cube, name, at, noAngles, tenfold);
        case Toggle::cylinder:
            return std::make_unique<Primitive>(Primitive::shape_cylinder, name, at, noAngles, tenfold);
        case Toggle::marker: return std::make_unique<tbCollisionObject_marker>(name, at);
        case Toggle::area: return area(Area::subKind_area);
        case Toggle::materialArea: return area(Area::subKind_material);
        case Toggle::skyline: {
            auto made = std::make_unique<tbCollisionObject_skyline>(name);
            made->setPosition(at);
            return made;
        }
        case Toggle::heightMap:
            return std::make_unique<tbCollisionObject_heightMap>(name, at, noAngles, d3dx::Vector3(10000, 1, 10000),
                                                                 50);
        default: return nullptr;
    }
}

}  // namespace

void tbProject_flyingsite::update() {
    const int32_t tool = currentTool();
    for (const auto& position : m_positions) position->getManipulator()->enabled = tool == kToolPositions;
    const tbSiteBars* bars = tbCurrentSiteBars();
    m_waterManipulator->enabled = tool == kToolCollision && bars && bars->isChecked(Toggle::water);
    for (const auto& object : m_collisionObjects) object->update();
}

void tbProject_flyingsite::onEvent(simInputEvent* event) {
    if (!event) return;
    if (event->type == simInputEvent_wheel && event->shift && currentTool() == kToolCollision && tbApp()) {
        tbToolState& tools = tbApp()->tools();
        const float step = event->wheelDirection ? -kBrushStep : kBrushStep;
        tools.setBrushSize(tools.brushSize() + step, 0.0f, kBrushMax);
        tools.refreshBrushBar();
    }
    if (event->type == simInputEvent_mouseButton && event->button == simMouseButton_left &&
        event->buttonState == simButtonState_released) {
        d3dx::Vector3 ground;
        // A click above the horizon meets no ground: nothing is placed.
        if (utils::mouseToGroundPlane(&ground)) createFromClick(ground);
    }
    if (event->type == simInputEvent_mouseMove) {
        // The brush paints the water where the pointer meets the water
        // plane, which the user may have raised or lowered.
        d3dx::Vector3 onWater;
        const d3dx::Plane water(0, 1, 0, -m_waterPosition.y);
        if (utils::mouseToPlane(&onWater, water)) m_brushPoint = onWater;
    }
    const tbSiteBars* bars = tbCurrentSiteBars();
    if (!bars) return;
    if (bars->isVisible(Bar::collision) && !bars->isComboDropped(Bar::collision))
        for (const auto& object : m_collisionObjects) object->onEvent(*event);
    if (bars->isVisible(Bar::weather) && !bars->isComboDropped(Bar::weather))
        for (const auto& object : m_collisionObjects)
            if (object->isWindArea()) object->onEvent(*event);
}

void tbProject_flyingsite::createFromClick(const d3dx::Vector3& ground) {
    tbSiteBars* bars = tbCurrentSiteBars();
    if (!bars) return;
    if (bars->isVisible(Bar::positions) && bars->isChecked(Toggle::newPosition)) {
        auto made = std::make_unique<tbFlyingSitePosition>("New position", ground, kNewPositionKind);
        tbFlyingSitePosition* position = made.get();
        addPosition(std::move(made));
        bars->listPosition(position, true);
        position->activate();
        bars->setChecked(Toggle::newPosition, false);
    }
    if (bars->isVisible(Bar::weather) && bars->isChecked(Toggle::windArea)) {
        auto made = std::make_unique<tbCollisionObject_area>(tbCollisionObject_area::subKind_wind, "New wind-area",
                                                             ground);
        tbCollisionObject_area* area = made.get();
        addCollisionObject(std::move(made));
        bars->listObject(Bar::weather, area, true);
        area->activate();
        area->addPoint({0, 0, 0});
        bars->setChecked(Toggle::windArea, false);
    }
    if (bars->isVisible(Bar::collision)) createCollisionObjects(ground);
}

void tbProject_flyingsite::createCollisionObjects(const d3dx::Vector3& ground) {
    tbSiteBars& bars = *tbCurrentSiteBars();
    for (const NewObject& kind : kNewObjects) {
        if (!bars.isChecked(kind.toggle)) continue;
        std::vector<std::string> names;
        for (const auto& object : m_collisionObjects) names.push_back(object->getName());
        auto made = makeObject(kind.toggle, utils::makeUniqueCopyName(kind.name, names), ground);
        tbCollisionObject* object = made.get();
        addCollisionObject(std::move(made));
        bars.listObject(Bar::collision, object, true);
        object->activate();
        // After the listing: selecting the object shows its editor afresh,
        // with its toggles clear.
        if (kind.edit) bars.setChecked(*kind.edit, true);
    }
    for (const NewObject& kind : kNewObjects) bars.setChecked(kind.toggle, false);
}
