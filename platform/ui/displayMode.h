// The screen a window is on, as the graphics adapter reports its desktop.
//
// The engine bounds its views and full-screen back buffers by the adapter's
// desktop mode; in the program that is the display that shows the 3-D view,
// in device pixels (wx gives logical pixels; a HiDPI display scales them).
#pragma once

#include <wx/window.h>

#include "platform/gfx/d3dTypes.h"

namespace ui {

// The display that shows most of `window` (the first display when none
// does): its size in device pixels and its refresh rate (0 when the display
// server does not say).
gfx::D3DDISPLAYMODE displayModeOf(const wxWindow& window);

}  // namespace ui
