#include "platform/ui/toolWindow.h"

#include <wx/dialog.h>
#include <wx/toplevel.h>

namespace ui {
namespace {

long styleOf(ToolWindowFrame frame) {
    const long floating = wxFRAME_TOOL_WINDOW | wxFRAME_FLOAT_ON_PARENT | wxFRAME_NO_TASKBAR;
    if (frame == ToolWindowFrame::captioned) return floating | wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX;
    return floating | wxBORDER_SIMPLE;
}

}  // namespace

ToolWindow::ToolWindow(wxWindow* mainWindow, const DialogTemplate& table, ToolWindowFrame frame)
    : ToolWindow(mainWindow, table, frame, 0) {}

ToolWindow::ToolWindow(wxWindow* mainWindow, const DialogTemplate& table, StripBar strip)
    : ToolWindow(mainWindow, table, ToolWindowFrame::bare, strip.pixelHeight) {}

ToolWindow::ToolWindow(wxWindow* mainWindow, const DialogTemplate& table, ToolWindowFrame frame, int pixelHeight)
    : TemplateDialog(mainWindow, table, {}, styleOf(frame), pixelHeight) {
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
        if (!event.CanVeto()) {
            event.Skip();
            return;
        }
        event.Veto();
        Hide();
    });
}

void raiseShownToolWindows() {
    // A box over a modal dialog raised that dialog, not the main window, and
    // the bars mapped again would cover the dialog.
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog && dialog->IsModal()) return;
    // Mapped again, a window goes on top of its siblings; Raise would present
    // it and take the keyboard focus from the main window.
    for (wxWindow* window : wxTopLevelWindows) {
        auto* tool = dynamic_cast<ToolWindow*>(window);
        if (!tool || !tool->IsShown()) continue;
        tool->Hide();
        tool->Show();
    }
}

}  // namespace ui
