// The dialog layer's rules that need no display: the layout of dialog units
// and the scripted message boxes.
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/dialogTemplate.h"
#include "platform/ui/messageBox.h"

TEST(DialogLayout, DialogUnitsScaleRectanglesEdgeToEdge) {
    const ui::DialogLayout layout(1.5, 1.625);
    // Neighbours one unit apart stay apart; edges round, so widths follow.
    EXPECT_EQ(layout.toPixels(ui::UnitRect{4, 3, 49, 16}), wxRect(6, 5, 74, 26));
    EXPECT_EQ(layout.toPixels(ui::UnitRect{54, 3, 49, 16}), wxRect(81, 5, 74, 26));
    EXPECT_EQ(layout.toPixels(ui::UnitSize{107, 232}), wxSize(161, 377));
}

TEST(DialogLayout, StretchIsWhatTheNeediestControlAsksForWithinOneToTwo) {
    using Pairs = std::vector<std::pair<int, int>>;
    struct Case {
        Pairs naturalAndGiven;
        double stretch;
    } cases[] = {
        {{}, 1.0},
        {{{20, 30}, {10, 40}}, 1.0},   // everything fits
        {{{30, 20}, {25, 20}}, 1.5},
        {{{100, 20}}, 2.0},            // capped
        {{{10, 0}}, 1.0},              // an empty rectangle asks nothing
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(ui::stretchToFit(c.naturalAndGiven), c.stretch);
}

TEST(MessageBoxes, ScriptedAnswersRecordEveryBoxAndNest) {
    ui::ScriptedAnswers outer({ui::MessageAnswer::yes});
    EXPECT_TRUE(ui::confirmed("Delete it?", "Confirm File Delete"));
    {
        ui::ScriptedAnswers inner;
        EXPECT_FALSE(ui::confirmed("Again?", "Confirm")) << "an empty script answers No";
        ui::showError("Broken", "Error");
        ASSERT_EQ(inner.asked().size(), 2u);
        EXPECT_EQ(inner.asked()[1].kind, ui::MessageBoxKind::error);
    }
    EXPECT_EQ(ui::askUser({"Ok?", "T", ui::MessageBoxKind::error}), ui::MessageAnswer::ok);
    ASSERT_EQ(outer.asked().size(), 2u);
    EXPECT_EQ(outer.asked()[0].text, "Delete it?");
    EXPECT_EQ(outer.asked()[0].title, "Confirm File Delete");
    EXPECT_EQ(outer.asked()[0].kind, ui::MessageBoxKind::confirm);
}
