// Makes the bars of the shape, image projection and text tools and
// registers them with the main window's tool-bar host: the shape bar and
// its Shape Manager, the image projection bar, the text bar and its text
// editor, each with the model operations it calls. The bars are children of
// the main window, which deletes them. Runs after tbCreatePaintingBars,
// whose toolbox resets these tools and repaints their colour rows.
#pragma once

#include "app/scheme/bars/CDlgImageProjectModel.h"

class CtolvaneBuilderApp;
class tbCommandWindows;
class tbToolbarHost;
class wxWindow;

// `windows` opens the file browser for the projection bar's images.
void tbCreateSchemeToolBars(wxWindow* mainWindow, tbToolbarHost& host, CtolvaneBuilderApp& app,
                            tbCommandWindows& windows);

// The projection bar's operations on the model: its images loaded into the
// model's slots, its projection, and the file browser of `windows` (none
// when null).
bars::ImageProjectModel::Operations tbImageBarOperations(tbCommandWindows* windows);
