#include "app/shell/tbBars.h"

#include <array>

namespace {

using P = tbBarPlace;

constexpr std::array<tbBarInfo, kBarCount> kBars = {{
    {tbBar::toolbox, "Toolbox", P::windowPosition, "toolbox...\n"},
    {tbBar::flyingSiteToolbox, "Toolbox", P::windowPosition, nullptr},
    {tbBar::objectBar, "Objects", P::rightEdge, "object bar...\n"},
    {tbBar::shapeManager, "Shape Manager", P::rightEdge, "shape manager...\n"},
    {tbBar::brushBar, nullptr, P::strip, "brush bar...\n"},
    {tbBar::brushShapePicker, nullptr, P::popup, "brush shape picker...\n"},
    {tbBar::shapeBar, nullptr, P::strip, "shape bar...\n"},
    {tbBar::floodFillBar, nullptr, P::strip, "flood fill bar...\n"},
    {tbBar::projectImageBar, nullptr, P::strip, "project image bar...\n"},
    {tbBar::uvMappingBar, nullptr, P::strip, "UV mapping bar...\n"},
    {tbBar::textBar, nullptr, P::strip, "text bar...\n"},
    {tbBar::textEditor, nullptr, P::popup, "text editor...\n"},
    {tbBar::mirrorBar, nullptr, P::strip, "mirror bar...\n"},
    {tbBar::panoramaBar, nullptr, P::strip, "pano bar...\n"},
    {tbBar::lightingBar, nullptr, P::strip, "lighting bar...\n"},
    {tbBar::collisionBar, nullptr, P::strip, "collision bar...\n"},
    {tbBar::positionsBar, nullptr, P::strip, "positions bar...\n"},
    {tbBar::weatherBar, nullptr, P::strip, "weather bar...\n"},
    {tbBar::primitiveEditor, "Collision editor (Primitive)", P::rightEdge, "collision editor - primitive...\n"},
    {tbBar::areaEditor, "Collision editor (Area)", P::rightEdge, "collision editor - area...\n"},
    {tbBar::heightMapEditor, "Collision editor (Height-map)", P::rightEdge, "collision editor - h-map...\n"},
    {tbBar::skylineEditor, "Collision editor (Skyline)", P::rightEdge, "collision editor - skyline...\n"},
    {tbBar::waterEditor, "Water editor", P::rightEdge, "collision editor - water...\n"},
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
