#include "platform/ui/modalGrab.h"

#include <dlfcn.h>

#include <wx/toplevel.h>

namespace ui {

void releaseModalGrab(wxTopLevelWindow& window) {
#ifdef __WXGTK__
    // GTK's own switch for the grab, found in the toolkit wx already loaded
    // (the development headers are not needed for one call).
    using SetModal = void (*)(void* gtkWindow, int modal);
    static const auto setModal = reinterpret_cast<SetModal>(dlsym(RTLD_DEFAULT, "gtk_window_set_modal"));
    if (setModal && window.GetHandle()) setModal(window.GetHandle(), 0);
#else
    (void)window;
#endif
}

}  // namespace ui
