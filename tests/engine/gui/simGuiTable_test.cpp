// Tables: a script-made table with no columns or row height draws its frame
// and picks nothing (no division by zero), rows counted by the longest
// column, hover and picks measured from the header's bottom, scrolling by
// wheel, page clicks, arrows and keys within the rows, cell elements shown
// only in view, row backgrounds, the cells' elements going with a clear and
// with the table, and the cells' collection destroyed with the
// table and made anew by a clear.
#include <gtest/gtest.h>

#include <functional>

#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/gui/simGuiTable.h"
#include "tests/engine/gui/guiTestBench.h"

using guitest::DrawCall;

namespace {

// The table at (100, 100), 300 x 125: a 25-pixel header, then five rows of 20.
class GuiTableTest : public ::testing::Test {
protected:
    // The cells' collection needs the resource registry.
    GuiTableTest() {
        new simResources();
        bench.lua("createGuiTable('tb', 100, 100, 300, 125, '')");
        bench.update();
    }
    ~GuiTableTest() override { delete g_resources; }
    simGuiTable* table() { return bench.find<simGuiTable>("tb"); }
    // Two columns of `rows` cells; the first column's cells hold labels.
    void fill(int rows) {
        simGuiTableColumn* names = table()->addColumn("Name", 0, 100);
        simGuiTableColumn* values = table()->addColumn("Value", 100, 100);
        simColour white;
        white.set(255, 255, 255, 255);
        for (int i = 0; i < rows; ++i) {
            bench.lua("createGuiLabel('cell" + std::to_string(i) + "', 0, 0, 80, 14, '', 'c', 'left')");
            names->addCell(bench.find("cell" + std::to_string(i)), white);
            values->addCell(nullptr, white);
        }
        table()->setRowHeight(20);
        bench.render();
    }
    static int32_t rowY(int row) { return 135 + 20 * row; }
    guitest::GuiBench bench;
};

}  // namespace

TEST_F(GuiTableTest, AScriptMadeTableDrawsItsFrameAndPicksNothing) {
    EXPECT_EQ(bench.manager->focusElement, table());
    bench.render();
    bench.render();
    EXPECT_EQ(bench.canvas.of(DrawCall::Kind::rects).size(), 1u);  // the frame's nine pieces
    EXPECT_EQ(bench.canvas.of(DrawCall::Kind::rects)[0].pieces.size(), 9u);
    table()->addColumn("Only", 0, 100)->addCell(nullptr, simColour());
    bench.render();  // a column but no row height: still no rows
    bench.click(150, rowY(0));
    bench.key(40, 2);
    EXPECT_EQ(bench.luaValue("gui_getData('tb')"), "0");
    EXPECT_FALSE(table()->hasScrollBar());
}

TEST_F(GuiTableTest, ATableShorterThanItsHeaderShowsNoRows) {
    bench.lua("createGuiTable('tiny', 500, 100, 100, 20, '')");
    auto* tiny = bench.find<simGuiTable>("tiny");
    simGuiTableColumn* column = tiny->addColumn("A", 0, 50);
    for (int i = 0; i < 4; ++i) column->addCell(nullptr, simColour());
    tiny->setRowHeight(10);
    EXPECT_EQ(tiny->pageRows(), 0);
    bench.render();
    EXPECT_FALSE(tiny->hasScrollBar());
    bench.click(550, 115);
    bench.wheel(true);
    EXPECT_EQ(tiny->getFirstRow(), 0);
}

TEST_F(GuiTableTest, RowsAreCountedByTheLongestColumn) {
    simGuiTableColumn* a = table()->addColumn("A", 0, 50);
    simGuiTableColumn* b = table()->addColumn("B", 50, 50);
    for (int i = 0; i < 2; ++i) a->addCell(nullptr, simColour());
    for (int i = 0; i < 5; ++i) b->addCell(nullptr, simColour());
    EXPECT_EQ(table()->rowCount(), 5);
    EXPECT_EQ(b->getCell(4)->row, 4);
    EXPECT_EQ(b->getCell(5), nullptr);
    EXPECT_EQ(table()->getColumn(2), nullptr);
    EXPECT_EQ(table()->getColumn(-1), nullptr);
}

TEST_F(GuiTableTest, HoverAndPicksAreMeasuredFromTheHeadersBottom) {
    fill(8);
    struct Case {
        int32_t y;
        int32_t hover;
    };
    const Case cases[] = {{110, -1}, {124, -1}, {126, 0}, {144, 0}, {146, 1}, {rowY(4), 4}, {224, 4}};
    for (const Case& c : cases) {
        bench.moveTo(200, c.y);
        EXPECT_EQ(table()->getHoverRow(), c.hover) << c.y;
    }
    bench.click(200, rowY(3));
    EXPECT_EQ(bench.luaValue("gui_getData('tb')"), "3");
    bench.click(200, 110);  // the header
    EXPECT_EQ(bench.luaValue("gui_getData('tb')"), "3");
}

TEST_F(GuiTableTest, ScrollingStaysWithinTheRows) {
    fill(12);  // 12 rows, 5 in view: first row 0..7
    ASSERT_TRUE(table()->hasScrollBar());
    struct Step {
        const char* what;
        std::function<void()> act;
        int32_t firstRow;
    };
    const Step steps[] = {
        {"wheel: the new table has the focus", [&] { bench.wheel(true); }, 1},
        {"wheel away past the top", [&] { bench.wheel(false); bench.wheel(false); }, 0},
        {"down arrow released", [&] { bench.click(392, 215); }, 1},
        {"page down under the thumb", [&] { bench.click(392, 190); }, 6},
        {"page down past the end stops at the last page", [&] { bench.click(392, 196); }, 7},
        {"wheel past the end", [&] { for (int i = 0; i < 5; ++i) bench.wheel(true); }, 7},
        {"page up", [&] { bench.click(392, 130); }, 2},
        {"up arrow released", [&] { bench.click(392, 110); }, 1},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(table()->getFirstRow(), step.firstRow) << step.what;
        bench.render();
    }
    // Keys move the pick within the rows.
    bench.lua("gui_setData('tb', 11)");
    bench.key(40, 2);
    EXPECT_EQ(bench.luaValue("gui_getData('tb')"), "11");
    bench.lua("gui_setData('tb', 0)");
    bench.key(38, 2);
    EXPECT_EQ(bench.luaValue("gui_getData('tb')"), "0");
    bench.key(40, 2);
    EXPECT_EQ(bench.luaValue("gui_getData('tb')"), "1");
}

TEST_F(GuiTableTest, CellElementsShowOnlyInView) {
    fill(8);
    const auto shown = [&] {
        std::string flags;
        for (int i = 0; i < 8; ++i) flags += bench.find("cell" + std::to_string(i))->isVisible() ? '1' : '0';
        return flags;
    };
    EXPECT_EQ(shown(), "11110000");  // a row whose bottom reaches the table's is hidden
    EXPECT_EQ(bench.find("cell1")->getY(), 125 + 20 + 3);  // centred: 20 + 10 - 7
    EXPECT_EQ(bench.find("cell1")->getX(), 105);
    bench.wheel(true);
    bench.wheel(true);
    bench.render();
    EXPECT_EQ(shown(), "00111100");
    bench.lua("gui_setVisibleState('tb', 0)");
    EXPECT_EQ(shown(), "00000000");
    bench.lua("gui_setVisibleState('tb', 1)");
    bench.render();
    EXPECT_EQ(shown(), "00111100");
}

TEST_F(GuiTableTest, ACellWhoseElementIsDestroyedLetsGoOfIt) {
    fill(3);
    bench.lua("destroyGuiElement('cell1')");
    bench.update();  // deleted
    EXPECT_EQ(table()->getColumn(0)->getCell(1)->element, nullptr);
    EXPECT_EQ(table()->getColumn(0)->getCell(2)->element, bench.find("cell2"));
    bench.render();  // lays the other cells out, touching no deleted element
    EXPECT_TRUE(bench.find("cell2")->isVisible());
}

TEST_F(GuiTableTest, RowsWithAColouredFirstCellGetABackground) {
    simGuiTableColumn* column = table()->addColumn("A", 0, 100);
    simColour red, white;
    red.set(255, 255, 0, 0);
    white.set(255, 255, 255, 255);
    column->addCell(nullptr, red);
    column->addCell(nullptr, white);
    table()->setRowHeight(20);
    bench.lua("gui_setData('tb', -1)");
    bench.render();
    std::vector<simScreenRect> plain;
    for (const DrawCall& call : bench.canvas.of(DrawCall::Kind::rects))
        if (!call.texture) plain = call.pieces;
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].colour, 0xFFFF0000u);
    EXPECT_EQ(plain[0].y1, 125);
    EXPECT_EQ(plain[0].y2, 145);
}

TEST_F(GuiTableTest, TheCollectionGoesWithTheTableAndAClearMakesItAnew) {
    ASSERT_NE(g_resources, nullptr);
    EXPECT_NE(g_resources->getCollection("table_tb_collection"), nullptr);
    fill(3);
    bench.lua("gui_setData('tb', 2)");
    table()->clear();
    EXPECT_EQ(table()->rowCount(), 0);
    EXPECT_EQ(bench.luaValue("gui_getData('tb')"), "-1");
    EXPECT_NE(g_resources->getCollection("table_tb_collection"), nullptr);
    bench.lua("destroyGuiElement('tb')");
    bench.update();
    EXPECT_EQ(g_resources->getCollection("table_tb_collection"), nullptr);
}

TEST_F(GuiTableTest, TheCellsElementsGoWithAClearAndWithTheTable) {
    struct Case {
        const char* what;
        const char* script;
    };
    for (const Case& c : {Case{"a clear", ""}, Case{"the table destroyed by a script", "destroyGuiElement('tb')"}}) {
        if (!table()) bench.lua("createGuiTable('tb', 100, 100, 300, 125, '')");
        fill(3);
        bench.lua("createGuiLabel('bystander', 0, 0, 80, 14, '', 'b', 'left')");
        if (*c.script) {
            bench.lua(c.script);
        } else {
            table()->clear();
        }
        bench.update();
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(bench.luaValue("gui_exists('cell" + std::to_string(i) + "')"), "0") << c.what;
        EXPECT_EQ(bench.luaValue("gui_exists('bystander')"), "1") << c.what;
        bench.render();
        for (const DrawCall& call : bench.canvas.of(DrawCall::Kind::text)) EXPECT_NE(call.text, "c") << c.what;
        bench.lua("destroyGuiElement('bystander')");
        bench.update();
    }
}

TEST_F(GuiTableTest, AThumbWithNoTrackIsNotDragged) {
    bench.lua("createGuiTable('flat', 500, 100, 100, 52, '')");
    auto* flat = bench.find<simGuiTable>("flat");
    simGuiTableColumn* column = flat->addColumn("A", 0, 50);
    for (int i = 0; i < 6; ++i) column->addCell(nullptr, simColour());
    flat->setRowHeight(9);
    bench.render();
    ASSERT_TRUE(flat->hasScrollBar());
    const int32_t before = flat->getFirstRow();
    // From where the thumb is drawn, between the two arrows.
    bench.drag(592, 126, 592, 150);
    EXPECT_EQ(flat->getFirstRow(), before);
}
