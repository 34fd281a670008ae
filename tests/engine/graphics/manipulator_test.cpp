#include "engine/graphics/manipulator.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/graphics/manipulatorContainer.h"
#include "platform/d3dx/d3dxMath.h"
#include "tests/engine/graphics/manipulatorTestRig.h"

namespace {

using d3dx::Vector3;
using manipulatortest::dragFrom;
using manipulatortest::Op;
using manipulatortest::Step;

constexpr uint32_t kShift = 16, kCtrl = 17;

struct Modes {
    bool translate, rotate, scale;
};

struct DragCase {
    const char* name;
    Modes modes;
    std::vector<Step> steps;
    Vector3 position, rotation, scale;
};

class ManipulatorDrags : public manipulatortest::ManipulatorRig {};

void expectNear(const Vector3& actual, const Vector3& expected, const char* what, const char* name) {
    EXPECT_NEAR(actual.x, expected.x, 2e-3f) << name << ": " << what << ".x";
    EXPECT_NEAR(actual.y, expected.y, 2e-3f) << name << ": " << what << ".y";
    EXPECT_NEAR(actual.z, expected.z, 2e-3f) << name << ": " << what << ".z";
}

// The key is held from before the first draw, as a frame would show it.
std::vector<Step> withKey(uint32_t key, std::vector<Step> steps) {
    steps.insert(steps.begin(), {{Op::keyDown, static_cast<int>(key)}, {Op::draw}});
    steps.push_back({Op::keyUp, static_cast<int>(key)});
    return steps;
}

TEST_F(ManipulatorDrags, ScriptedMouseSequencesMoveTurnAndScale) {
    // The camera shows 30 pixels per unit at z = 0; handles stand 100 pixels
    // out. An axis drag puts the handle's tip under the cursor, a centre drag
    // the centre.
    const Modes all{true, true, true}, translateOnly{true, false, false}, scaleOnly{false, false, true};
    const Vector3 origin(0, 0, 0), unit(1, 1, 1);
    const float quarter = 1.5707963f;
    const DragCase cases[] = {
        {"x handle dragged 60 pixels right", translateOnly, dragFrom(500, 300, 560, 300), {2, 0, 0}, origin, unit},
        {"x handle dragged across the axis moves only along it", translateOnly, dragFrom(500, 300, 530, 240),
         {1, 0, 0}, origin, unit},
        {"y handle dragged up", translateOnly, dragFrom(400, 200, 400, 140), {0, 2, 0}, origin, unit},
        {"centre dragged moves in the view plane", translateOnly, dragFrom(400, 300, 460, 330), {2, -1, 0}, origin,
         unit},
        {"a press off every handle moves nothing", all, dragFrom(600, 500, 700, 550), origin, origin, unit},
        {"scale x handle dragged to twice its distance", scaleOnly, dragFrom(500, 300, 600, 300), origin, origin,
         {2, 1, 1}},
        {"Shift shows the scale handles", all, withKey(kShift, dragFrom(400, 200, 400, 150)), origin, origin,
         {1, 1.5f, 1}},
        {"scale x dragged onto the centre stays positive", scaleOnly, dragFrom(500, 300, 400, 300), origin, origin,
         {manipulator::kMinScaleFactor, 1, 1}},
        {"scale centre dragged far left stays positive", scaleOnly, dragFrom(400, 300, 300, 300), origin, origin,
         {manipulator::kMinScaleFactor, manipulator::kMinScaleFactor, manipulator::kMinScaleFactor}},
        {"scale centre dragged right grows every axis", scaleOnly, dragFrom(400, 300, 450, 300), origin, origin,
         {1.5f, 1.5f, 1.5f}},
        {"Ctrl shows the rings: the z ring dragged from upper right to straight below", all,
         withKey(kCtrl, dragFrom(471, 229, 400, 400)), origin, {0, 0, -3.0f * quarter / 2.0f}, unit},
        {"Shift wins over Ctrl", all,
         withKey(kCtrl, withKey(kShift, dragFrom(500, 300, 600, 300))), origin, origin, {2, 1, 1}},
    };
    for (const DragCase& c : cases) {
        manipulator m(c.modes.translate, nullptr, c.modes.rotate, nullptr, c.modes.scale, nullptr);
        Vector3 position, rotation, scale;
        m.positionTarget = &position;
        m.rotationTarget = &rotation;
        m.scaleTarget = &scale;
        m.setPosition(Vector3(0, 0, 0));
        m.setRotation(Vector3(0, 0, 0));
        m.setScale(Vector3(1, 1, 1));
        std::vector<Step> steps = c.steps;
        steps.insert(steps.begin(), {Op::draw});
        run(steps);
        expectNear(m.getPosition(), c.position, "position", c.name);
        expectNear(m.getRotation(), c.rotation, "rotation", c.name);
        expectNear(m.getScale(), c.scale, "scale", c.name);
        expectNear(position, c.position, "position target", c.name);
        expectNear(rotation, c.rotation, "rotation target", c.name);
        expectNear(scale, c.scale, "scale target", c.name);
        EXPECT_FALSE(m.hasMouse()) << c.name;
        EXPECT_EQ(container.active, nullptr) << c.name;
    }
}

// A centre drag scales by the pixels dragged, whatever a unit covers on the
// screen there: 30 pixels right give 1.3 times the size close up (150
// pixels a unit, as a flat texture filling the view shows it) as far off
// (10 pixels a unit).
TEST_F(ManipulatorDrags, ACentreScaleDragFeelsTheSameAtEveryZoom) {
    for (const float z : {-8.0f, 0.0f, 20.0f}) {
        manipulator m(false, nullptr, false, nullptr, true, nullptr);
        m.setPosition(Vector3(0, 0, z));
        m.setScale(Vector3(1, 1, 1));
        run({{Op::draw}});
        run(dragFrom(400, 300, 430, 300));
        expectNear(m.getScale(), Vector3(1.3f, 1.3f, 1.3f), "scale", std::to_string(z).c_str());
    }
}

TEST_F(ManipulatorDrags, AFreeMoveKeepsALockedAxis) {
    manipulator m(true, nullptr, false, nullptr, false, nullptr);
    m.translateAxes[1] = 0.0f;
    run({{Op::draw}});
    run(dragFrom(400, 300, 460, 330));
    expectNear(m.getPosition(), Vector3(2, 0, 0), "position", "y locked");
}

TEST_F(ManipulatorDrags, LinkedScaleAxesFollowTheDraggedOne) {
    const Vector3 start(1, 2, 3);
    manipulator m(false, nullptr, false, nullptr, true, &start);
    m.linkScaleAxes(0, 1);
    m.linkScaleAxes(0, 2);
    run({{Op::draw}});
    run(dragFrom(500, 300, 650, 300));
    expectNear(m.getScale(), Vector3(2.5f, 2.5f, 2.5f), "scale", "x linked to y and z");
}

TEST_F(ManipulatorDrags, ARingSeenFromBehindTurnsTheOtherWay) {
    // The camera behind the manipulator: the z ring faces away, so the same
    // screen motion gives the opposite angle.
    testsupport::TestCamera behind({0, 0, 10}, {0, 0, 0}, {0, 1, 0}, kHalfPi, manipulatortest::testViewport(), 1.0f,
                                   1000.0f);
    source.applyCamera(&behind);
    manipulator m(false, nullptr, true, nullptr, false, nullptr);
    m.rotateAxes[0] = 0.0f;
    run({{Op::draw}});
    run(dragFrom(471, 229, 400, 400));
    EXPECT_NEAR(m.getRotation().z, 3.0f * kHalfPi / 2.0f, 2e-3f);
}

TEST_F(ManipulatorDrags, TheYRingOfALevelCameraLiesEdgeOn) {
    // The ring faces along the camera's up: it is seen edge-on, as a line
    // through the centre, and does not stand in for the z ring.
    manipulator m(false, nullptr, true, nullptr, false, nullptr);
    run({{Op::draw}});
    const auto& ring = m.getRingScreenPoints(1);
    ASSERT_FALSE(ring.empty());
    for (const auto& p : ring) EXPECT_NEAR(p.y, 300.0f, 0.5f);
    run({{Op::move, 471, 229}});
    EXPECT_EQ(m.getHoveredAxis(manipulator::mode_rotate), 2);
}

// The program's cameras are right-handed: the view's z axis points back at
// the viewer. Seen from +z, handles and rings follow the cursor the same way.
class RightHandedCamera : public simViewpoint {
public:
    RightHandedCamera() {
        const Vector3 eye(0, 0, 10), at(0, 0, 0), up(0, 1, 0);
        d3dx::MatrixLookAtRH(&view_, &eye, &at, &up);
        d3dx::MatrixPerspectiveFovRH(&projection_, 1.5707963f, 800.0f / 600.0f, 1.0f, 1000.0f);
        viewport_ = manipulatortest::testViewport();
        eye_ = eye;
    }
    const d3dx::Matrix& getViewMatrix() const override { return view_; }
    const d3dx::Matrix& getProjectionMatrix() const override { return projection_; }
    const d3dx::Viewport& getViewport() const override { return viewport_; }
    const Vector3& getPosition() const override { return eye_; }

private:
    d3dx::Matrix view_, projection_;
    d3dx::Viewport viewport_;
    Vector3 eye_;
};

TEST_F(ManipulatorDrags, ARightHandedCameraDragsTheSameWay) {
    RightHandedCamera rightHanded;
    source.applyCamera(&rightHanded);
    manipulator mover(true, nullptr, false, nullptr, false, nullptr);
    run({{Op::draw}});
    run(dragFrom(500, 300, 560, 300));
    expectNear(mover.getPosition(), Vector3(2, 0, 0), "position", "x handle");
    run({{Op::draw}});  // a frame between the drags
    run(dragFrom(460, 300, 430, 330));
    expectNear(mover.getPosition(), Vector3(1, -1, 0), "position", "centre dragged");
}

TEST_F(ManipulatorDrags, ARightHandedCameraTurnsTheFacingRing) {
    RightHandedCamera rightHanded;
    source.applyCamera(&rightHanded);
    manipulator turner(false, nullptr, true, nullptr, false, nullptr);
    run({{Op::draw}});
    run(dragFrom(471, 229, 400, 400));
    EXPECT_NEAR(turner.getRotation().z, -3.0f * kHalfPi / 2.0f, 2e-3f);
}

TEST_F(ManipulatorDrags, ANeverDrawnManipulatorIgnoresEvents) {
    manipulator m(true, nullptr, false, nullptr, false, nullptr);
    run(dragFrom(400, 300, 460, 330));
    expectNear(m.getPosition(), Vector3(0, 0, 0), "position", "never drawn");
    EXPECT_FALSE(m.isOnScreen());
}

TEST_F(ManipulatorDrags, AManipulatorBeyondTheFarPlaneIsOffScreen) {
    const Vector3 far(0, 0, 5000);
    manipulator m(true, &far, false, nullptr, false, nullptr);
    run({{Op::draw}});
    EXPECT_FALSE(m.isOnScreen());
}

// A manipulator where the camera stands projects to no screen point at all
// (the flying site's sun seen from a camera placed on it).
TEST_F(ManipulatorDrags, AManipulatorAtTheCameraIsOffScreen) {
    const Vector3 atCamera(0, 0, -10);
    manipulator m(true, &atCamera, false, nullptr, false, nullptr);
    run({{Op::draw}});
    EXPECT_FALSE(m.isOnScreen());
}

TEST_F(ManipulatorDrags, AnEndOnAxisIsNotPickedButTheCentreIs) {
    // The z handle projects onto the centre; the press there takes the centre.
    manipulator m(true, nullptr, false, nullptr, false, nullptr);
    run({{Op::draw}, {Op::move, 400, 300}});
    EXPECT_EQ(m.getHoveredAxis(manipulator::mode_translate), manipulator::kCentre);
    m.translateAxes[0] = 0.0f;
    run({{Op::move, 500, 300}});
    EXPECT_EQ(m.getHoveredAxis(manipulator::mode_translate), manipulator::kNoAxis);
    EXPECT_FALSE(m.hasMouse());
}

TEST_F(ManipulatorDrags, TheHoverFollowsTheHandleUnderTheCursor) {
    manipulator m(true, nullptr, false, nullptr, false, nullptr);
    const std::pair<Step, int> cases[] = {
        {{Op::move, 497, 301}, 0},
        {{Op::move, 391, 209}, 1},
        {{Op::move, 403, 299}, manipulator::kCentre},
        {{Op::move, 450, 250}, manipulator::kNoAxis},
    };
    run({{Op::draw}});
    for (const auto& [step, axis] : cases) {
        run({step});
        EXPECT_EQ(m.getHoveredAxis(manipulator::mode_translate), axis) << step.a << ", " << step.b;
        EXPECT_EQ(container.active, axis == manipulator::kNoAxis ? nullptr : &m);
    }
}

// ---- Callbacks and selection

struct Calls {
    std::vector<std::pair<int, int>> seen;  // (slot, mode)
};

template <int Slot>
void record(manipulator*, int mode, void* data) {
    static_cast<Calls*>(data)->seen.push_back({Slot, mode});
}

class ManipulatorSelection : public manipulatortest::ManipulatorRig {
protected:
    ManipulatorSelection() {
        for (manipulator* m : {&first, &second}) {
            m->setCallback(manipulator::callback_selected, record<1>, &calls);
            m->setCallback(manipulator::callback_deselected, record<2>, &calls);
            m->setCallback(manipulator::callback_changed, record<3>, &calls);
        }
        const Vector3 away(-5, -5, 0);
        second.setPosition(away);
        drawAll();
    }

    manipulator first{true, nullptr, false, nullptr, false, nullptr};
    manipulator second{true, nullptr, false, nullptr, false, nullptr};
    Calls calls;
};

TEST_F(ManipulatorSelection, APressSelectsADragReportsEachStepAReleaseLetsGo) {
    run({{Op::move, 500, 300}, {Op::pressLeft}});
    EXPECT_EQ(container.selected, &first);
    EXPECT_EQ(container.active, &first);
    EXPECT_TRUE(first.isHovered());
    run({{Op::move, 520, 300}, {Op::move, 530, 300}});
    EXPECT_TRUE(first.isDragging());
    run({{Op::releaseLeft}});
    EXPECT_EQ(container.active, nullptr);
    EXPECT_EQ(container.selected, &first);
    EXPECT_FALSE(first.isHovered());
    ASSERT_GE(calls.seen.size(), 2u);
    EXPECT_EQ(calls.seen.front(), std::make_pair(1, 0));
    for (size_t i = 1; i < calls.seen.size(); ++i) EXPECT_EQ(calls.seen[i], std::make_pair(3, 0));
    EXPECT_NEAR(first.getPosition().x, 1.0f, 2e-3f);
    // The move that crosses the drag threshold reaches the manipulator before
    // the mouse marks the drag, so the whole move is the second step.
    EXPECT_NEAR(first.getPositionStep().x, 1.0f, 2e-3f);
}

TEST_F(ManipulatorSelection, ARightClickOffTheHandlesDeselectsOnlyAfter250Ms) {
    run({{Op::move, 500, 300}, {Op::pressLeft}, {Op::releaseLeft}, {Op::move, 700, 100}});
    calls.seen.clear();
    run({{Op::wait, 200}, {Op::pressRight}, {Op::releaseRight}});
    EXPECT_EQ(container.selected, &first) << "within 250 ms of the selection";
    run({{Op::wait, 100}, {Op::pressRight}, {Op::move, 650, 150}, {Op::move, 600, 200}, {Op::releaseRight}});
    EXPECT_EQ(container.selected, &first) << "a right-button camera drag";
    EXPECT_TRUE(calls.seen.empty());
    frame();
    run({{Op::pressRight}, {Op::releaseRight}});
    EXPECT_EQ(container.selected, nullptr);
    EXPECT_EQ(calls.seen, (std::vector<std::pair<int, int>>{{2, 0}}));
}

TEST_F(ManipulatorSelection, PressingAnotherManipulatorMovesTheSelectionSilently) {
    run({{Op::move, 500, 300}, {Op::pressLeft}, {Op::releaseLeft}});
    // The second stands at (-5, -5): its x handle at (350 - 150 + 100, 450).
    run({{Op::move, 350, 450}, {Op::pressLeft}, {Op::releaseLeft}});
    EXPECT_EQ(container.selected, &second);
    EXPECT_EQ(calls.seen, (std::vector<std::pair<int, int>>{{1, 0}, {1, 0}}));
}

TEST_F(ManipulatorSelection, WhileOneHasTheMouseTheOtherIgnoresEvents) {
    run({{Op::move, 500, 300}});
    EXPECT_EQ(container.active, &first);
    // The second's handles are not under the cursor; but even a move onto
    // its handle is ignored while the first holds the mouse.
    run({{Op::pressLeft}, {Op::move, 350, 450}});
    EXPECT_EQ(second.getHoveredAxis(manipulator::mode_translate), manipulator::kNoAxis);
    run({{Op::releaseLeft}});
}

TEST_F(ManipulatorSelection, DestroyingTheSelectedManipulatorLeavesNoSelection) {
    auto* third = new manipulator(true, nullptr, false, nullptr, false, nullptr);
    const Vector3 right(5, 5, 0);
    third->setPosition(right);
    third->draw(nullptr);
    run({{Op::move, 650, 150}, {Op::pressLeft}});
    EXPECT_EQ(container.selected, third);
    delete third;
    EXPECT_EQ(container.selected, nullptr);
    EXPECT_EQ(container.active, nullptr);
    EXPECT_EQ(container.getManipulators().size(), 2u);
    run({{Op::releaseLeft}});
}

// ---- Setters, modes and labels (no mouse needed)

TEST(Manipulator, SettersWriteTargetsAndTheMatrixWithoutCallbacks) {
    manipulatorContainer container;
    manipulator m(true, nullptr, true, nullptr, true, nullptr);
    Calls calls;
    m.setCallback(manipulator::callback_changed, record<3>, &calls);
    d3dx::Matrix matrix;
    Vector3 rotation;
    m.matrixTarget = &matrix;
    m.rotationTarget = &rotation;
    m.setRotation(Vector3(0.3f, 0.5f, 0.7f));
    d3dx::Matrix x, y, z;
    d3dx::MatrixRotationX(&x, 0.3f);
    d3dx::MatrixRotationY(&y, 0.5f);
    d3dx::MatrixRotationZ(&z, 0.7f);
    const d3dx::Matrix expected = x * z * y;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_NEAR(matrix(r, c), expected(r, c), 1e-6f);
    EXPECT_EQ(rotation, Vector3(0.3f, 0.5f, 0.7f));
    EXPECT_TRUE(calls.seen.empty());
}

TEST(Manipulator, LabelTextFollowsTheLabelMode) {
    manipulatorContainer container;
    const Vector3 at(1.25f, -2, 3.5f);
    manipulator m(true, &at, false, nullptr, false, nullptr);
    simColour colour;
    m.setLabel("Pano orientation", colour);
    const std::pair<int, std::string> cases[] = {
        {0, ""},
        {1, "Pano orientation"},
        {2, " [1.2,-2.0,3.5]"},
        {3, "Pano orientation [1.2,-2.0,3.5]"},
    };
    for (const auto& [mode, text] : cases) {
        m.labelMode = mode;
        EXPECT_EQ(m.getLabelText(), text) << "mode " << mode;
    }
}

}  // namespace
