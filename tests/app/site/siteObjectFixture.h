// A headless stage for the flying-site objects' editing: the input system
// with its mouse and keyboard, a camera looking straight down on the ground
// from 500 units up onto a 1000 x 1000 view (so the mouse at (x, y) is over
// the ground point (x - 500, 0, 500 - y)), a manipulator container to select
// in, the manual clock, and fake editor settings and bars.
#pragma once

#include <optional>

#include "app/site/tbCollisionObject.h"
#include "app/site/tbSiteEditorSettings.h"
#include "app/site/tbSiteSelectionBars.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simKeyboard.h"
#include "engine/core/simMouse.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/manipulatorContainer.h"
#include "platform/sys/clock.h"
#include "tests/support/testCamera.h"

namespace sitetest {

struct FakeSettings : tbSiteEditorSettings {
    bool areaEdit = true, skylineEdit = true, surfaceEdit = true;
    int radius = 10, strength = 10;
    bool lower = false;
    std::optional<float> minimum, maximum;
    bool keyboardInView = true;

    bool areaEditPoints() const override { return areaEdit; }
    bool skylineEditPoints() const override { return skylineEdit; }
    bool heightMapEditSurface() const override { return surfaceEdit; }
    int brushRadius() const override { return radius; }
    int brushStrength() const override { return strength; }
    bool depress() const override { return lower; }
    std::optional<float> minimumHeight() const override { return minimum; }
    std::optional<float> maximumHeight() const override { return maximum; }
    bool viewHasKeyboard() const override { return keyboardInView; }
};

struct FakeBars : tbSiteSelectionBars {
    tbCollisionObject* collision = nullptr;
    tbCollisionObject* weather = nullptr;
    tbFlyingSitePosition* position = nullptr;

    const tbCollisionObject* collisionBarObject() const override { return collision; }
    void showInCollisionBar(tbCollisionObject* object) override { collision = object; }
    void showInWeatherBar(tbCollisionObject* object) override { weather = object; }
    const tbFlyingSitePosition* positionsBarPosition() const override { return position; }
    void showInPositionsBar(tbFlyingSitePosition* p) override { position = p; }
};

class SiteStage {
public:
    static constexpr float kQuarterTurn = 1.5707964f;

    SiteStage()
        : camera({0, 500, 0}, {0, 0, 0}, {0, 0, 1}, kQuarterTurn, {0, 0, 1000, 1000, 0.0f, 1.0f}, 1.0f, 5000.0f) {
        new simMouse();     // owned by the input system
        new simKeyboard();  // owned by the input system
        source.applyCamera(&camera);
        tbSiteEditorSettings::install(&settings);
        tbSiteSelectionBars::install(&bars);
    }
    ~SiteStage() {
        tbSiteEditorSettings::install(nullptr);
        tbSiteSelectionBars::install(nullptr);
    }

    // The mouse over the ground point (x, 0, z).
    void moveOver(float x, float z) { moveTo(int(x + 500), int(500 - z)); }
    void moveTo(int x, int y) {
        mouseX = x;
        mouseY = y;
        g_input->getMouse()->onMove(x, y);
    }
    static simInputEvent event(uint32_t type) {
        simInputEvent e;
        e.type = type;
        return e;
    }
    simInputEvent move() const {
        simInputEvent e = event(simInputEvent_mouseMove);
        e.x = mouseX;
        e.y = mouseY;
        return e;
    }
    simInputEvent button(uint32_t which, uint32_t state) const {
        simInputEvent e = move();
        e.type = simInputEvent_mouseButton;
        e.button = which;
        e.buttonState = state;
        return e;
    }
    static simInputEvent keyReleased(uint32_t key) {
        simInputEvent e = event(simInputEvent_key);
        e.key = key;
        e.keyState = simKeyState_released;
        return e;
    }
    // A left click over the ground point, the mouse still between press and
    // release.
    void clickOver(tbCollisionObject& object, float x, float z) {
        moveOver(x, z);
        object.onEvent(move());
        object.onEvent(button(simMouseButton_left, simButtonState_pressed));
        object.onEvent(button(simMouseButton_left, simButtonState_released));
    }

    sys::ManualClock clock{1000.0};
    simInput input;
    testsupport::TestViewSource source;
    testsupport::TestCamera camera;
    manipulatorContainer container;
    FakeSettings settings;
    FakeBars bars;
    int mouseX = 0, mouseY = 0;
};

}  // namespace sitetest
