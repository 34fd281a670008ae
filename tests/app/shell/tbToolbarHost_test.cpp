// The tool-bar host hands the tool state's toolbox calls to every toolbox
// registered with it (the model scheme's and the flying site's), so a tool
// of either toolbox is pressed, released and shown in the tool icon.
#include "app/shell/tbToolbarHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/shell/tbToolState.h"

namespace {

// A toolbox with the buttons of one tool range; it records what reaches it
// and presses only its own buttons, as the program's toolboxes do.
class RecordingToolbox : public tbToolStateView {
public:
    RecordingToolbox(tbToolButton first, tbToolButton last) : m_first(first), m_last(last) {}
    void releaseToolButtons() override { calls.push_back("release"); }
    void pressToolButton(tbToolButton button) override {
        if (button >= m_first && button <= m_last) calls.push_back("press " + std::to_string(int(button)));
    }
    void setToolIcon(int32_t id) override { calls.push_back("icon " + std::to_string(id)); }
    void repaintColourSwatches() override { calls.push_back("swatches"); }
    std::vector<std::string> calls;

private:
    tbToolButton m_first, m_last;
};

TEST(ToolbarHost, ToolboxCallsReachEveryToolbox) {
    std::vector<std::string> status;
    tbToolbarHost host([&status](const std::string& text) { status.push_back(text); });
    RecordingToolbox painting(tbToolButton::brush, tbToolButton::mirror);
    RecordingToolbox site(tbToolButton::panorama, tbToolButton::weather);
    host.addToolbox(&painting);
    host.addToolbox(&site);
    tbToolState tools;
    tools.setView(&host);

    const struct {
        int32_t tool;
        std::vector<std::string> painting, site;
    } cases[] = {
        {8, {"release", "icon 258"}, {"release", "press 7", "icon 258"}},
        {2, {"release", "press 2", "icon 229"}, {"release", "icon 229"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tool);
        painting.calls.clear();
        site.calls.clear();
        tools.setTool(c.tool);
        EXPECT_EQ(painting.calls, c.painting);
        EXPECT_EQ(site.calls, c.site);
    }
    EXPECT_EQ(status.size(), 2u) << "the help text goes to the status line once per tool";

    painting.calls.clear();
    site.calls.clear();
    tools.setMainColour(simColour{});
    EXPECT_EQ(painting.calls, std::vector<std::string>{"swatches"});
    EXPECT_EQ(site.calls, std::vector<std::string>{"swatches"});
    tools.setView(nullptr);
}

}  // namespace
