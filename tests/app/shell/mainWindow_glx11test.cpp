#include <gtest/gtest.h>
#include <wx/timer.h>

#include "app/shell/CtolvaneBuilderDlg.h"
#include "tests/support/ui/wxTestApp.h"

// The main window opens modally, its view renders frames from the 1 ms timer,
// and it closes when asked.
TEST(MainWindow, OpensItsViewRendersFramesAndCloses) {
    ASSERT_TRUE(test::startWx());
    CtolvaneBuilderDlg dlg;

    wxTimer watcher;
    int waitedMs = 0;
    watcher.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        waitedMs += 10;
        if (dlg.framesDrawn() >= 10 || waitedMs > 10000) dlg.EndModal(wxID_OK);
    });
    watcher.Start(10);
    EXPECT_EQ(dlg.ShowModal(), wxID_OK);
    watcher.Stop();

    EXPECT_GE(dlg.framesDrawn(), 10) << "the view never rendered; waited " << waitedMs << " ms";
}
