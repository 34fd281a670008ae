#include "app/shell/tbBars.h"

#include <array>

namespace {

using P = tbBarPlace;

constexpr std::array<tbBarInfo, kBarCount> kBars = {{
    {tbBar::toolbox, "Toolbox", P::windowPosition, true, "toolbox...\n"},
    {tbBar::flyingSiteToolbox, "Toolbox", P::windowPosition, true, nullptr},
    {tbBar::objectBar, "Objects", P::rightEdge, true, "object bar...\n"},
    {tbBar::shapeManager, "Shape Manager", P::rightEdge, false, "shape manager...\n"},
    {tbBar::brushBar, nullptr, P::strip, false, "brush bar...\n"},
    {tbBar::brushShapePicker, nullptr, P::popup, false, "brush shape picker...\n"},
    {tbBar::shapeBar, nullptr, P::strip, false, "shape bar...\n"},
    {tbBar::floodFillBar, nullptr, P::strip, false, "flood fill bar...\n"},
    {tbBar::projectImageBar, nullptr, P::strip, false, "project image bar...\n"},
    {tbBar::uvMappingBar, nullptr, P::strip, false, "UV mapping bar...\n"},
    {tbBar::textBar, nullptr, P::strip, false, "text bar...\n"},
    {tbBar::textEditor, nullptr, P::popup, false, "text editor...\n"},
    {tbBar::mirrorBar, nullptr, P::strip, false, "mirror bar...\n"},
    {tbBar::panoramaBar, nullptr, P::strip, false, "pano bar...\n"},
    {tbBar::lightingBar, nullptr, P::strip, false, "lighting bar...\n"},
    {tbBar::collisionBar, nullptr, P::strip, false, "collision bar...\n"},
    {tbBar::positionsBar, nullptr, P::strip, false, "positions bar...\n"},
    {tbBar::weatherBar, nullptr, P::strip, false, "weather bar...\n"},
    {tbBar::primitiveEditor, "Collision editor (Primitive)", P::rightEdge, false, "collision editor - primitive...\n"},
    {tbBar::areaEditor, "Collision editor (Area)", P::rightEdge, false, "collision editor - area...\n"},
    {tbBar::heightMapEditor, "Collision editor (Height-map)", P::rightEdge, false, "collision editor - h-map...\n"},
    {tbBar::skylineEditor, "Collision editor (Skyline)", P::rightEdge, false, "collision editor - skyline...\n"},
    {tbBar::waterEditor, "Water editor", P::rightEdge, false, "collision editor - water...\n"},
}};

constexpr bool inCreationOrder() {
    for (size_t i = 0; i < kBars.size(); ++i)
        if (static_cast<size_t>(kBars[i].bar) != i) return false;
    return true;
}
static_assert(inCreationOrder(), "the bar table is indexed by tbBar");

constexpr std::array<tbBar, kToolBarCount> kToolBars = {
    tbBar::brushBar, tbBar::shapeBar, tbBar::floodFillBar, tbBar::projectImageBar,
    tbBar::textBar, tbBar::mirrorBar, tbBar::uvMappingBar, tbBar::panoramaBar,
    tbBar::lightingBar, tbBar::collisionBar, tbBar::positionsBar, tbBar::weatherBar,
};

struct GatePair {
    tbBar bar;
    tbGatedWindow gated;
};
constexpr GatePair kGated[] = {
    {tbBar::objectBar, tbGatedWindow::objectBar},
    {tbBar::toolbox, tbGatedWindow::toolbox},
    {tbBar::shapeManager, tbGatedWindow::shapeManager},
    {tbBar::uvMappingBar, tbGatedWindow::uvMappingBar},
    {tbBar::brushBar, tbGatedWindow::brushBar},
    {tbBar::shapeBar, tbGatedWindow::shapeBar},
    {tbBar::floodFillBar, tbGatedWindow::floodFillBar},
    {tbBar::projectImageBar, tbGatedWindow::projectImageBar},
    {tbBar::mirrorBar, tbGatedWindow::mirrorBar},
    {tbBar::brushShapePicker, tbGatedWindow::brushShapePicker},
    {tbBar::textEditor, tbGatedWindow::textEditor},
    {tbBar::flyingSiteToolbox, tbGatedWindow::flyingSiteToolbox},
    {tbBar::lightingBar, tbGatedWindow::lightingBar},
    {tbBar::collisionBar, tbGatedWindow::collisionBar},
    {tbBar::positionsBar, tbGatedWindow::positionsBar},
    {tbBar::weatherBar, tbGatedWindow::weatherBar},
    {tbBar::areaEditor, tbGatedWindow::areaEditor},
    {tbBar::heightMapEditor, tbGatedWindow::heightMapEditor},
    {tbBar::primitiveEditor, tbGatedWindow::primitiveEditor},
    {tbBar::skylineEditor, tbGatedWindow::skylineEditor},
    {tbBar::waterEditor, tbGatedWindow::waterEditor},
};
static_assert(std::size(kGated) == kGatedWindowCount, "every gated window has its bar");

}  // namespace

const tbBarInfo& tbBarInfoOf(tbBar bar) { return kBars[static_cast<size_t>(bar)]; }

tbBar tbBarOf(tbToolBar bar) { return kToolBars[static_cast<size_t>(bar)]; }

std::optional<tbGatedWindow> tbGatedWindowOf(tbBar bar) {
    for (const GatePair& pair : kGated)
        if (pair.bar == bar) return pair.gated;
    return std::nullopt;
}
