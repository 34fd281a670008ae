// Showing a site bar's model in its controls. Values are set without the
// controls' change events (a text box set by the program is not an edit of
// the user's), and a list is refilled only when its entries changed, so the
// user's open list or caret is left alone.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "app/site/bars/tbItemList.h"

class wxWindow;

namespace ui {
class TemplateDialog;
}

namespace sitebars {

// A toggle button or a check box.
void showChecked(ui::TemplateDialog& bar, int id, bool checked);
void showText(ui::TemplateDialog& bar, int id, const std::string& text);
// A drop-down list's entries and selection (-1: none).
void showChoices(ui::TemplateDialog& bar, int id, const std::vector<std::string>& names, int selection);
void showSlider(ui::TemplateDialog& bar, int id, int position);
std::string textOf(ui::TemplateDialog& bar, int id);
// `control` is one of the edits `ids` (a bar's edits that take a Space).
bool isOneOfEdits(const wxWindow& control, std::span<const int> ids);

template <class Item>
std::vector<std::string> entryNames(const tbItemList<Item>& list) {
    std::vector<std::string> names;
    for (const auto& entry : list.entries()) names.push_back(entry.name);
    return names;
}

template <class Table>
std::vector<std::string> tableNames(const Table& table) {
    std::vector<std::string> names;
    for (const auto& entry : table) names.push_back(entry.name);
    return names;
}

}  // namespace sitebars
