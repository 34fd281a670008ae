// Makes the bars of the shape, image projection and text tools and
// registers them with the main window's tool-bar host: the shape bar and
// its Shape Manager, the image projection bar, the text bar and its text
// editor, each with the model operations it calls. The bars are children of
// the main window, which deletes them. Runs after tbCreatePaintingBars,
// whose toolbox resets these tools and repaints their colour rows.
#pragma once

#include "app/scheme/bars/CDlgImageProjectModel.h"

class CtolvaneBuilderApp;
class tbToolbarHost;
class wxWindow;

// `mainWindow` also opens the file browser for the projection bar's images
// (it is the program's tbCommandWindows).
void tbCreateSchemeToolBars(wxWindow* mainWindow, tbToolbarHost& host, CtolvaneBuilderApp& app);

// The projection bar's operations on the model: its images loaded into the
// model's slots, its projection, and the file browser of `mainWindow` when
// that is the program's main window.
bars::ImageProjectModel::Operations tbImageBarOperations(wxWindow* mainWindow);
