// Where the tool bars and the main window go, and the mouse gate fed from
// tracked pointer events: geometry and state without a display.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <set>

#include "app/shell/tbBars.h"
#include "app/shell/tbPointerTracker.h"
#include "app/shell/tbToolbarLayout.h"
#include "app/shell/tbWindowPlacement.h"

namespace {

TEST(ToolbarLayout, ResetPutsTheToolboxesAndSideBarsBesideTheViewKeepingTheirSize) {
    const tbRect view{100, 150, 800, 600};
    const tbRect bar{7, 9, 60, 300};
    EXPECT_EQ(tbResetPlace(tbBar::toolbox, view, bar), (tbRect{100, 150, 60, 300}));
    // The site's toolbox below the second view's inset (600 / 3.5 = 171 high).
    EXPECT_EQ(tbResetPlace(tbBar::flyingSiteToolbox, view, bar), (tbRect{100, 150 + 171 + 4, 60, 300}));
    EXPECT_EQ(tbResetPlace(tbBar::objectBar, view, bar), (tbRect{840, 150, 60, 300}));
    EXPECT_EQ(tbResetPlace(tbBar::shapeManager, view, {0, 0, 200, 100}), (tbRect{700, 150, 200, 100}));
    for (tbBar other : {tbBar::brushBar, tbBar::textEditor, tbBar::waterEditor})
        EXPECT_FALSE(tbResetPlace(other, view, bar)) << int(other);
}

TEST(ToolbarLayout, StripBarsSpanTheWindowAndPopupsHangBelowTheStrip) {
    const tbRect strip{60, 80, 900, 40};
    const tbRect mainWindow{10, 20, 1200, 900};  // right edge 1210
    const tbRect popup{0, 0, 300, 200};
    EXPECT_EQ(tbStripPlace(tbBar::brushBar, strip, mainWindow, popup), (tbRect{60, 80, 1210 - 60 - 4, 40}));
    EXPECT_EQ(tbStripPlace(tbBar::weatherBar, strip, mainWindow, popup), (tbRect{60, 80, 1146, 40}));
    EXPECT_EQ(tbStripPlace(tbBar::textEditor, strip, mainWindow, popup), (tbRect{70, 125, 300, 200}));
    EXPECT_EQ(tbStripPlace(tbBar::brushShapePicker, strip, mainWindow, popup), (tbRect{585, 125, 300, 200}));
    EXPECT_FALSE(tbStripPlace(tbBar::toolbox, strip, mainWindow, popup));
    EXPECT_FALSE(tbStripPlace(tbBar::objectBar, strip, mainWindow, popup));
    // Every strip bar of the table goes on the strip.
    int onStrip = 0;
    for (int i = 0; i < kBarCount; ++i)
        if (tbBarInfoOf(static_cast<tbBar>(i)).place == tbBarPlace::strip) ++onStrip;
    EXPECT_EQ(onStrip, 12);
}

TEST(ToolbarLayout, StartPlacesFollowTheStoredWindow) {
    const tbStoredPlacement stored{10.7f, 20.9f, 1000.6f, 700.0f};
    const tbRect strip{50, 60, 800, 40};
    const tbRect bar{0, 0, 90, 120};
    EXPECT_EQ(tbStartPlace(tbBar::toolbox, stored, strip, bar), (tbRect{10, 20, 90, 120}));
    // Summed as floats before the truncation: 10.7 + 1000.6 = 1011.3.
    EXPECT_EQ(tbStartPlace(tbBar::objectBar, stored, strip, bar), (tbRect{1011, 20, 90, 120}));
    EXPECT_EQ(tbStartPlace(tbBar::areaEditor, stored, strip, bar), (tbRect{1011, 20, 90, 120}));
    EXPECT_EQ(tbStartPlace(tbBar::mirrorBar, stored, strip, bar), (tbRect{50, 60, 90, 120}));
    EXPECT_EQ(tbStartPlace(tbBar::brushShapePicker, stored, strip, bar), (tbRect{625, 110, 90, 120}));
    EXPECT_EQ(tbStartPlace(tbBar::textEditor, stored, strip, bar), (tbRect{75, 110, 90, 120}));
}

TEST(ToolbarLayout, TheBarTableMapsToolBarsAndGatedWindowsOneToOne) {
    std::set<tbBar> bars;
    for (int i = 0; i < kToolBarCount; ++i) bars.insert(tbBarOf(static_cast<tbToolBar>(i)));
    EXPECT_EQ(bars.size(), size_t(kToolBarCount));
    std::set<int> gated;
    for (int i = 0; i < kBarCount; ++i)
        if (auto g = tbGatedWindowOf(static_cast<tbBar>(i))) gated.insert(int(*g));
    EXPECT_EQ(gated.size(), size_t(kGatedWindowCount));
    EXPECT_FALSE(tbGatedWindowOf(tbBar::textBar));
    EXPECT_FALSE(tbGatedWindowOf(tbBar::panoramaBar));
    EXPECT_STREQ(tbBarInfoOf(tbBar::shapeManager).caption, "Shape Manager");
}

TEST(WindowPlacement, TheStoredPlaceIsKeptOnlyWhereItCanBeReached) {
    const std::vector<tbRect> displays{{0, 0, 1920, 1040}, {1920, 0, 1280, 1024}};
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        tbStoredPlacement stored;
        tbRect expected;
    };
    const Case cases[] = {
        {{100, 50, 1024, 768}, {100, 50, 1024, 768}},         // on the primary display
        {{2000, 100, 1000, 700}, {2000, 100, 1000, 700}},     // on the second display
        {{-900, 10, 1000, 700}, {-900, 10, 1000, 700}},       // half off, title bar still reachable
        {{5000, 100, 1000, 700}, {460, 170, 1000, 700}},      // a display since removed: centred
        {{100, -500, 1000, 700}, {460, 170, 1000, 700}},      // title bar above every display
        {{4000, 4000, 3000, 2000}, {0, 0, 1920, 1040}},       // too large for the primary
        {{nan, 1e30f, 800, 600}, {0, 0, 800, 600}},           // a broken file gives the corner
        // A size nobody can work in takes the default one.
        {{100, 50, 0, 0}, {100, 50, 1024, 768}},
        {{100, 50, -5, 700}, {100, 50, 1024, 700}},
        {{100, 50, 319, 239}, {100, 50, 1024, 768}},
        {{100, 50, 320, 240}, {100, 50, 320, 240}},
        {{100, 50, nan, 600}, {100, 50, 1024, 600}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(tbRestoredPlacement(c.stored, displays), c.expected) << c.stored.x << "," << c.stored.y;
    }
    EXPECT_EQ(tbRestoredPlacement({5000, 5000, 800, 600}, {}), (tbRect{5000, 5000, 800, 600}));
}

TEST(WindowPlacement, AMaximisedWindowKeepsTheNormalRectangleItReturnsTo) {
    const tbWindowSettings before{{100, 100, 902, 725}, true};
    const tbRect screen{0, 0, 1280, 1024};
    struct Case {
        const char* what;
        tbWindowShow show;
        tbRect rect;
        bool maximisePending;
        tbWindowSettings expected;
    };
    const Case cases[] = {
        {"moved while normal", tbWindowShow::normal, {50, 60, 902, 725}, false, {{50, 60, 902, 725}, false}},
        {"maximised", tbWindowShow::maximised, screen, false, {{100, 100, 902, 725}, true}},
        {"minimised", tbWindowShow::minimised, {0, 0, 160, 30}, false, before},
        // Before the window is laid out it can report nothing at all.
        {"not yet laid out", tbWindowShow::normal, {0, 0, 0, 0}, false, before},
        {"just large enough", tbWindowShow::normal, {5, 6, 320, 240}, false, {{5, 6, 320, 240}, false}},
        // At start-up, between the size the window was mapped with and the
        // stored one, before the stored maximise.
        {"start-up maximise to come", tbWindowShow::normal, {0, 0, 1024, 768}, true, before},
    };
    for (const Case& c : cases) {
        tbWindowSettings settings = before;
        tbRecordPlacement(settings, c.show, c.rect, c.maximisePending);
        EXPECT_EQ(settings.maximised, c.expected.maximised) << c.what;
        const auto fields = [](const tbStoredPlacement& p) { return std::array{p.x, p.y, p.width, p.height}; };
        EXPECT_EQ(fields(settings.normal), fields(c.expected.normal)) << c.what;
    }
}

TEST(PointerTracker, TheGateFollowsTheTrackedPointer) {
    bool enabled = true;
    bool objectBarShown = true;
    tbPointerTracker tracker([&] { return enabled; },
                             [&](tbGatedWindow w) { return w == tbGatedWindow::objectBar && objectBarShown; });
    EXPECT_FALSE(tbIsMouseOverView(tracker)) << "nothing seen yet";
    tracker.pointerInView(true);
    EXPECT_TRUE(tbIsMouseOverView(tracker));
    enabled = false;  // a modal dialog is open
    EXPECT_FALSE(tbIsMouseOverView(tracker));
    enabled = true;
    tracker.pointerOverBar(tbGatedWindow::objectBar);
    EXPECT_FALSE(tracker.isCursorInsideView());
    EXPECT_TRUE(tracker.isVisibleUnderCursor(tbGatedWindow::objectBar));
    EXPECT_FALSE(tracker.isVisibleUnderCursor(tbGatedWindow::toolbox));
    objectBarShown = false;
    EXPECT_FALSE(tracker.isVisibleUnderCursor(tbGatedWindow::objectBar)) << "a hidden bar is not under the cursor";
    tracker.pointerInView(true);
    EXPECT_FALSE(tracker.isVisibleUnderCursor(tbGatedWindow::objectBar)) << "back over the view";
    tracker.pointerInView(false);  // a drag held by the view, outside it
    EXPECT_FALSE(tbIsMouseOverView(tracker));
    tracker.pointerInView(true);
    tracker.pointerElsewhere();
    EXPECT_FALSE(tbIsMouseOverView(tracker));
}

}  // namespace
