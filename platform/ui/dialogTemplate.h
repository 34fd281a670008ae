// A dialog described as a table of controls, the way the program's dialogs
// and tool bars are specified: each control with its id, kind, caption and
// rectangle in dialog units, listed in tab order.
//
// `buildDialogControls` makes the wx controls of a table inside a window, in
// table order (wx's tab order is creation order), with the table's ids so
// code and tests find them by id (`findControl`).
//
// Layout rule, used by every dialog of the program: a rectangle in dialog
// units becomes pixels through the dialog units of the window's own font (a
// quarter of its average character width across, an eighth of its height
// down), then both axes are stretched by the most any control that shows text
// needs so that GTK's larger widgets keep their natural size (never less than
// 1, at most 2). So a table keeps its proportions and every caption fits. No
// dialog comes out more than 700 pixels high, so each fits a screen of 768
// lines: a table that would is squeezed down to that height.
#pragma once

#include <span>
#include <string>

#include <wx/gdicmn.h>
#include <wx/window.h>

namespace ui {

enum class ControlKind {
    pushButton,     // wxButton; a click sends wxEVT_BUTTON with its id
    checkBox,       // wxCheckBox
    toggleButton,   // a push-like check box (wxToggleButton)
    label,          // wxStaticText
    groupBox,       // wxStaticBox frame (drawn behind the controls after it)
    frame,          // a plain panel the dialog paints into (ui::ImageCanvas)
    swatch,         // ui::SwatchControl: a colour that reports clicks
    edit,           // single-line wxTextCtrl
    multiLineEdit,  // multi-line wxTextCtrl that takes Return
    dropDownCombo,  // read-only drop-down wxComboBox
    sortedDropDownCombo,
    editableCombo,  // drop-down wxComboBox with an editable text
    listBox,        // single-selection wxListBox
    sortedListBox,
    fileList,       // wxListCtrl in list style with several rows selectable
    treeView,       // wxTreeCtrl with lines and buttons
    progressBar,    // wxGauge, range 0..100
    slider,         // wxSlider
    bitmap,         // wxStaticBitmap
};

// A rectangle and a size in dialog units.
struct UnitRect {
    int x, y, width, height;
};
struct UnitSize {
    int width, height;
};

// What a control's kind leaves open, as flags to combine.
struct ControlStyle {
    static constexpr unsigned plain = 0;
    // An edit the user cannot type into: it shows what the program sets (a
    // chosen file's name) and can still be selected and copied.
    static constexpr unsigned readOnly = 1u << 0;
};

// A slider's range; it starts at the minimum.
struct ValueRange {
    int minimum = 0;
    int maximum = 100;
};

struct ControlTemplate {
    int id;  // -1 for controls nothing refers to
    ControlKind kind;
    const char* caption;
    UnitRect dialogUnits;
    unsigned style = ControlStyle::plain;
    ValueRange range = {};  // sliders only
};

// A dialog's table: its caption, its size in dialog units and its controls in
// tab order.
struct DialogTemplate {
    const char* caption;
    UnitSize dialogUnits;
    std::span<const ControlTemplate> controls;
};

// Pixel placement of dialog-unit rectangles.
class DialogLayout {
public:
    DialogLayout(double pixelsPerUnitX, double pixelsPerUnitY) : scaleX_(pixelsPerUnitX), scaleY_(pixelsPerUnitY) {}
    // The unstretched dialog units of a window's font.
    static DialogLayout ofFont(wxWindow* window);

    wxRect toPixels(const UnitRect& dialogUnits) const;
    wxSize toPixels(const UnitSize& dialogUnits) const;

    double scaleX() const { return scaleX_; }
    double scaleY() const { return scaleY_; }

private:
    double scaleX_, scaleY_;
};

// The stretch one axis needs: the largest ratio of natural to given size
// among the pairs, clamped to 1..2.
double stretchToFit(std::span<const std::pair<int, int>> naturalAndGiven);

// Makes the controls of `table` in `parent` at their laid-out rectangles and
// sets the parent's client size to the table's size laid out the same way.
// Gives the layout used.
DialogLayout buildDialogControls(wxWindow* parent, const DialogTemplate& table);

// The same for a bar that must fit a given height, such as a tool bar on the
// strip above the 3-D view: one scale for both axes makes the table exactly
// `pixelHeight` pixels high, and the parent's font is made small enough for
// a line of text to fit a label's eight units. Controls keep their
// rectangles whatever their natural size, as they did on the platform the
// tables come from, except that a slider keeps the height GTK needs to draw
// it, inside the bar.
DialogLayout buildDialogControlsToHeight(wxWindow* parent, const DialogTemplate& table, int pixelHeight);

// The control with `id` below `parent` as a T, or null when there is none or
// it is of another class.
template <class T>
T* findControl(wxWindow* parent, int id) {
    if (!parent) return nullptr;
    return dynamic_cast<T*>(parent->FindWindow(id));
}

}  // namespace ui
