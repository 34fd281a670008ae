#include "app/shell/tbWindowPlacement.h"

#include <algorithm>
#include <cmath>

namespace {

// The smallest piece of the title bar a user can still grab.
constexpr int kGrabWidth = 100;
constexpr int kGrabHeight = 20;

int toInt(float value) {
    // Settings files are text: a value too large for the screen, or not a
    // number, gives nothing a window could use.
    if (!std::isfinite(value) || std::fabs(value) > 1.0e6f) return 0;
    return static_cast<int>(value);
}

// A stored length below the minimum gives the default one.
int usableLength(float stored, int minimum, int fallback) {
    const int length = toInt(stored);
    return length < minimum ? fallback : length;
}

bool tooSmall(const tbRect& rect) {
    return rect.width < kMinimumWindowWidth || rect.height < kMinimumWindowHeight;
}

bool overlapsEnough(const tbRect& window, const tbRect& display) {
    const int left = std::max(window.x, display.x);
    const int right = std::min(window.right(), display.right());
    const int top = std::max(window.y, display.y);
    const int bottom = std::min(window.y + kGrabHeight, display.bottom());
    return right - left >= std::min(kGrabWidth, window.width) && bottom - top >= std::min(kGrabHeight, window.height);
}

}  // namespace

tbRect tbRestoredPlacement(const tbStoredPlacement& stored, const std::vector<tbRect>& displays) {
    tbRect rect{toInt(stored.x), toInt(stored.y),
                usableLength(stored.width, kMinimumWindowWidth, kDefaultWindowWidth),
                usableLength(stored.height, kMinimumWindowHeight, kDefaultWindowHeight)};
    if (displays.empty()) return rect;
    for (const tbRect& display : displays)
        if (overlapsEnough(rect, display)) return rect;
    const tbRect& primary = displays.front();
    rect.width = std::clamp(rect.width, std::min(kGrabWidth, primary.width), primary.width);
    rect.height = std::clamp(rect.height, std::min(kGrabHeight, primary.height), primary.height);
    rect.x = primary.x + (primary.width - rect.width) / 2;
    rect.y = primary.y + (primary.height - rect.height) / 2;
    return rect;
}

void tbRecordPlacement(tbWindowSettings& settings, tbWindowShow show, const tbRect& rect, bool maximisePending) {
    if (maximisePending || show == tbWindowShow::minimised) return;
    if (show == tbWindowShow::normal && tooSmall(rect)) return;
    settings.maximised = show == tbWindowShow::maximised;
    if (settings.maximised) return;
    settings.normal = {static_cast<float>(rect.x), static_cast<float>(rect.y), static_cast<float>(rect.width),
                       static_cast<float>(rect.height)};
}
