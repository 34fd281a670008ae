#include "platform/ui/dialogTemplate.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/slider.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>
#include <wx/treectrl.h>

#include "platform/ui/imageCanvas.h"
#include "platform/ui/swatchControl.h"

namespace ui {
namespace {

wxWindow* makeControl(wxWindow* parent, const ControlTemplate& c) {
    const wxString caption = wxString::FromUTF8(c.caption ? c.caption : "");
    const wxWindowID id = c.id;
    switch (c.kind) {
    case ControlKind::pushButton: return new wxButton(parent, id, caption);
    case ControlKind::checkBox: return new wxCheckBox(parent, id, caption);
    // Fitted to its caption or picture: the painting bars are rows of small
    // picture buttons, which the toolkit's default button width would widen.
    case ControlKind::toggleButton:
        return new wxToggleButton(parent, id, caption, wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    case ControlKind::label:
        return new wxStaticText(parent, id, caption, wxDefaultPosition, wxDefaultSize, wxST_NO_AUTORESIZE);
    case ControlKind::groupBox: return new wxStaticBox(parent, id, caption);
    case ControlKind::frame: return new ImageCanvas(parent, id);
    case ControlKind::swatch: return new SwatchControl(parent, id);
    case ControlKind::edit:
        return new wxTextCtrl(parent, id, caption, wxDefaultPosition, wxDefaultSize,
                              (c.style & ControlStyle::readOnly) ? wxTE_READONLY : 0);
    case ControlKind::multiLineEdit:
        return new wxTextCtrl(parent, id, caption, wxDefaultPosition, wxDefaultSize,
                              wxTE_MULTILINE | wxTE_PROCESS_ENTER | wxHSCROLL);
    case ControlKind::dropDownCombo:
        return new wxComboBox(parent, id, caption, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxCB_READONLY);
    case ControlKind::sortedDropDownCombo:
        return new wxComboBox(parent, id, caption, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                              wxCB_READONLY | wxCB_SORT);
    case ControlKind::editableCombo:
        return new wxComboBox(parent, id, caption, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxCB_DROPDOWN);
    case ControlKind::listBox: return new wxListBox(parent, id, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_SINGLE);
    case ControlKind::sortedListBox:
        return new wxListBox(parent, id, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_SINGLE | wxLB_SORT);
    case ControlKind::fileList: return new wxListCtrl(parent, id, wxDefaultPosition, wxDefaultSize, wxLC_LIST | wxBORDER_SUNKEN);
    case ControlKind::treeView:
        return new wxTreeCtrl(parent, id, wxDefaultPosition, wxDefaultSize,
                              wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_HIDE_ROOT | wxTR_SINGLE);
    case ControlKind::progressBar: return new wxGauge(parent, id, 100);
    case ControlKind::slider: return new wxSlider(parent, id, c.range.minimum, c.range.minimum, c.range.maximum);
    case ControlKind::bitmap: return new wxStaticBitmap(parent, id, wxNullBitmap);
    }
    return nullptr;
}

// Which axes of a kind's natural size must fit its rectangle: captions need
// both; edits and combos only their height (their natural width is a guess
// at text not yet typed); lists, frames and pictures take any size.
std::pair<bool, bool> mustFit(ControlKind kind) {
    switch (kind) {
    case ControlKind::pushButton:
    case ControlKind::checkBox:
    case ControlKind::toggleButton:
    case ControlKind::label: return {true, true};
    case ControlKind::edit:
    case ControlKind::dropDownCombo:
    case ControlKind::sortedDropDownCombo:
    case ControlKind::editableCombo: return {false, true};
    default: return {false, false};
    }
}

}  // namespace

DialogLayout DialogLayout::ofFont(wxWindow* window) {
    // wx defines dialog units as Windows does: x a quarter of the average
    // character width, y an eighth of the character height.
    const wxSize many = window->ConvertDialogToPixels(wxSize(400, 800));
    return DialogLayout(many.x / 400.0, many.y / 800.0);
}

wxRect DialogLayout::toPixels(const UnitRect& r) const {
    const int left = static_cast<int>(std::lround(r.x * scaleX_));
    const int top = static_cast<int>(std::lround(r.y * scaleY_));
    const int right = static_cast<int>(std::lround((r.x + r.width) * scaleX_));
    const int bottom = static_cast<int>(std::lround((r.y + r.height) * scaleY_));
    return wxRect(left, top, right - left, bottom - top);
}

wxSize DialogLayout::toPixels(const UnitSize& s) const {
    return wxSize(static_cast<int>(std::lround(s.width * scaleX_)), static_cast<int>(std::lround(s.height * scaleY_)));
}

double stretchToFit(std::span<const std::pair<int, int>> naturalAndGiven) {
    double stretch = 1.0;
    for (const auto& [natural, given] : naturalAndGiven) {
        if (given > 0) stretch = std::max(stretch, static_cast<double>(natural) / given);
    }
    return std::min(stretch, 2.0);
}

namespace {

std::vector<wxWindow*> makeControls(wxWindow* parent, const DialogTemplate& table) {
    std::vector<wxWindow*> made;
    made.reserve(table.controls.size());
    for (const ControlTemplate& c : table.controls) made.push_back(makeControl(parent, c));
    return made;
}

void placeControls(wxWindow* parent, const DialogTemplate& table, const std::vector<wxWindow*>& made,
                   const DialogLayout& layout) {
    for (size_t i = 0; i < made.size(); ++i) made[i]->SetSize(layout.toPixels(table.controls[i].dialogUnits));
    parent->SetClientSize(layout.toPixels(table.dialogUnits));
}

// No dialog is laid out taller than this, so that each fits a screen of 768
// lines with its title bar: past it the controls give up some height (GTK
// draws them a little squeezed) rather than the dialog growing.
constexpr int kTallestClientHeight = 700;

// A label's line of text is this many dialog units high.
constexpr int kTextLineUnits = 8;
constexpr int kSmallestPointSize = 6;

// Shrinks the window's font (its controls made after take it) until a line
// of its text is no higher than `linePixels`, or the font is at its
// smallest.
void fitFontToLine(wxWindow* window, double linePixels) {
    wxFont font = window->GetFont();
    while (window->GetCharHeight() > std::lround(linePixels) && font.GetPointSize() > kSmallestPointSize) {
        font.SetPointSize(font.GetPointSize() - 1);
        window->SetFont(font);
    }
}

}  // namespace

DialogLayout buildDialogControls(wxWindow* parent, const DialogTemplate& table) {
    const DialogLayout base = DialogLayout::ofFont(parent);
    std::vector<std::pair<int, int>> across, down;
    const std::vector<wxWindow*> made = makeControls(parent, table);
    for (size_t i = 0; i < made.size(); ++i) {
        const ControlTemplate& c = table.controls[i];
        const wxRect r = base.toPixels(c.dialogUnits);
        const wxSize natural = made[i]->GetBestSize();
        const auto [fitX, fitY] = mustFit(c.kind);
        if (fitX) across.emplace_back(natural.x, r.width);
        if (fitY) down.emplace_back(natural.y, r.height);
    }
    double scaleY = base.scaleY() * stretchToFit(down);
    if (table.dialogUnits.height > 0)
        scaleY = std::min(scaleY, static_cast<double>(kTallestClientHeight) / table.dialogUnits.height);
    const DialogLayout layout(base.scaleX() * stretchToFit(across), scaleY);
    placeControls(parent, table, made, layout);
    return layout;
}

DialogLayout buildDialogControlsToHeight(wxWindow* parent, const DialogTemplate& table, int pixelHeight) {
    const int units = table.dialogUnits.height;
    const double scale = units > 0 ? static_cast<double>(pixelHeight) / units : 1.0;
    fitFontToLine(parent, kTextLineUnits * scale);
    const DialogLayout layout(scale, scale);
    const std::vector<wxWindow*> made = makeControls(parent, table);
    placeControls(parent, table, made, layout);
    // GTK draws no slider lower than its natural height: a slider keeps that
    // height, centred on its rectangle, as far as the bar's height allows.
    const int barHeight = layout.toPixels(table.dialogUnits).y;
    for (size_t i = 0; i < made.size(); ++i) {
        if (table.controls[i].kind != ControlKind::slider) continue;
        wxRect r = made[i]->GetRect();
        const int height = std::min(made[i]->GetBestSize().y, barHeight);
        if (height <= r.height) continue;
        r.y = std::clamp(r.y - (height - r.height) / 2, 0, barHeight - height);
        r.height = height;
        made[i]->SetSize(r);
    }
    return layout;
}

}  // namespace ui
