#include "platform/ui/inputPreFilter.h"

#include <wx/event.h>
#include <wx/toplevel.h>
#include <wx/window.h>

namespace ui {

bool isSwallowed(const wxEvent& event) {
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_KEY_DOWN) {
        if (static_cast<const wxKeyEvent&>(event).GetKeyCode() != WXK_SPACE) return false;
    } else if (type != wxEVT_MOUSEWHEEL) {
        return false;
    }
    wxWindow* window = wxDynamicCast(event.GetEventObject(), wxWindow);
    if (!window) return false;
    const auto* owner = dynamic_cast<SwallowsSpaceAndWheel*>(wxGetTopLevelParent(window));
    if (!owner) return false;
    return type == wxEVT_MOUSEWHEEL || !owner->takesSpace(*window);
}

}  // namespace ui
