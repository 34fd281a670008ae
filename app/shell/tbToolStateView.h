// What the tool state asks of the windows that show it: the main window's
// toolboxes, tool bars, status line and tool icon. The main window implements
// it; tests record the calls. Every operation does nothing by default, so a
// view that lacks a window simply ignores its part.
#pragma once

#include <cstdint>
#include <string>

#include "app/shell/tbToolTable.h"

class tbToolStateView {
public:
    virtual ~tbToolStateView() = default;

    // The painting toolbox, the flying-site toolbox and the object bar shown
    // or hidden; with `hideStripBars` every bar of the strip above the view
    // is hidden too.
    virtual void showModeBars(bool /*toolbox*/, bool /*flyingSiteToolbox*/, bool /*objectBar*/,
                              bool /*hideStripBars*/) {}
    virtual void hideShapeManager() {}
    // Every button of both toolboxes released / every tool's bar hidden.
    virtual void releaseToolButtons() {}
    virtual void hideToolBars() {}
    virtual void pressToolButton(tbToolButton) {}
    virtual void showToolBar(tbToolBar) {}
    virtual void setToolIcon(int32_t /*bitmapId*/) {}
    virtual void setStatusText(const std::string&) {}
    // The colour swatches of the toolbox and the flood fill, shape and text
    // bars, each where it exists.
    virtual void repaintColourSwatches() {}
    // The brush bar's fields and sliders show the brush values again.
    virtual void refreshBrushBar() {}
};
