// The editor's tools and what each one shows: the toolbox button it presses,
// the bar it opens, its help text in the status line and the picture of the
// main window's tool icon.
//
// Tool numbers are stored in settings and project files, so they keep their
// values: 0 brush, 1 shape, 2 flood fill, 4 colour picker, 5 project image,
// 6 text, 7 mirror, 8 panorama, 9 lighting, 10 collision, 11 positions,
// 12 weather. Number 3 once named a texture-coordinate tool that no longer
// exists; a request for it selects the brush.
#pragma once

#include <cstdint>
#include <optional>

enum class tbToolButton : uint8_t {
    // The painting toolbox.
    brush, shape, floodFill, colourPicker, projectImage, text, mirror,
    // The flying-site toolbox.
    panorama, lighting, collision, positions, weather,
};
constexpr int kToolButtonCount = 12;

// The bars that belong to one tool each. The UV mapping bar belongs to none
// and is hidden by every tool change.
enum class tbToolBar : uint8_t {
    brush, shape, floodFill, projectImage, text, mirror, uvMapping,
    panorama, lighting, collision, positions, weather,
};
constexpr int kToolBarCount = 12;

struct tbToolInfo {
    tbToolButton button;
    std::optional<tbToolBar> bar;  // the colour picker has none
    const char* statusText;
    int32_t bitmapId;  // a picture of the program's own resources
};

constexpr int32_t kToolFirst = 0;
constexpr int32_t kToolLast = 12;
constexpr int32_t kToolShape = 1;
constexpr int32_t kToolRetired = 3;  // becomes kToolBrush
constexpr int32_t kToolBrush = 0;

// The tool's entry, or nothing for 3 and numbers outside 0..12.
std::optional<tbToolInfo> tbFindTool(int32_t tool);
