#include "app/shell/tbToolbarLayout.h"

#include "app/shell/tbSecondView.h"

namespace {

// Between the second view's frame and the flying-site toolbox below it.
constexpr int kBelowSecondView = 4;

tbRect movedTo(const tbRect& rect, int x, int y) { return {x, y, rect.width, rect.height}; }

}  // namespace

tbRect tbStartPlace(tbBar bar, const tbStoredPlacement& stored, const tbRect& strip, const tbRect& barRect) {
    switch (tbBarInfoOf(bar).place) {
        case tbBarPlace::windowPosition:
            return movedTo(barRect, static_cast<int>(stored.x), static_cast<int>(stored.y));
        case tbBarPlace::rightEdge:
            // Summed as floats before the truncation, as the settings hold them.
            return movedTo(barRect, static_cast<int>(stored.x + stored.width), static_cast<int>(stored.y));
        case tbBarPlace::strip: return movedTo(barRect, strip.x, strip.y);
        case tbBarPlace::popup: break;
    }
    const int left = bar == tbBar::brushShapePicker ? 575 : 25;
    return movedTo(barRect, strip.x + left, strip.bottom() + 10);
}

std::optional<tbRect> tbStripPlace(tbBar bar, const tbRect& strip, const tbRect& mainWindow, const tbRect& barRect) {
    switch (tbBarInfoOf(bar).place) {
        case tbBarPlace::strip:
            return tbRect{strip.x, strip.y, mainWindow.right() - strip.x - kStripBarMargin, kStripBarHeight};
        case tbBarPlace::popup: {
            const int left = bar == tbBar::brushShapePicker ? 525 : 10;
            return movedTo(barRect, strip.x + left, strip.bottom() + 5);
        }
        default: return std::nullopt;
    }
}

std::optional<tbRect> tbResetPlace(tbBar bar, const tbRect& view, const tbRect& barRect) {
    switch (bar) {
        case tbBar::toolbox: return movedTo(barRect, view.x, view.y);
        // A flying site draws its other camera in the view's top-left corner
        // (the second view), which the toolbox would hide.
        case tbBar::flyingSiteToolbox:
            return movedTo(barRect, view.x,
                           view.y + static_cast<int>(view.height / kSecondViewDivisor) + kBelowSecondView);
        case tbBar::objectBar:
        case tbBar::shapeManager: return movedTo(barRect, view.right() - barRect.width, view.y);
        default: return std::nullopt;
    }
}
