#include "platform/ui/displayMode.h"

#include <algorithm>
#include <cmath>

#include <wx/display.h>

namespace ui {

gfx::D3DDISPLAYMODE displayModeOf(const wxWindow& window) {
    const int index = wxDisplay::GetFromWindow(&window);
    const wxDisplay display(index == wxNOT_FOUND ? 0u : static_cast<unsigned>(index));
    const wxRect area = display.GetGeometry();
    const double scale = window.GetContentScaleFactor();
    gfx::D3DDISPLAYMODE mode;
    mode.Width = static_cast<std::uint32_t>(std::lround(area.width * scale));
    mode.Height = static_cast<std::uint32_t>(std::lround(area.height * scale));
    mode.RefreshRate = static_cast<std::uint32_t>(std::max(display.GetCurrentMode().refresh, 0));
    return mode;
}

}  // namespace ui
