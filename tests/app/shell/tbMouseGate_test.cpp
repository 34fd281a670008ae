// The mouse gate as a function of the window queries.
#include "app/shell/tbMouseGate.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

class FakeWindows : public tbViewWindows {
public:
    bool enabled = true;
    bool insideView = true;
    std::set<tbGatedWindow> underCursor;
    mutable std::vector<int> asked;

    bool isMainWindowEnabled() const override { return enabled; }
    bool isCursorInsideView() const override { return insideView; }
    bool isVisibleUnderCursor(tbGatedWindow window) const override {
        asked.push_back(static_cast<int>(window));
        return underCursor.count(window) > 0;
    }
};

TEST(MouseGate, OpenOnlyOverTheViewOfAnEnabledWindowWithNoToolWindowInTheWay) {
    FakeWindows windows;
    EXPECT_TRUE(tbIsMouseOverView(windows));
    // Every tool window is asked, in order.
    std::vector<int> all;
    for (int i = 0; i < kGatedWindowCount; ++i) all.push_back(i);
    EXPECT_EQ(windows.asked, all);

    windows.enabled = false;  // a modal dialog is open
    windows.asked.clear();
    EXPECT_FALSE(tbIsMouseOverView(windows));
    EXPECT_TRUE(windows.asked.empty());

    windows.enabled = true;
    windows.insideView = false;
    EXPECT_FALSE(tbIsMouseOverView(windows));
    EXPECT_TRUE(windows.asked.empty());
}

TEST(MouseGate, EachVisibleToolWindowUnderTheCursorClosesIt) {
    for (int i = 0; i < kGatedWindowCount; ++i) {
        FakeWindows windows;
        windows.underCursor = {static_cast<tbGatedWindow>(i)};
        EXPECT_FALSE(tbIsMouseOverView(windows)) << i;
        EXPECT_EQ(windows.asked.size(), static_cast<size_t>(i + 1)) << "stops at the first that closes it";
    }
}

}  // namespace
