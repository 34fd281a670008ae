#include "app/shell/tbToolbarHost.h"

#include <wx/toplevel.h>

#include "engine/core/simApplicationLog.h"

tbRect tbScreenRect(const wxWindow& window) {
    const wxRect rect = window.GetScreenRect();
    return {rect.x, rect.y, rect.width, rect.height};
}

tbToolbarHost::tbToolbarHost(std::function<void(const std::string&)> statusText)
    : m_statusText(std::move(statusText)) {}

void tbToolbarHost::registerBar(tbBar bar, wxTopLevelWindow* window) { m_bars[index(bar)] = window; }

std::optional<tbBar> tbToolbarHost::barOf(wxWindow* window) const {
    wxWindow* top = window ? wxGetTopLevelParent(window) : nullptr;
    if (!top) return std::nullopt;
    for (int i = 0; i < kBarCount; ++i)
        if (m_bars[static_cast<size_t>(i)] == top) return static_cast<tbBar>(i);
    return std::nullopt;
}

void tbToolbarHost::setPopupOpener(tbBar popup, wxWindow* button, std::function<void()> release,
                                   std::function<bool()> keepOpen) {
    m_openers[index(popup)] = {button, std::move(release), std::move(keepOpen)};
}

tbRect tbToolbarHost::rectOf(tbBar bar) const {
    const wxTopLevelWindow* window = m_bars[index(bar)];
    return window ? tbScreenRect(*window) : tbRect{};
}

void tbToolbarHost::place(tbBar bar, const tbRect& rect) {
    wxTopLevelWindow* window = m_bars[index(bar)];
    if (!window) return;
    window->SetSize(rect.x, rect.y, rect.width, rect.height);
}

void tbToolbarHost::initToolbars(const tbStoredPlacement& stored, const tbRect& strip) {
    simLog("[CtolvaneBuilderApp::initToolbars-\n");
    for (int i = 0; i < kBarCount; ++i) {
        const tbBarInfo& info = tbBarInfoOf(static_cast<tbBar>(i));
        if (info.logLine) simLog(info.logLine);
        if (!m_bars[static_cast<size_t>(i)]) continue;
        place(info.bar, tbStartPlace(info.bar, stored, strip, rectOf(info.bar)));
        // Which bars show is the tool state's: the mode selected right after
        // this shows the toolboxes and the object bar it needs. (A bar shown
        // and hidden again at once would come back: GTK shows a new window
        // late, once its frame is known.)
        hide(info.bar);
    }
    simLog("-CtolvaneBuilderApp::initToolbars]\n");
}

void tbToolbarHost::layout(const tbRect& strip, const tbRect& mainWindow) {
    for (int i = 0; i < kBarCount; ++i) {
        const auto bar = static_cast<tbBar>(i);
        if (!m_bars[index(bar)]) continue;
        if (const std::optional<tbRect> rect = tbStripPlace(bar, strip, mainWindow, rectOf(bar))) place(bar, *rect);
    }
}

void tbToolbarHost::reset(const tbRect& view) {
    for (int i = 0; i < kBarCount; ++i) {
        const auto bar = static_cast<tbBar>(i);
        if (!m_bars[index(bar)]) continue;
        if (const std::optional<tbRect> rect = tbResetPlace(bar, view, rectOf(bar))) place(bar, *rect);
    }
    for (tbBar toolbox : {tbBar::toolbox, tbBar::flyingSiteToolbox})
        if (wxTopLevelWindow* window = m_bars[index(toolbox)]) window->Refresh();
}

void tbToolbarHost::show(tbBar bar) {
    if (wxTopLevelWindow* window = m_bars[index(bar)]) window->Show();
}

void tbToolbarHost::hide(tbBar bar) {
    if (wxTopLevelWindow* window = m_bars[index(bar)]) window->Hide();
}

bool tbToolbarHost::isShown(tbBar bar) const {
    const wxTopLevelWindow* window = m_bars[index(bar)];
    return window && window->IsShown();
}

void tbToolbarHost::closePopups(wxWindow* window) {
    for (tbBar popup : {tbBar::brushShapePicker, tbBar::textEditor}) {
        const PopupOpener& opener = m_openers[index(popup)];
        if (!isShown(popup) || barOf(window) == popup) continue;
        // A press on the opening button (or inside it) is the button's to handle.
        bool onButton = false;
        for (wxWindow* w = window; w && !onButton; w = w->GetParent()) onButton = w == opener.button;
        if (onButton || (opener.keepOpen && opener.keepOpen())) continue;
        hide(popup);
        if (opener.release) opener.release();
    }
}

void tbToolbarHost::showModeBars(bool toolbox, bool flyingSiteToolbox, bool objectBar, bool hideStripBars) {
    const std::pair<tbBar, bool> bars[] = {
        {tbBar::toolbox, toolbox}, {tbBar::flyingSiteToolbox, flyingSiteToolbox}, {tbBar::objectBar, objectBar}};
    for (const auto& [bar, shown] : bars) shown ? show(bar) : hide(bar);
    if (hideStripBars) hideToolBars();
}

void tbToolbarHost::hideToolBars() {
    for (int i = 0; i < kToolBarCount; ++i) hide(tbBarOf(static_cast<tbToolBar>(i)));
    for (tbToolStateView* follower : m_followers) follower->hideToolBars();
}

void tbToolbarHost::showToolBar(tbToolBar bar) {
    show(tbBarOf(bar));
    for (tbToolStateView* follower : m_followers) follower->showToolBar(bar);
}

void tbToolbarHost::releaseToolButtons() {
    for (tbToolStateView* toolbox : m_toolboxes) toolbox->releaseToolButtons();
}

void tbToolbarHost::pressToolButton(tbToolButton button) {
    for (tbToolStateView* toolbox : m_toolboxes) toolbox->pressToolButton(button);
}

void tbToolbarHost::setToolIcon(int32_t bitmapId) {
    for (tbToolStateView* toolbox : m_toolboxes) toolbox->setToolIcon(bitmapId);
}

void tbToolbarHost::repaintColourSwatches() {
    for (tbToolStateView* toolbox : m_toolboxes) toolbox->repaintColourSwatches();
}

void tbToolbarHost::setStatusText(const std::string& text) {
    if (m_statusText) m_statusText(text);
}
