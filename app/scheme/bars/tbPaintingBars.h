// Makes the model-scheme painting bars and registers them with the main
// window's tool-bar host: the toolbox (also the host's toolbox view), the
// object bar, the brush bar with its brush-shape picker, the flood bar and
// the mirror bar. The bars are children of the main window, which deletes
// them; the toolbox's reset button and colour repaints reach the bars.
#pragma once

class CtolvaneBuilderApp;
class tbToolbarHost;
class wxWindow;

void tbCreatePaintingBars(wxWindow* mainWindow, tbToolbarHost& host, CtolvaneBuilderApp& app);
