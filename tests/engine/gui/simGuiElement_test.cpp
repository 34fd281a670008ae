// The GUI element through scripts and the test clock: fades (zero-length
// ones included), hide with destroy, animated moves and form children,
// attributes and property entries, the tooltip's delay and fades, and the
// destructor clearing every manager pointer to the element.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/gui/simGuiLabel.h"
#include "tests/engine/gui/guiTestBench.h"

using guitest::DrawCall;
using guitest::GuiBench;

namespace {

class GuiElementTest : public ::testing::Test {
protected:
    GuiBench bench;
};

}  // namespace

TEST_F(GuiElementTest, FadesFollowTheClockAndAZeroLengthFadeIsImmediate) {
    bench.lua("createGuiLabel('a', 0, 0, 100, 20, '', 'A', 'left')");
    simGuiElement* a = bench.find("a");
    ASSERT_NE(a, nullptr);
    a->show(200.0f);
    EXPECT_FLOAT_EQ(a->getAlpha(), 0.0f);
    bench.clock.advance(50.0);
    EXPECT_FLOAT_EQ(a->getAlpha(), 0.25f);
    bench.advance(150.0);
    EXPECT_FALSE(a->isFadingIn());
    EXPECT_FLOAT_EQ(a->getAlpha(), 1.0f);

    a->hide(0.0f, false);  // no 0/0: hidden at once
    EXPECT_FALSE(a->isVisible());
    EXPECT_FLOAT_EQ(a->getAlpha(), 0.0f);
    a->show(0.0f);
    EXPECT_TRUE(a->isVisible());
    EXPECT_FALSE(a->isFadingIn());
    EXPECT_FALSE(std::isnan(a->getAlpha()));
    EXPECT_FLOAT_EQ(a->getAlpha(), 1.0f);
    a->show(-5.0f);
    EXPECT_FLOAT_EQ(a->getAlpha(), 1.0f);
}

TEST_F(GuiElementTest, HideWithDestroyFadesThenDestroysAndASecondHideIsIgnored) {
    bench.lua("createGuiLabel('a', 0, 0, 100, 20, '', 'A', 'left')");
    simGuiElement* a = bench.find("a");
    a->hide(500.0f, true);
    a->hide(10.0f, false);  // ignored while the fade runs
    bench.advance(250.0);
    EXPECT_TRUE(a->isVisible());
    EXPECT_FLOAT_EQ(a->getAlpha(), 0.5f);
    EXPECT_EQ(bench.render().size(), 1u);  // still drawn while fading
    bench.advance(250.0);
    EXPECT_EQ(bench.luaValue("gui_exists('a')"), "0");
    EXPECT_EQ(bench.manager->elementCount(), 0);

    bench.lua("createGuiLabel('b', 0, 0, 100, 20, '', 'B', 'left')");
    bench.find("b")->hide(0.0f, true);
    EXPECT_EQ(bench.luaValue("gui_exists('b')"), "0");
}

TEST_F(GuiElementTest, MovesStepAlongAStraightLineAndChildrenFollowTheirForm) {
    bench.lua("createGuiGroupFrame('form', 100, 100, 200, 100, '')"
              "gui_setCurrentDialogForm('form')"
              "createGuiLabel('child', 120, 130, 50, 20, '', 'x', 'left')"
              "gui_setCurrentDialogForm('')"
              "createGuiLabel('loose', 10, 10, 50, 20, '', 'y', 'left')");
    simGuiElement* form = bench.find("form");
    simGuiElement* child = bench.find("child");
    EXPECT_EQ(child->getParentForm(), form);
    EXPECT_EQ(bench.find("loose")->getParentForm(), nullptr);

    form->moveResize(simGuiElement::kKeepCoordinate, simGuiElement::kKeepCoordinate, 260,
                     simGuiElement::kKeepCoordinate, 0.0f);
    EXPECT_EQ(form->getWidth(), 260);
    EXPECT_EQ(form->getX(), 100);

    form->moveResize(200, 300, simGuiElement::kKeepCoordinate, simGuiElement::kKeepCoordinate, 400.0f);
    const int expected[][2] = {{125, 150}, {150, 200}, {175, 250}, {200, 300}, {200, 300}};
    for (const auto& step : expected) {
        bench.advance(100.0);
        EXPECT_EQ(form->getX(), step[0]);
        EXPECT_EQ(form->getY(), step[1]);
        EXPECT_EQ(child->getX(), step[0] + 20);
        EXPECT_EQ(child->getY(), step[1] + 30);
    }
    // A child whose form goes keeps its own place and no dangling form.
    delete form;
    EXPECT_EQ(child->getParentForm(), nullptr);
    EXPECT_EQ(child->getX(), 120);
}

TEST_F(GuiElementTest, AttributeSlotsAndPropertyEntries) {
    bench.lua("createGuiLabel('a', 0, 0, 100, 20, '', 'A', 'left')");
    simGuiElement* a = bench.find("a");
    a->setStringAttribute(9, "nine");
    a->setStringAttribute(10, "ten");
    a->setIntAttribute(-1, 5);
    a->setFloatAttribute(3, 2.5f);
    EXPECT_EQ(a->getStringAttribute(9), "nine");
    EXPECT_EQ(a->getStringAttribute(10), "");
    EXPECT_EQ(a->getIntAttribute(-1), 0);
    EXPECT_FLOAT_EQ(a->getFloatAttribute(3), 2.5f);

    struct Entry {
        const char* key;
        const char* value;
        bool visible, enabled, flashing;
    };
    const Entry entries[] = {
        {"visible", "false", false, true, false}, {"visible", "true", true, true, false},
        {"Visible", "false", true, true, false},  {"enabled", "1", true, false, false},
        {"enabled", "true", true, true, false},   {"flashing", "1", true, true, true},
        {"flashing", "yes", true, true, false},   {"flashing", "true", true, true, true},
    };
    for (const Entry& e : entries) {
        bench.lua(std::string("gui_setAttribute('a', '") + e.key + "', '" + e.value + "')");
        EXPECT_EQ(a->isVisible(), e.visible) << e.key << " " << e.value;
        EXPECT_EQ(a->isEnabled(), e.enabled) << e.key << " " << e.value;
        EXPECT_EQ(a->isFlashing(), e.flashing) << e.key << " " << e.value;
    }
    // The label's colour is its text colour: alpha first in the entry.
    bench.lua("gui_setAttribute('a', 'colour', '128,255,0,0')");
    const simColour& text = static_cast<simGuiLabel*>(a)->getTextColour();
    EXPECT_EQ(text.alpha, 128);
    EXPECT_EQ(text.red, 255);
    EXPECT_EQ(text.green, 0);
    EXPECT_EQ(text.blue, 0);
    EXPECT_EQ(a->getColour().red, 255);  // the element's own colour stays white
    bench.lua("gui_setAttribute('a', 'colour', '10,,20')");
    EXPECT_EQ(text.alpha, 10);
    EXPECT_EQ(text.red, 0);
    EXPECT_EQ(text.green, 20);
}

TEST_F(GuiElementTest, FlashPhaseTogglesEveryHalfSecond) {
    bench.lua("createGuiLabel('a', 0, 0, 100, 20, '', 'A', 'left')");
    simGuiElement* a = bench.find("a");
    EXPECT_FALSE(a->getFlashPhase());
    bench.advance(500.0);
    EXPECT_FALSE(a->getFlashPhase());  // more than 500 ms
    bench.advance(1.0);
    EXPECT_TRUE(a->getFlashPhase());
    bench.advance(501.0);
    EXPECT_FALSE(a->getFlashPhase());
}

TEST_F(GuiElementTest, TooltipWaitsForTheMouseToRestThenFadesInAndOut) {
    bench.lua("createGuiLabel('a', 100, 100, 100, 20, '', 'A', 'left') gui_setTooltip('a', 'Help text', '')");
    bench.moveTo(150, 110);
    auto tooltipPieces = [&] {
        for (const DrawCall& call : bench.render())
            if (call.kind == DrawCall::Kind::rects && call.pieces.size() == 3) return call.pieces;
        return std::vector<simScreenRect>{};
    };
    bench.advance(1000.0);
    EXPECT_TRUE(tooltipPieces().empty());  // not more than 1000 ms yet
    bench.advance(1.0);
    bench.render();  // asked for this frame: the fade starts
    bench.clock.advance(125.0);
    std::vector<simScreenRect> pieces = tooltipPieces();
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].colour >> 24, 127u);  // half-way through the fade-in
    // At (x + width / 2 + 2, y + height + 2), text width 9 x 7 + 44 wide.
    EXPECT_EQ(guitest::screenRect(pieces[0]), (guitest::AtlasRect{152, 122, 184, 154}));
    EXPECT_EQ(guitest::screenRect(pieces[1]).x2, 152 + 63 + 44);
    bench.clock.advance(200.0);
    EXPECT_EQ(tooltipPieces()[0].colour >> 24, 255u);

    bench.moveTo(10, 10);  // leaves the label: fades out over 250 ms
    bench.clock.advance(100.0);
    pieces = tooltipPieces();
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_NEAR(static_cast<double>(pieces[0].colour >> 24), 255 * 0.6, 1.0);
    bench.clock.advance(200.0);
    EXPECT_TRUE(tooltipPieces().empty());
}

TEST_F(GuiElementTest, TooltipNearTheRightEdgeOpensLeftwards) {
    bench.lua("createGuiLabel('a', 760, 100, 30, 20, '', 'A', 'left') gui_setTooltip('a', 'Wide help', '')");
    bench.moveTo(770, 110);
    bench.advance(1001.0);
    bench.render();
    bench.clock.advance(300.0);
    int boxes = 0;
    for (const DrawCall& call : bench.render()) {
        if (call.kind != DrawCall::Kind::rects || call.pieces.size() != 3) continue;
        ++boxes;
        // The cap at the position is the left cap mirrored.
        EXPECT_EQ(guitest::screenRect(call.pieces[0]), (guitest::AtlasRect{745, 122, 777, 154}));
        EXPECT_EQ(guitest::atlasPixels(call.pieces[0]), (guitest::AtlasRect{32, 160, 0, 192}));
    }
    EXPECT_EQ(boxes, 1);
    const std::vector<DrawCall> texts = bench.canvas.of(DrawCall::Kind::text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].text, "Wide help");
    EXPECT_FLOAT_EQ(texts[1].x, 777 - (63 + 44) + 12);
}

TEST_F(GuiElementTest, TooltipTargetReceivesTheTextInsteadOfAPopUp) {
    bench.lua("createGuiLabel('status', 0, 0, 100, 20, '', '', 'left')"
              "createGuiLabel('a', 100, 100, 100, 20, '', 'A', 'left') gui_setTooltip('a', 'Shown below', 'status')");
    bench.render();
    EXPECT_EQ(bench.luaValue("gui_getText('status')"), "Shown below");
}

TEST_F(GuiElementTest, DestroyedElementLeavesNoManagerPointerBehind) {
    bench.lua("createGuiLabel('a', 0, 0, 100, 20, '', 'A', 'left')");
    simGuiElement* a = bench.find("a");
    simGuiElementManager& m = *bench.manager;
    m.okElement = m.cancelElement = m.editElement = m.focusElement = m.currentDialogForm = a;
    a->setModal(true);
    m.addDialog(a);
    m.refreshModalDialog();
    EXPECT_EQ(m.modalDialog, a);
    bench.lua("destroyGuiElement('a')");
    bench.update();
    for (simGuiElement* pointer :
         {m.okElement, m.cancelElement, m.editElement, m.focusElement, m.currentDialogForm, m.modalDialog})
        EXPECT_EQ(pointer, nullptr);
}
