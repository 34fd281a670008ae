// The flying site's input on a headless stage (a camera straight down from
// 500 units over a 1000 x 1000 view): new objects and positions where a click
// meets the ground, their names and the toggles after them, and the water
// brush's point on the water plane at its own height.
#include <gtest/gtest.h>

#include <memory>

#include "app/site/tbCollisionObject.h"
#include "app/site/tbFlyingSitePosition.h"
#include "app/site/tbProject_flyingsite.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/manipulatorContainer.h"
#include "tests/app/site/recordingSiteBars.h"
#include "tests/app/site/siteObjectFixture.h"

namespace {

using Toggle = tbSiteBars::Toggle;

class SiteInput : public ::testing::Test {
protected:
    void SetUp() override { previous = tbBindSiteBars(&bars); }
    void TearDown() override {
        site.reset();
        tbBindSiteBars(previous);
    }
    // A left click released over the ground point (x, 0, z).
    void clickOver(float x, float z) {
        stage.moveOver(x, z);
        simInputEvent move = stage.move(), press = stage.button(simMouseButton_left, simButtonState_pressed),
                      release = stage.button(simMouseButton_left, simButtonState_released);
        site->onEvent(&move);
        site->onEvent(&press);
        site->onEvent(&release);
    }

    sitetest::SiteStage stage;
    sitetest::RecordingSiteBars bars;
    tbSiteBars* previous = nullptr;
    std::unique_ptr<tbProject_flyingsite> site = std::make_unique<tbProject_flyingsite>();
};

}  // namespace

TEST_F(SiteInput, AClickWithAToggleCheckedMakesOneObjectThereAndUnchecksIt) {
    bars.setChecked(Toggle::plane, true);
    clickOver(100, -200);
    ASSERT_EQ(site->getCollisionObjects().size(), 1u);
    const tbCollisionObject& plane = *site->getCollisionObjects().front();
    EXPECT_EQ(plane.getName(), "New plane");
    EXPECT_EQ(plane.getType(), tbCollisionObject::type_primitive);
    EXPECT_NEAR(plane.getPosition().x, 100.0f, 0.01f);
    EXPECT_NEAR(plane.getPosition().z, -200.0f, 0.01f);
    EXPECT_EQ(plane.getScale().x, 10.0f);
    EXPECT_FALSE(bars.isChecked(Toggle::plane));
    EXPECT_EQ(bars.selectedObject, &plane);
    EXPECT_EQ(manipulatorContainer::current()->selected, plane.getManipulator());

    // The toggle is needed again for the second, which takes a copy's name.
    clickOver(0, 0);
    EXPECT_EQ(site->getCollisionObjects().size(), 1u);
    bars.setChecked(Toggle::plane, true);
    clickOver(0, 0);
    ASSERT_EQ(site->getCollisionObjects().size(), 2u);
    EXPECT_EQ(site->getCollisionObjects().back()->getName(), "New plane Copy");
}

TEST_F(SiteInput, OneClickServesThePositionsBarAndTheCollisionBarAlike) {
    bars.setChecked(Toggle::newPosition, true);
    bars.setChecked(Toggle::heightMap, true);
    bars.setChecked(Toggle::area, true);
    clickOver(-300, 50);
    ASSERT_EQ(site->getPositions().size(), 1u);
    EXPECT_EQ(site->getPositions().front()->getName(), "New position");
    EXPECT_EQ(site->getPositions().front()->getKind(), 5u);
    ASSERT_EQ(site->getCollisionObjects().size(), 2u);
    // In the order the bar lists its toggles: areas before height maps.
    EXPECT_EQ(site->getCollisionObjects().front()->getName(), "New area");
    EXPECT_EQ(site->getCollisionObjects().back()->getName(), "New height-map");
    EXPECT_TRUE(bars.isChecked(Toggle::areaEdit));
    EXPECT_TRUE(bars.isChecked(Toggle::heightMapEdit));
    EXPECT_FALSE(bars.isChecked(Toggle::newPosition) || bars.isChecked(Toggle::area) ||
                 bars.isChecked(Toggle::heightMap));
    EXPECT_EQ(bars.collision.size(), 2u);
    EXPECT_EQ(bars.positions.size(), 1u);
}

// The editors show a new selection with their toggles clear, as the real
// bars do: the toggle that lets the new object take the next clicks has to
// be checked after the object is selected.
TEST_F(SiteInput, ANewObjectKeepsItsEditorsToggleThroughItsSelection) {
    struct Case {
        Toggle kind, edit;
    };
    for (const Case c : {Case{Toggle::area, Toggle::areaEdit}, Case{Toggle::materialArea, Toggle::areaEdit},
                         Case{Toggle::skyline, Toggle::skylineEdit}, Case{Toggle::heightMap, Toggle::heightMapEdit}}) {
        bars.onSelect = [this] {
            for (const Toggle edit : {Toggle::areaEdit, Toggle::skylineEdit, Toggle::heightMapEdit})
                bars.setChecked(edit, false);
        };
        bars.setChecked(c.kind, true);
        clickOver(50, 50);
        EXPECT_TRUE(bars.isChecked(c.edit)) << int(c.kind);
    }
}

TEST_F(SiteInput, AWindAreaFromTheWeatherBarIsListedThere) {
    bars.setChecked(Toggle::windArea, true);
    clickOver(0, 0);
    ASSERT_EQ(site->getCollisionObjects().size(), 1u);
    tbCollisionObject* wind = site->getCollisionObjects().front().get();
    EXPECT_EQ(wind->getName(), "New wind-area");
    EXPECT_TRUE(wind->isWindArea());
    EXPECT_EQ(bars.weather.size(), 1u);
    site->deleteCollisionObject(wind);
    EXPECT_TRUE(bars.weather.empty() && bars.collision.empty());
    EXPECT_EQ(bars.selectedObject, nullptr);
}

TEST_F(SiteInput, TheWaterBrushFollowsThePointerOnTheWaterPlane) {
    // The water raised by its gizmo to 250 units, half way to the camera: the
    // pointer over ground point (200, 0, -100) is over water point
    // (100, 250, -50).
    site->getWaterManipulator()->setPosition({0, 250, 0});
    ASSERT_EQ(site->getWaterPosition().y, 250.0f);
    stage.moveOver(200, -100);
    simInputEvent move = stage.move();
    site->onEvent(&move);
    EXPECT_NEAR(site->getBrushPoint().x, 100.0f, 0.01f);
    EXPECT_NEAR(site->getBrushPoint().y, 250.0f, 0.01f);
    EXPECT_NEAR(site->getBrushPoint().z, -50.0f, 0.01f);
}

TEST_F(SiteInput, ExportNeedsAFixedWingPositionNamedExactlyDefault1) {
    const struct {
        const char* name;
        uint32_t kind;
        bool accepted;
    } cases[] = {
        {"default 1", 1, true},   {"default 1", 2, false}, {"default 10", 1, false},
        {"Default 1", 1, false}, {"default", 1, false},
    };
    for (const auto& c : cases) {
        site = std::make_unique<tbProject_flyingsite>();
        site->addPosition(std::make_unique<tbFlyingSitePosition>("Heli pad", d3dx::Vector3(), 2));
        site->addPosition(std::make_unique<tbFlyingSitePosition>(c.name, d3dx::Vector3(), c.kind));
        std::string message = "old";
        EXPECT_EQ(site->validate(message), c.accepted) << c.name << " " << c.kind;
        EXPECT_EQ(message.empty(), c.accepted) << c.name;
    }
    site = std::make_unique<tbProject_flyingsite>();
    std::string message;
    EXPECT_FALSE(site->validate(message));
    EXPECT_EQ(message,
              "You must add at least the \"default 1\" starting position for fixed-wing models or your scenery will "
              "not load correctly in Tolvane.");
}
