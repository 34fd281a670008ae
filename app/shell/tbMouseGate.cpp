#include "app/shell/tbMouseGate.h"

bool tbIsMouseOverView(const tbViewWindows& windows) {
    if (!windows.isMainWindowEnabled()) return false;
    if (!windows.isCursorInsideView()) return false;
    for (int i = 0; i < kGatedWindowCount; ++i) {
        if (windows.isVisibleUnderCursor(static_cast<tbGatedWindow>(i))) return false;
    }
    return true;
}
