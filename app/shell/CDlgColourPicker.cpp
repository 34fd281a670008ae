#include "app/shell/CDlgColourPicker.h"

#include <array>

#include <wx/image.h>
#include <wx/textctrl.h>

#include "platform/ui/imageCanvas.h"

namespace {

using ui::ControlKind;

constexpr ui::ControlTemplate kControls[] = {
    {CDialogToolbar::idOk, ControlKind::pushButton, "OK", {4, 3, 49, 16}},
    {CDialogToolbar::idCancel, ControlKind::pushButton, "Cancel", {54, 3, 49, 16}},
    {CDialogToolbar::idStartColour, ControlKind::frame, "", {5, 22, 48, 16}},
    {CDialogToolbar::idCurrentColour, ControlKind::frame, "", {54, 22, 48, 16}},
    {CDialogToolbar::idSquare, ControlKind::frame, "", {5, 39, 97, 82}},
    {CDialogToolbar::idHueBar, ControlKind::frame, "", {5, 122, 97, 12}},
    {CDialogToolbar::idRed, ControlKind::edit, "", {5, 136, 22, 12}},
    {CDialogToolbar::idGreen, ControlKind::edit, "", {28, 136, 22, 12}},
    {CDialogToolbar::idBlue, ControlKind::edit, "", {51, 136, 22, 12}},
    {CDialogToolbar::idAlpha, ControlKind::edit, "", {80, 136, 22, 12}},
    {CDialogToolbar::idSwatches, ControlKind::frame, "", {5, 150, 97, 78}},
};
constexpr ui::DialogTemplate kTemplate = {"Colour Picker", {107, 232}, kControls};

constexpr std::array<std::pair<int, shell::PickerChannel>, 4> kEdits = {{
    {CDialogToolbar::idRed, shell::PickerChannel::red},
    {CDialogToolbar::idGreen, shell::PickerChannel::green},
    {CDialogToolbar::idBlue, shell::PickerChannel::blue},
    {CDialogToolbar::idAlpha, shell::PickerChannel::alpha},
}};

// A bitmap of an RGB picture (wx copies the bytes into the bitmap).
wxBitmap toBitmap(shell::RgbPicture& picture) {
    if (picture.width <= 0 || picture.height <= 0) return wxBitmap();
    const wxImage image(picture.width, picture.height, picture.bytes.data(), true);
    return wxBitmap(image);
}

simColour fromWx(const wxColour& c) {
    simColour colour;
    colour.red = c.Red();
    colour.green = c.Green();
    colour.blue = c.Blue();
    return colour;
}

}  // namespace

CDialogToolbar::CDialogToolbar(const simColour& start, simColour* result,
                               std::span<simColour, shell::kSwatchCount> swatches, wxWindow* parent)
    : ui::TemplateDialog(parent, kTemplate, {idOk, idCancel},
                         wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxFRAME_TOOL_WINDOW),
      model_(start, swatches),
      result_(result) {
    if (result_) *result_ = start;
    model_.shown();
    Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        if (event.IsShown()) model_.shown();
        event.Skip();
    });
    bindArea(idSquare, shell::PickerArea::square);
    bindArea(idHueBar, shell::PickerArea::hueBar);
    bindArea(idSwatches, shell::PickerArea::swatches);
    for (const auto& [id, channel] : kEdits) {
        control<wxTextCtrl>(id)->Bind(wxEVT_TEXT, [this, channel = channel](wxCommandEvent&) { onEdit(channel); });
    }
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { onOk(); }, idOk);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(1); }, idCancel);
    drawPicker();
    drawSwatches();
    for (const auto& [id, channel] : kEdits) control<wxTextCtrl>(id)->ChangeValue(wxString::Format("%d", model_.valueOf(channel)));
}

void CDialogToolbar::bindArea(int id, shell::PickerArea area) {
    ui::ImageCanvas* canvas = control<ui::ImageCanvas>(id);
    auto handler = [this, area](wxMouseEvent& event) { onMouse(event, area); };
    canvas->Bind(wxEVT_LEFT_DOWN, handler);
    canvas->Bind(wxEVT_MOTION, handler);
    canvas->Bind(wxEVT_RIGHT_DOWN, handler);
}

void CDialogToolbar::onMouse(wxMouseEvent& event, shell::PickerArea area) {
    // Before the input delay even the default handling is skipped.
    if (!model_.acceptsInput()) return;
    event.Skip();
    const wxSize size = static_cast<wxWindow*>(event.GetEventObject())->GetClientSize();
    const wxPoint at = event.GetPosition();
    if (event.GetEventType() == wxEVT_RIGHT_DOWN) {
        if (model_.rightButton(area, at.x, at.y)) drawSwatches();
        return;
    }
    const bool pressed = event.GetEventType() == wxEVT_LEFT_DOWN;
    if (!pressed && !event.LeftIsDown()) return;
    if (model_.leftButton(area, at.x, at.y, size.x, size.y, pressed)) drawPicker();
}

void CDialogToolbar::onEdit(shell::PickerChannel channel) {
    for (const auto& [id, c] : kEdits) {
        if (c != channel) continue;
        if (model_.typed(channel, control<wxTextCtrl>(id)->GetValue().ToStdString())) drawPicker();
    }
}

void CDialogToolbar::onOk() {
    if (result_) *result_ = model_.accepted();
    EndModal(1);
}

void CDialogToolbar::drawPicker() {
    shell::RgbPicture picture;
    ui::ImageCanvas* square = control<ui::ImageCanvas>(idSquare);
    model_.drawSquare(picture, square->GetClientSize().x, square->GetClientSize().y);
    square->setPicture(toBitmap(picture));

    ui::ImageCanvas* hueBar = control<ui::ImageCanvas>(idHueBar);
    model_.drawHueBar(picture, hueBar->GetClientSize().x, hueBar->GetClientSize().y);
    hueBar->setPicture(toBitmap(picture));

    // The two colour boxes: a band 25 pixels high over each box's width.
    for (auto [id, colour] : {std::pair{idCurrentColour, model_.current()}, std::pair{idStartColour, model_.start()}}) {
        ui::ImageCanvas* box = control<ui::ImageCanvas>(id);
        picture.resize(box->GetClientSize().x, 25);
        for (int y = 0; y < picture.height; ++y)
            for (int x = 0; x < picture.width; ++x) picture.set(x, y, colour);
        box->setPicture(toBitmap(picture));
    }
    updateEdits();
}

void CDialogToolbar::drawSwatches() {
    shell::RgbPicture picture;
    ui::ImageCanvas* grid = control<ui::ImageCanvas>(idSwatches);
    model_.drawSwatches(picture, grid->GetClientSize().x, grid->GetClientSize().y, fromWx(GetBackgroundColour()));
    grid->setPicture(toBitmap(picture));
}

void CDialogToolbar::updateEdits() {
    for (const auto& [id, channel] : kEdits) {
        wxTextCtrl* edit = control<wxTextCtrl>(id);
        if (model_.editNeedsRewrite(channel, edit->GetValue().ToStdString()))
            edit->ChangeValue(wxString::Format("%d", model_.valueOf(channel)));
    }
}
