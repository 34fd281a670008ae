// Dialog boxes: made and styled by scripts, anchored, dragged with their
// children and title-bar buttons, resized by their zones, modal in creation
// order, and closed by their OK and cancel buttons from Enter and Esc.
#include <gtest/gtest.h>

#include "engine/gui/simGuiCustomButton.h"
#include "engine/gui/simGuiDialogBox.h"
#include "tests/engine/gui/guiTestBench.h"

using guitest::AtlasRect;
using guitest::DrawCall;

namespace {

class GuiDialogBoxTest : public ::testing::Test {
protected:
    GuiDialogBoxTest() {
        bench.manager->fonts[2] = bench.font.get();  // the dialog-title font
        bench.recordCalls();
        // A floating dialog with a label on it.
        bench.lua("createGuiDialogBox('d', 100, 100, 300, 200, 'Options', 'floating', '')"
                  "gui_setCurrentDialogForm('d')"
                  "createGuiLabel('d_text', 120, 150, 100, 20, '', 'Span', 'left')"
                  "gui_setCurrentDialogForm('')");
    }
    simGuiDialogBox* dialog(const std::string& name = "d") { return bench.find<simGuiDialogBox>(name); }
    void settle() { bench.advance(300.0); }
    // Where an element is on screen.
    std::pair<int32_t, int32_t> at(const std::string& name) {
        simGuiElement* element = bench.find(name);
        return element ? std::pair{element->getX(), element->getY()} : std::pair{-1, -1};
    }

    guitest::GuiBench bench;
};

}  // namespace

TEST_F(GuiDialogBoxTest, ScriptFunctionsStyleShiftAndTitleIt) {
    ASSERT_NE(dialog(), nullptr);
    EXPECT_EQ(dialog()->getTypeName(), "simGuiDialogBox");
    EXPECT_EQ(bench.find("d_text")->getParentForm(), dialog());

    struct Case {
        const char* style;
        int32_t number;
    };
    for (const Case& c : {Case{"simGuiDialogBoxStyle_noTitleBar", 1}, Case{"simGuiDialogBoxStyle_minimumTitleBar", 2},
                          Case{"simGuiDialogBoxStyle_divider", 3}, Case{"simGuiDialogBoxStyle_invisible", 4},
                          Case{"simGuiDialogBoxStyle_widget", 5}, Case{"simGuiDialogBoxStyle_Widget", 0}}) {
        bench.lua(std::string("gui_dialogBox_setStyle('d', '") + c.style + "')");
        EXPECT_EQ(dialog()->getStyle(), c.number) << c.style;
    }
    bench.lua("gui_setAttribute('d', 'style', 'simGuiDialogBoxStyle_widget')");
    EXPECT_EQ(dialog()->getStyle(), 5);
    // Element keys do not reach the dialog; the dialog functions leave other widgets alone.
    bench.lua("gui_setAttribute('d', 'visible', 'false') gui_dialogBox_setStyle('d_text', 'x')"
              "gui_setDialogBoxAlignmentOffset('d_text', 5, 5) gui_addDialogButton('d_text', '', '')");
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_EQ(at("d_text"), (std::pair{120, 150}));
    EXPECT_FALSE(bench.find("d_text_button_exit"));

    // The alignment offset shifts the dialog and its children, truncated.
    bench.lua("gui_setDialogBoxAlignmentOffset('d', 10.7, -3.5)");
    EXPECT_EQ(at("d"), (std::pair{110, 96}));
    EXPECT_EQ(at("d_text"), (std::pair{130, 146}));

    // A title wider than the width - 10 is shortened to fit with "...";
    // setText shows the new text whole. The bench's glyphs are 7 pixels.
    bench.lua("createGuiDialogBox('narrow', 10, 40, 100, 50, 'A very long dialog title', 'floating', '')");
    EXPECT_EQ(dialog("narrow")->getText(), "A very lo...");
    bench.lua("gui_setText('narrow', 'Another long dialog title')");
    EXPECT_EQ(bench.luaValue("gui_getText('narrow')"), "Another long dialog title");
}

TEST_F(GuiDialogBoxTest, AnchorsPlaceTheDialogInTheView) {
    struct Case {
        const char* anchor;
        int32_t x, y;
    };
    // 800 x 600 back buffer, a 300 x 200 dialog made at (100, 100).
    const Case cases[] = {
        {"floating", 100, 100}, {"topLeft", 5, 30},      {"top", 100, 30},          {"topRight", 495, 30},
        {"right", 495, 100},    {"bottomRight", 495, 395}, {"bottom", 100, 395},    {"bottomLeft", 5, 395},
        {"left", 5, 100},       {"centre", 250, 200},    {"leftCentre", 5, 200},    {"topCentre", 250, 30},
        {"rightCentre", 495, 200}, {"bottomCentre", 250, 395}, {"nowhere", 100, 100},
    };
    for (const Case& c : cases) {
        bench.lua(std::string("createGuiDialogBox('a', 100, 100, 300, 200, '', '") + c.anchor + "', '')");
        bench.update();
        EXPECT_EQ(at("a"), (std::pair{c.x, c.y})) << c.anchor;
        bench.lua("destroyGuiElement('a')");
        bench.update();
    }
}

TEST_F(GuiDialogBoxTest, DraggingTheTitleStripMovesChildrenAndTitleBarButtons) {
    bench.lua("gui_addDialogButton('d', 'simGuiDialogBoxButton_exit', 'record(\"exit\")')");
    // Too young: a drag in the first 250 ms does nothing.
    bench.drag(200, 110, 250, 160);
    EXPECT_EQ(at("d"), (std::pair{100, 100}));
    settle();

    bench.drag(200, 110, 250, 160);
    EXPECT_FALSE(dialog()->isDragging());
    EXPECT_EQ(at("d"), (std::pair{150, 150}));
    EXPECT_EQ(at("d_text"), (std::pair{170, 200}));
    EXPECT_EQ(at("d_button_exit"), (std::pair{150 + 300 - 64, 150 - 10}));
    EXPECT_EQ(dialog()->getAnchor(), 0);  // dropped in the middle: floating

    // Buttons added after the move sit by the same rule as one added before.
    bench.lua("gui_addDialogButton('d', 'simGuiDialogBoxButton_help', 'intro')");
    dialog()->addButton(simGuiDialogBox::minimiseButton, "record('min')");
    EXPECT_EQ(at("d_button_help"), (std::pair{150 + 300 - 100, 140}));
    EXPECT_EQ(at("d_button_minimise"), (std::pair{150 + 300 - 124, 140}));
    // A label joining the dialog now keeps the offset it was given from
    // where the dialog was made, like the first one.
    bench.lua("gui_setCurrentDialogForm('d') createGuiLabel('late', 120, 180, 10, 10, '', '', 'left')"
              "gui_setCurrentDialogForm('')");
    EXPECT_EQ(at("late"), (std::pair{170, 230}));

    // Everything follows the next drag; the exit button still clicks where it shows.
    bench.drag(200, 160, 180, 190);
    EXPECT_EQ(at("d"), (std::pair{130, 180}));
    EXPECT_EQ(at("d_text"), (std::pair{150, 230}));
    EXPECT_EQ(at("late"), (std::pair{150, 260}));
    EXPECT_EQ(at("d_button_exit"), (std::pair{130 + 236, 170}));
    EXPECT_EQ(at("d_button_help"), (std::pair{130 + 200, 170}));
    bench.advance(300.0);
    bench.moveTo(130 + 236 + 30, 170 + 20);
    bench.press();
    EXPECT_FALSE(dialog()->isDragging());  // the press is the button's alone
    bench.release();
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"exit"}));

    // The drag is held inside the view, and dropping it at the top-left
    // corner anchors it there.
    bench.drag(200, 190, 0, 0);
    EXPECT_EQ(at("d"), (std::pair{5, 30}));
    EXPECT_EQ(dialog()->getAnchor(), 1);
    // An anchored dialog cannot be dragged unless it is positionable.
    bench.drag(100, 40, 300, 240);
    EXPECT_EQ(at("d"), (std::pair{5, 30}));
    bench.lua("gui_setAttribute('d', 'positionable', '1')");
    bench.drag(100, 40, 300, 240);
    EXPECT_EQ(at("d"), (std::pair{205, 230}));
    EXPECT_EQ(dialog()->getAnchor(), 0);
}

TEST_F(GuiDialogBoxTest, OnlyTheFrontDialogOfTwoOverlappingOnesIsDragged) {
    bench.lua("createGuiDialogBox('front', 150, 100, 300, 200, 'Front', 'floating', '')");
    settle();
    bench.drag(250, 110, 250, 150);
    EXPECT_EQ(at("front"), (std::pair{150, 140}));
    EXPECT_EQ(at("d"), (std::pair{100, 100}));
}

TEST_F(GuiDialogBoxTest, ResizeZonesFollowThePointerUntilTheRelease) {
    bench.lua("gui_setAttribute('d', 'resizable', '1') gui_addDialogButton('d', '', '')");
    settle();
    // Hover the right edge, press, drag 40 to the right, release.
    bench.moveTo(400, 200);
    EXPECT_EQ(dialog()->getZoneState(simGuiDialogBox::right), simGuiDialogBox::hovered);
    bench.press();
    EXPECT_EQ(dialog()->getZoneState(simGuiDialogBox::right), simGuiDialogBox::active);
    bench.moveTo(440, 200);
    bench.release();
    EXPECT_EQ(dialog()->getWidth(), 340);
    EXPECT_EQ(at("d_button_exit"), (std::pair{100 + 340 - 64, 90}));  // follows the right edge
    // Moves after the release resize nothing.
    EXPECT_EQ(dialog()->getZoneState(simGuiDialogBox::right), simGuiDialogBox::idle);
    bench.moveTo(470, 200);
    EXPECT_EQ(dialog()->getWidth(), 340);

    // The top-left corner moves the position; the size never falls below 0.
    // (A second press this soon would be a double click.)
    bench.advance(1000.0);
    bench.moveTo(100, 100);
    bench.press();
    EXPECT_EQ(dialog()->getZoneState(simGuiDialogBox::topLeft), simGuiDialogBox::active);
    bench.moveTo(140, 120);
    EXPECT_EQ(at("d"), (std::pair{140, 120}));
    EXPECT_EQ(dialog()->getWidth(), 300);
    EXPECT_EQ(dialog()->getHeight(), 180);
    bench.moveTo(600, 120);
    bench.release();
    EXPECT_EQ(dialog()->getWidth(), 0);
    EXPECT_EQ(at("d").first, 140);  // kept where it was before the move went too far

    // Hovered zones draw their handles.
    bench.lua("createGuiDialogBox('r', 100, 300, 200, 100, '', 'floating', '') gui_setAttribute('r', 'resizable', '1')");
    settle();
    bench.moveTo(200, 400);  // bottom edge
    bench.render();
    const std::vector<DrawCall> rects = bench.canvas.of(DrawCall::Kind::rects);
    ASSERT_FALSE(rects.empty());
    EXPECT_EQ(guitest::screenRect(rects.back().pieces.back()), (AtlasRect{194, 383, 206, 416}));
    EXPECT_EQ(guitest::atlasPixels(rects.back().pieces.back()), (AtlasRect{491, 32, 503, 65}));
}

TEST_F(GuiDialogBoxTest, TitleBarButtonsByKind) {
    bench.lua("gui_addDialogButton('d', 'simGuiDialogBoxButton_help', 'page')"
              "gui_addDialogButton('d', 'anything', 'record(\"closed\")')");
    dialog()->addButton(7, "nothing");
    auto* help = bench.find<simGuiCustomButton>("d_button_help");
    auto* exit = bench.find<simGuiCustomButton>("d_button_exit");
    ASSERT_TRUE(help && exit);
    EXPECT_EQ(help->getParentForm(), dialog());
    EXPECT_EQ(bench.manager->elementCount(), 4);  // dialog, label, two buttons
    EXPECT_EQ(exit->getWidth(), 64);
    EXPECT_EQ(exit->getHeight(), 42);
    EXPECT_FLOAT_EQ(exit->getStateUVs(1).x * 512.0f, 64.0f);
    EXPECT_FLOAT_EQ(exit->getStateUVs(1).Y * 512.0f, 234.0f);
    EXPECT_FLOAT_EQ(help->getStateUVs(2).x * 512.0f, 128.0f);
    EXPECT_FLOAT_EQ(help->getStateUVs(2).y * 512.0f, 352.0f);

    // They hide, show and go with the dialog.
    bench.lua("gui_setVisibleState('d', 0)");
    EXPECT_FALSE(help->isVisible());
    dialog()->show(0.0f);
    EXPECT_TRUE(exit->isVisible());
    bench.lua("destroyGuiElement('d')");
    bench.update();
    EXPECT_FALSE(bench.find("d_button_help"));
    EXPECT_FALSE(bench.find("d_button_exit"));
}

TEST_F(GuiDialogBoxTest, OneButtonOfEachKindAndAScriptsElementOfItsNameIsLeftAlone) {
    bench.lua("createGuiLabel('d_button_help', 0, 0, 50, 20, '', 'mine', 'left')"
              "gui_addDialogButton('d', 'simGuiDialogBoxButton_exit', 'record(\"first\")')"
              "gui_addDialogButton('d', 'simGuiDialogBoxButton_exit', 'record(\"second\")')");
    settle();
    EXPECT_EQ(bench.manager->elementCount(), 4);  // dialog, label, the script's label, one exit button
    const auto clickExit = [&] {
        bench.moveTo(100 + 300 - 64 + 30, 100 - 10 + 20);
        bench.press();
        bench.release();
    };
    clickExit();
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"second"}));

    bench.lua("destroyGuiElement('d')");
    bench.update();
    EXPECT_EQ(bench.luaValue("gui_exists('d_button_exit')"), "0");
    EXPECT_EQ(bench.luaValue("gui_exists('d_button_help')"), "1") << "not the dialog's to destroy";
    clickExit();
    EXPECT_TRUE(bench.takeCalls().empty()) << "no button runs its script after the dialog";
}

TEST_F(GuiDialogBoxTest, TheHelpButtonPassesItsTextAsAValue) {
    // A quote in the page text must not turn the rest into script.
    bench.lua("function func_openManualPage(page) record('manual', page) end "
              "gui_addDialogButton('d', 'simGuiDialogBoxButton_help', 'x\") record(\"injected\") --')");
    settle();
    bench.moveTo(100 + 300 - 100 + 30, 100 - 10 + 20);
    bench.press();
    bench.release();
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"manual x\") record(\"injected\") --"}));
    // Without the host's manual function nothing happens.
    bench.lua("func_openManualPage = nil");
    bench.press();
    bench.release();
    EXPECT_TRUE(bench.takeCalls().empty());
}

TEST_F(GuiDialogBoxTest, ModalDialogsInCreationOrder) {
    bench.lua("createGuiDialogBox('older', 0, 0, 100, 100, '', 'floating', '') gui_setAttribute('older', 'modal', '1')"
              "createGuiDialogBox('newer', 0, 0, 100, 100, '', 'floating', '') gui_setAttribute('newer', 'modal', '7')");
    EXPECT_EQ(bench.manager->modalDialog, dialog("newer"));
    // The older modal dialog is still drawn (with its shade) behind the newer one.
    bench.render();
    EXPECT_EQ(bench.canvas.of(DrawCall::Kind::rect).size(), 2u);
    bench.lua("destroyGuiElement('newer')");
    bench.update();
    EXPECT_EQ(bench.manager->modalDialog, dialog("older"));
    bench.lua("gui_setAttribute('older', 'modal', 'no')");
    EXPECT_EQ(bench.manager->modalDialog, nullptr);
}

TEST_F(GuiDialogBoxTest, EnterAndEscActOnTheDialogsOkAndCancelButtons) {
    bench.lua("gui_setAttribute('d', 'modal', '1') gui_setCurrentDialogForm('d')"
              "createGuiButton('d_ok', 120, 250, 80, 24, 'OK', 'record(\"ok\")')"
              "createGuiButton('d_cancel', 220, 250, 80, 24, 'Cancel', 'record(\"cancel\")')"
              "createGuiEditBox('d_edit', 120, 200, 80, 20, '')"
              "createGuiEditBox('d_other', 220, 200, 80, 20, '')"
              "gui_setCurrentDialogForm('') gui_setOkElement('d_ok') gui_setCancelElement('d_cancel')");
    settle();
    struct Case {
        uint32_t key;
        std::vector<std::string> calls;
    };
    for (const Case& c : {Case{simGuiButton::kEnter, {"ok"}}, Case{simGuiButton::kEscape, {"cancel"}},
                          Case{'A', {}}}) {
        bench.key(c.key, simKeyState_pressed);
        bench.key(c.key, simKeyState_released);
        EXPECT_EQ(bench.takeCalls(), c.calls) << c.key;
    }
    // While the edit box takes typing, the keys are its own: Enter runs no
    // button and the other edit box gets no text.
    bench.click(150, 210);
    ASSERT_EQ(bench.manager->editElement, bench.find("d_edit"));
    bench.clock.advance(150.0);  // the box settles before it takes keys
    bench.character('z');
    EXPECT_EQ(bench.luaValue("gui_getText('d_other')"), "");
    bench.key(simGuiButton::kEnter, simKeyState_pressed);
    bench.key(simGuiButton::kEnter, simKeyState_released);
    EXPECT_TRUE(bench.takeCalls().empty());
    EXPECT_EQ(bench.luaValue("gui_getText('d_edit')"), "z");
}

TEST_F(GuiDialogBoxTest, DrawsTheFrameTitleAndShadeOfItsStyle) {
    struct Case {
        const char* style;
        AtlasRect corner;  // the frame's first piece, in atlas pixels
        bool title;
    };
    const Case cases[] = {
        {"simGuiDialogBoxStyle_titleBar", {0, 0, 32, 32}, true},
        {"simGuiDialogBoxStyle_noTitleBar", {192, 0, 208, 16}, false},
        {"simGuiDialogBoxStyle_widget", {464, 160, 480, 176}, true},
    };
    for (const Case& c : cases) {
        bench.lua(std::string("gui_dialogBox_setStyle('d', '") + c.style + "')");
        bench.render();
        const std::vector<DrawCall> rects = bench.canvas.of(DrawCall::Kind::rects);
        ASSERT_FALSE(rects.empty()) << c.style;
        EXPECT_EQ(guitest::atlasPixels(rects[0].pieces[0]), c.corner) << c.style;
        EXPECT_EQ(guitest::screenRect(rects[0].pieces[0]).x1, 100.0f) << c.style;
        bool titled = false;
        for (const DrawCall& text : bench.canvas.of(DrawCall::Kind::text)) titled = titled || text.text == "Options";
        EXPECT_EQ(titled, c.title) << c.style;
    }
    bench.lua("gui_dialogBox_setStyle('d', 'simGuiDialogBoxStyle_titleBar')");
    bench.render();
    const std::vector<DrawCall> texts = bench.canvas.of(DrawCall::Kind::text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0].text, "Options");
    EXPECT_EQ(texts[0].x, 112.0f);
    EXPECT_EQ(texts[0].y, 106.0f);

    // The divider band: three atlas pieces along the bottom edge.
    bench.lua("gui_dialogBox_setStyle('d', 'simGuiDialogBoxStyle_divider')");
    bench.render();
    const std::vector<DrawCall> rects = bench.canvas.of(DrawCall::Kind::rects);
    ASSERT_GE(rects.size(), 2u);
    const DrawCall& band = rects[1];
    ASSERT_EQ(band.pieces.size(), 3u);
    EXPECT_EQ(guitest::screenRect(band.pieces[1]), (AtlasRect{116, 236, 384, 300}));
    EXPECT_EQ(guitest::atlasPixels(band.pieces[1]), (AtlasRect{112, 0, 176, 64}));

    // The modal shade fades in over the first 250 ms, up to alpha 100.
    bench.lua("gui_setAttribute('d', 'modal', '1')");
    bench.render();
    std::vector<DrawCall> shade = bench.canvas.of(DrawCall::Kind::rect);
    ASSERT_EQ(shade.size(), 1u);
    EXPECT_EQ(shade[0].colour, 0u);
    bench.advance(125.0);
    bench.render();
    shade = bench.canvas.of(DrawCall::Kind::rect);
    ASSERT_EQ(shade.size(), 1u);
    EXPECT_EQ(shade[0].colour >> 24, 50u);
    EXPECT_EQ(guitest::screenRect(shade[0].pieces[0]), (AtlasRect{0, 0, 800, 600}));
}
