// Makes the flying site's toolbox, bars and editors, registers them with
// the main window's tool-bar host and binds their presenter as the site's
// bars. The windows are children of the main window, which deletes them;
// the presenter goes to the caller, who keeps it while the windows live.
#pragma once

#include <memory>

#include "app/site/bars/tbSiteBarsPresenter.h"

class CtolvaneBuilderApp;
class tbCommandWindows;
class tbToolbarHost;
class wxWindow;

// `windows` opens the file browser for the panorama's pictures and sound.
std::unique_ptr<sitebars::SiteBarsPresenter> tbCreateSiteToolBars(wxWindow* mainWindow, tbToolbarHost& host,
                                                                  CtolvaneBuilderApp& app, tbCommandWindows& windows);
