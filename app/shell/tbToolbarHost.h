// The tool-bar host: the main window's floating tool bars and pop-ups.
//
// Each bar is made by its own unit and registered here under its place in
// the bar table (tbBars.h); the host places them at start-up, keeps the
// strip bars on the strip above the view while the main window moves or
// changes size, puts the toolboxes and side bars back on Reset toolbars,
// shows and hides them for the tool state (as its tbToolStateView), and
// closes an open pop-up when the user presses a mouse button anywhere but
// on the pop-up or the button that opened it. A bar nobody registered is
// absent and every operation passes it by.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/shell/tbBars.h"
#include "app/shell/tbToolStateView.h"
#include "app/shell/tbToolbarLayout.h"

class wxTopLevelWindow;
class wxWindow;

class tbToolbarHost : public tbToolStateView {
public:
    // `statusText` shows a tool's help text in the main window's status line.
    explicit tbToolbarHost(std::function<void(const std::string&)> statusText);

    void registerBar(tbBar bar, wxTopLevelWindow* window);
    wxTopLevelWindow* window(tbBar bar) const { return m_bars[index(bar)]; }
    // The bar whose window `window` is or lies in, if any.
    std::optional<tbBar> barOf(wxWindow* window) const;

    // A pop-up's opening button: a press on it leaves the pop-up to the
    // button; `release` lifts the button when the host closes the pop-up;
    // `keepOpen` (may be empty) holds the pop-up open (a list of it dropped
    // down).
    void setPopupOpener(tbBar popup, wxWindow* button, std::function<void()> release,
                        std::function<bool()> keepOpen = {});
    // A toolbox's side of the tool state (its buttons, the tool icon and the
    // colour swatches): the model scheme's and the flying site's toolboxes
    // each add theirs, and releasing, pressing, the icon and the swatches
    // reach every one; each toolbox presses only the buttons it has.
    void addToolbox(tbToolStateView* toolbox) { m_toolboxes.push_back(toolbox); }
    // Windows of a kind that go with one tool without being its bar (the
    // flying site's collision editors): told when the tool bars hide (a
    // tool change, a mode without a project) and which tool's bar shows.
    void addToolBarFollower(tbToolStateView* follower) { m_followers.push_back(follower); }
    // How the brush bar shows the tool state's brush again.
    void setBrushBarRefresh(std::function<void()> refresh) { m_refreshBrushBar = std::move(refresh); }
    void refreshBrushBar() override {
        if (m_refreshBrushBar) m_refreshBrushBar();
    }

    // Places every bar as the table says, hidden until the mode shows it.
    void initToolbars(const tbStoredPlacement& stored, const tbRect& strip);
    // The strip bars and pop-ups follow the strip (screen pixels).
    void layout(const tbRect& strip, const tbRect& mainWindow);
    // Workspace/Reset toolbars, from the view's screen rectangle.
    void reset(const tbRect& view);

    void show(tbBar bar);
    void hide(tbBar bar);
    bool isShown(tbBar bar) const;

    // A mouse button went down on `window` (null: outside the program).
    void closePopups(wxWindow* window);

    // ---- tbToolStateView.
    void showModeBars(bool toolbox, bool flyingSiteToolbox, bool objectBar, bool hideStripBars) override;
    void hideShapeManager() override { hide(tbBar::shapeManager); }
    void releaseToolButtons() override;
    void hideToolBars() override;
    void pressToolButton(tbToolButton button) override;
    void showToolBar(tbToolBar bar) override;
    void setToolIcon(int32_t bitmapId) override;
    void setStatusText(const std::string& text) override;
    void repaintColourSwatches() override;

private:
    struct PopupOpener {
        wxWindow* button = nullptr;
        std::function<void()> release;
        std::function<bool()> keepOpen;
    };
    static size_t index(tbBar bar) { return static_cast<size_t>(bar); }
    void place(tbBar bar, const tbRect& rect);
    tbRect rectOf(tbBar bar) const;

    std::array<wxTopLevelWindow*, kBarCount> m_bars{};
    std::array<PopupOpener, kBarCount> m_openers{};
    std::vector<tbToolStateView*> m_toolboxes;
    std::vector<tbToolStateView*> m_followers;
    std::function<void()> m_refreshBrushBar;
    std::function<void(const std::string&)> m_statusText;
};

// A window's screen rectangle.
tbRect tbScreenRect(const wxWindow& window);
