#include "app/shell/tbToolTable.h"

#include <array>

namespace {

constexpr std::array<std::optional<tbToolInfo>, kToolLast + 1> kTools = {{
    tbToolInfo{tbToolButton::brush, tbToolBar::brush,
               "Brush tool: Paint in 3D or texture-view. SHIFT+MOUSEWHEEL changes brush size. "
               "CONTROL+MOUSEWHEEL changes brush angle.",
               227},
    tbToolInfo{tbToolButton::shape, tbToolBar::shape,
               "Shape tool: Project a screen-space shape onto model in 3D or texture-view. DELETE removes "
               "last added point. Insert a point on any line, or alter a point by dragging.",
               228},
    tbToolInfo{tbToolButton::floodFill, tbToolBar::floodFill,
               "Floodfill tool: Fill any object with solid colour or gradient.", 229},
    std::nullopt,
    tbToolInfo{tbToolButton::colourPicker, std::nullopt,
               "Colour Picker tool: Sample colour from any position of the screen. Left button sets main "
               "colour. Right button sets background colour.",
               233},
    tbToolInfo{tbToolButton::projectImage, tbToolBar::projectImage,
               "Project Image tool: Project images onto all three axis of model. SHIFT scales images in any "
               "axis. CONTROL rotates images in any axis.",
               230},
    tbToolInfo{tbToolButton::text, tbToolBar::text,
               "Text tool: Create a text object to project onto model or texture. SHIFT scales text in any "
               "axis. CONTROL rotates text in any axis.",
               232},
    tbToolInfo{tbToolButton::mirror, tbToolBar::mirror,
               "Mirror tool: Mirror one side of your model's paint-scheme onto another.", 250},
    tbToolInfo{tbToolButton::panorama, tbToolBar::panorama, "Panorama tool", 258},
    tbToolInfo{tbToolButton::lighting, tbToolBar::lighting, "Lighting tool", 259},
    tbToolInfo{tbToolButton::collision, tbToolBar::collision, "Collision tool", 260},
    tbToolInfo{tbToolButton::positions, tbToolBar::positions, "Positions tool", 262},
    tbToolInfo{tbToolButton::weather, tbToolBar::weather, "Weather tool", 262},
}};

}  // namespace

std::optional<tbToolInfo> tbFindTool(int32_t tool) {
    if (tool < kToolFirst || tool > kToolLast) return std::nullopt;
    return kTools[static_cast<size_t>(tool)];
}
