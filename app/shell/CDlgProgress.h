// The progress box (`CProgressBox`): a modeless box with a message and a
// bar from 0 to 100 that long operations show while they keep the thread
// busy. Enter, Esc and the close box do nothing; the box goes when its
// owner (tbProgress) destroys it.
//
// Setting the bar repaints the box at once without running the program's
// frame: only paint and layout events are handled meanwhile (timers and
// input wait until the work is done).
#pragma once

#include <memory>
#include <string>

#include "app/shell/tbProgress.h"
#include "platform/ui/templateDialog.h"

class CProgressBox : public ui::TemplateDialog, public tbProgressBox {
public:
    enum : int { idText = 1042, idBar = 1041 };

    // Opens the box over `parent` with its title and message, the bar at 0.
    CProgressBox(const std::string& title, const std::string& text, wxWindow* parent);

    void setPosition(int percent) override;

    // The factory tbProgress makes its boxes with, over the main window.
    static tbProgress::BoxFactory factory(wxWindow* mainWindow);

private:
    void repaintNow();
};
