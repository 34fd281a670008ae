// The main window's own behaviour with the engine running under a display:
// placement and menu check marks from the settings, the status line and
// title, Reset toolbars on a registered bar, the mouse gate opened by the
// pointer tracked over the view, Esc and Enter leaving the window open, and the close box
// quitting without a question when no project is open; the menu bar opened
// and walked from the keyboard.
#include <gtest/gtest.h>

#include <wx/menu.h>
#include <wx/uiaction.h>

#include "app/window/tbMenuIds.h"
#include "app/shell/tbOptions.h"
#include "platform/ui/glViewCanvas.h"
#include "platform/ui/messageBox.h"
#include "tests/app/window/mainWindowOnDisplay.h"

namespace {

class MainWindowMenu : public windowtest::MainWindowOnDisplay {};

TEST_F(MainWindowMenu, SettingsPlacementChecksAndToolbarReset) {
    start("options = {showSecondView = 0, lightingMode = 1, maximised = 0, windowPos_x = 40, windowPos_y = 30, "
          "windowSize_x = 900, windowSize_y = 700}\n");
    if (HasFatalFailure()) return;
    {
        CtolvaneBuilderDlg dlg(*app, windows);
        // The painting toolbox and the object bar, made when the engine starts.
        auto toolbox = [&dlg] { return dlg.toolbars().window(tbBar::toolbox); };
        auto objectBar = [&dlg] { return dlg.toolbars().window(tbBar::objectBar); };

        windowtest::ModalSteps steps;
        int& step = steps.step;
        wxUIActionSimulator user;
        ui::ScriptedAnswers boxes;
        steps.run(dlg, [&] {
            switch (step) {
                case 0:
                    if (dlg.framesDrawn() < 5) return;
                    ++step;
                    return;
                case 1: {
                    // Esc and Enter leave the window open.
                    user.Char(WXK_ESCAPE);
                    user.Char(WXK_RETURN);
                    ++step;
                    return;
                }
                case 2:
                    // The pointer over the view opens the gate.
                    EXPECT_FALSE(toolbox()->IsShown()) << "the empty mode hides the toolbox";
                    user.MouseMove(dlg.view()->GetScreenRect().GetPosition() + wxPoint(200, 200));
                    ++step;
                    return;
                case 3:
                    if (!app->acceptsMouseInput()) return;
                    ++step;
                    return;
                default:
                    dlg.Close();  // no project: no question
                    return;
            }
        });
        EXPECT_EQ(steps.failure, "");
        EXPECT_TRUE(boxes.asked().empty());
        ASSERT_TRUE(dlg.engineStarted());

        // The stored placement was taken (no window manager moves it under Xvfb).
        EXPECT_EQ(dlg.GetScreenRect().GetPosition(), wxPoint(40, 30));
        EXPECT_EQ(dlg.GetSize(), wxSize(900, 700));
        // Check marks from the settings.
        dlg.updateMenu();
        ASSERT_NE(dlg.menu("View"), nullptr);
        ASSERT_NE(dlg.menuItem(tbMenu::undo), nullptr);
        auto item = [&](int id) { return dlg.menuItem(id); };
        EXPECT_FALSE(item(tbMenu::secondView)->IsChecked());
        EXPECT_FALSE(item(tbMenu::lightingFlat)->IsChecked());
        EXPECT_TRUE(item(tbMenu::lightingRealistic)->IsChecked());
        dlg.runCommand(tbMenu::secondView);
        dlg.runCommand(tbMenu::lightingFlat);
        dlg.updateMenu();
        EXPECT_TRUE(item(tbMenu::secondView)->IsChecked());
        EXPECT_TRUE(item(tbMenu::lightingFlat)->IsChecked());
        EXPECT_FALSE(item(tbMenu::exportToExternalEditor)->IsEnabled()) << "no scheme open";
        ASSERT_NE(dlg.menu("Help"), nullptr);
        EXPECT_EQ(dlg.menu("Help")->FindItem(item(tbMenu::userManual)->GetId()), item(tbMenu::userManual));
        EXPECT_EQ(dlg.statusText(), "Ready");
        // A tool's help longer than the window is wide reads whole, wrapped
        // at a word within the status line.
        const std::string help = "Shape tool: Project a screen-space shape onto model in 3D or texture-view. DELETE "
                                 "removes last added point. Insert a point on any line, or alter a point by dragging.";
        dlg.SetSize(wxSize(1024, 700));
        test::pumpEventsUntil([] { return false; }, 100);
        dlg.setStatusText(help);
        EXPECT_EQ(dlg.statusText(), help);
        wxWindow* line = dlg.FindWindow(CtolvaneBuilderDlg::idStatusLine);
        ASSERT_NE(line, nullptr);
        const wxRect inside(wxPoint(0, 0), line->GetParent()->GetClientSize());
        EXPECT_TRUE(inside.Contains(line->GetRect())) << "the status line runs out of its frame";
        EXPECT_LE(line->GetBestSize().x, line->GetSize().x) << "the help is cut";
        EXPECT_GE(line->GetSize().y, line->GetBestSize().y) << "the help is cut";
        dlg.setStatusText("Ready");
        dlg.SetSize(wxSize(900, 700));
        EXPECT_EQ(dlg.GetTitle(), "TolvaneBuilder 2.5.a");

        // Reset toolbars: the toolbox at the view's corner, the object bar at its right edge.
        dlg.runCommand(tbMenu::resetToolbars);
        test::pumpEventsUntil([] { return false; }, 100);
        const wxRect viewRect = dlg.view()->GetScreenRect();
        EXPECT_EQ(toolbox()->GetScreenRect().GetPosition(), viewRect.GetPosition());
        EXPECT_EQ(objectBar()->GetScreenRect().GetRight(), viewRect.GetRight());
        EXPECT_EQ(objectBar()->GetScreenRect().y, viewRect.y);
        EXPECT_FALSE(objectBar()->IsShown()) << "the empty mode hides the object bar";
        shutDown(dlg);
    }
    // The switches changed by the menu were saved with the settings.
    const std::string saved = savedSettings();
    EXPECT_NE(saved.find("options.showSecondView = 1\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("options.lightingMode = 0\n"), std::string::npos);
}

// Alt+F opens File from the keyboard, the arrow keys walk the menu bar to
// Edit, and Esc closes it again, as in every GTK program. (Right first opens
// the submenu of File's first item, New; the next Right goes on to Edit.)
TEST_F(MainWindowMenu, AltFOpensFileAndTheArrowsWalkToEdit) {
    start("options = {maximised = 0, windowPos_x = 0, windowPos_y = 0}\n");
    if (HasFatalFailure()) return;
    std::vector<std::string> opened;
    int rights = 0;
    {
        CtolvaneBuilderDlg dlg(*app, windows);
        auto titleOf = [&dlg](wxMenu* menu) -> std::string {
            for (const char* title : {"File", "Edit", "View", "Tools", "Workspace", "Help"})
                if (dlg.menu(title) == menu) return title;
            return "other";
        };
        dlg.Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& event) {
            event.Skip();
            opened.push_back(titleOf(event.GetMenu()));
        });
        auto lastOpened = [&opened](const std::string& title) { return !opened.empty() && opened.back() == title; };
        windowtest::ModalSteps steps;
        int& step = steps.step;
        wxUIActionSimulator user;
        steps.run(dlg, [&] {
            const int waitedMs = steps.waitedMs;
            switch (step) {
                case 0:
                    if (dlg.framesDrawn() < 5) return;
                    // Keys go to the window under the pointer (no window manager).
                    user.MouseMove(dlg.view()->GetScreenRect().GetPosition() + wxPoint(200, 200));
                    ++step;
                    return;
                case 1:
                    user.Char('f', wxMOD_ALT);
                    ++step;
                    return;
                case 2:
                    if (!lastOpened("File")) return;
                    ++step;
                    return;
                case 3:
                    if (lastOpened("Edit")) {
                        user.Char(WXK_ESCAPE);
                        ++step;
                    } else if (waitedMs % 400 == 0 && rights < 3) {
                        user.Char(WXK_RIGHT);
                        ++rights;
                    }
                    return;
                default:
                    if (waitedMs % 500 != 0) return;
                    dlg.Close();
                    return;
            }
        });
        EXPECT_EQ(steps.failure, "");
        shutDown(dlg);
    }
    ASSERT_GE(opened.size(), 2u);
    EXPECT_EQ(opened.front(), "File");
    EXPECT_EQ(opened.back(), "Edit");
    EXPECT_EQ(rights, 2) << "File, its New submenu, then Edit";
}

}  // namespace
