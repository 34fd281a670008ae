// The scrolling widgets (text box, list box, tree view, table, open combo
// box), each scrolled part-way, drawn through the engine's real renderer on
// OpenGL: their contents are clipped to the inside of their frames by the
// device's scissor rectangle (a text box line of one long word stops at the
// box's inner edge), and the whole picture matches its golden picture.
//
// The picture drawn is kept as artefacts/gui_lists.png (see guiGlBench.h).
#include "engine/gui/simGuiTable.h"
#include "tests/engine/gui/guiGlBench.h"

using guitest::near;

namespace {

class GuiListsGl : public guitest::GuiGlTest {
protected:
    GuiListsGl() : GuiGlTest(320, 240) {}
};

}  // namespace

TEST_F(GuiListsGl, ScrolledContentsStayInsideTheirFrames) {
    lua("createGuiGroupFrame('panel', 0, 0, 320, 240, 'simGuiFrameStyle_widget')"
        "createGuiTextBox('log', 10, 10, 140, 60, '', 'left', '')"
        "simGuiTextBox_addLine('log', 'WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW', '')"
        "for i = 1, 8 do simGuiTextBox_addLine('log', 'Line ' .. i .. ' of the log', '') end "
        "createGuiListBox('list', 10, 80, 140, 70, '', '')"
        "for i = 1, 9 do gui_setText('list', 'Row ' .. i) end gui_setData('list', 3)"
        "createGuiTreeViewBox('tree', 170, 10, 140, 90, '', '')"
        "for i = 1, 8 do gui_setText('tree', 'Branch ' .. i) end "
        "createGuiTable('table', 10, 160, 140, 70, '')"
        "createGuiComboBox('combo', 170, 120, 140, 26, '', '', '', '')"
        "gui_setText('combo', 'Sailplane') gui_setText('combo', 'Trainer') gui_setData('combo', 1)");
    auto* table = manager->findElementOf<simGuiTable>("table");
    simGuiTableColumn* names = table->addColumn("Name", 0, 70);
    table->addColumn("Span", 70, 70);
    simColour shade;
    shade.set(255, 200, 230, 200);
    for (int i = 0; i < 4; ++i) names->addCell(nullptr, shade);
    table->setRowHeight(18);
    table->setData(1);
    std::vector<uint32_t> pixels = render();

    // The long word drawn unclipped would run on past the box to x 200 or so.
    const auto inked = [&](int32_t y, int32_t x1, int32_t x2, uint32_t paper) {
        for (int32_t x = x1; x < x2; ++x)
            if (!near(pixels[size_t(y) * kWidth + size_t(x)], paper)) return true;
        return false;
    };
    const uint32_t panel = pixels[75 * kWidth + 160] & 0xFFFFFFu;
    bool inside = false, outside = false;
    for (int32_t y = 12; y < 26; ++y) {
        inside = inside || inked(y, 20, 120, 0xFFFFFFu);
        outside = outside || inked(y, 152, 168, panel);
    }
    EXPECT_TRUE(inside) << "the long line is drawn inside the text box";
    EXPECT_FALSE(outside) << "the long line leaves the text box";
    expectMatchesGolden(pixels, "gui_lists.png");
}
