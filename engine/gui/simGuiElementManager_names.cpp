// The names scripts give fonts and anchors: whole texts, compared exactly.
#include <array>
#include <string_view>

#include "engine/gui/simGuiElementManager.h"

namespace {

constexpr std::array<std::string_view, simGuiElementManager::kFontCount> kFontIds = {
    "simGuiFontId_main",   "simGuiFontId_bold",           "simGuiFontId_dialogTitle", "simGuiFontId_small",
    "simGuiFontId_even",   "simGuiFontId_medium",         "simGuiFontId_mediumLarge", "simGuiFontId_large",
    "simGuiFontId_extraLarge", "simGuiFontId_menu"};

constexpr std::array<std::string_view, 14> kAnchors = {
    "floating", "topLeft", "top",    "topRight",  "right",    "bottomRight",  "bottom",
    "bottomLeft", "left",  "centre", "leftCentre", "topCentre", "rightCentre", "bottomCentre"};

template <size_t N>
int indexOf(const std::array<std::string_view, N>& names, const std::string& name) {
    for (size_t i = 0; i < N; ++i)
        if (names[i] == name) return static_cast<int>(i);
    return 0;
}

}  // namespace

int simGuiElementManager::parseFontId(const std::string& name) { return indexOf(kFontIds, name); }

int simGuiElementManager::parseAnchor(const std::string& name) { return indexOf(kAnchors, name); }
