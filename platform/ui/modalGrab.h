// The main window runs as a modal dialog for its event loop, but its floating
// tool bars must take input beside it. On GTK a modal dialog holds a grab
// that sends every mouse and key event of the program's other windows to it,
// so the bars, made after the dialog went modal, would never see a click.
// The main window lets go of that grab once its modal loop runs; the dialogs
// it opens later are modal in their own right and take their own grab.
#pragma once

class wxTopLevelWindow;

namespace ui {

// Ends the toolkit's input grab of a dialog shown modally; nothing when the
// toolkit has none. Call it from inside the dialog's modal loop.
void releaseModalGrab(wxTopLevelWindow& window);

}  // namespace ui
