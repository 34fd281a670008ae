// The base of the floating tool bars: a modeless dialog from a control table
// that floats over the main window, has no task-bar entry, hides when
// closed (the application owns its bars for the whole run and shows them
// again by mode and tool) and swallows Space and the wheel once the engine
// has had them (inputPreFilter.h). Enter and Esc do nothing in a bar.
#pragma once

#include "platform/ui/inputPreFilter.h"
#include "platform/ui/templateDialog.h"

namespace ui {

enum class ToolWindowFrame {
    captioned,  // title bar with a close box (toolboxes, object bar, editors)
    bare,       // no title bar (the strip bars and their pop-ups)
};

// A bar without a title bar laid out to this height, one row of controls
// for the strip above the 3-D view.
struct StripBar {
    int pixelHeight;
};

class ToolWindow : public TemplateDialog, public SwallowsSpaceAndWheel {
public:
    ToolWindow(wxWindow* mainWindow, const DialogTemplate& table, ToolWindowFrame frame);
    ToolWindow(wxWindow* mainWindow, const DialogTemplate& table, StripBar strip);

private:
    ToolWindow(wxWindow* mainWindow, const DialogTemplate& table, ToolWindowFrame frame, int pixelHeight);
};

// Puts every shown tool window over the main window again, leaving the
// keyboard focus where it is. GTK raises a message box's parent before it
// shows the box, and with no window manager to keep floating windows above
// their parent the bars stayed buried under the main window once the box
// was answered (and showing a shown bar again does not raise it). While a
// modal dialog runs nothing moves: a box over it raised the dialog.
void raiseShownToolWindows();

}  // namespace ui
