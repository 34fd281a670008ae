#include "app/scheme/bars/tbBarColourStrip.h"

#include <wx/tglbtn.h>

#include "app/shell/tbBarColours.h"
#include "app/scheme/bars/tbBarPictures.h"
#include "app/shell/tbToolState.h"
#include "platform/ui/dialogTemplate.h"
#include "platform/ui/imageCanvas.h"
#include "platform/ui/swatchControl.h"

void tbDrawBarColours(wxWindow* bar, const tbToolState& tools) {
    if (auto* strip = ui::findControl<ui::ImageCanvas>(bar, tbBarColourIds::strip)) {
        const wxSize size = strip->GetClientSize();
        strip->setPicture(tbStripPicture(tools.mainColour(), tools.secondColour(), size.x, size.y));
    }
    if (auto* main = ui::findControl<ui::SwatchControl>(bar, tbBarColourIds::mainColour))
        main->setColour(tbWxColour(tools.mainColour()));
    if (auto* second = ui::findControl<ui::SwatchControl>(bar, tbBarColourIds::secondColour))
        second->setColour(tbWxColour(tools.secondColour()));
}

void tbBindBarColours(wxWindow* bar, tbToolState& tools, std::span<simColour, shell::kSwatchCount> swatches,
                      std::function<void(bool gradient, bool pressed)> fillTypeClicked,
                      std::function<void()> showFillType) {
    for (const int id : {tbBarColourIds::solid, tbBarColourIds::gradient}) {
        auto* button = ui::findControl<wxToggleButton>(bar, id);
        button->SetBitmap(tbFillTypePicture(id == tbBarColourIds::gradient));
        bar->Bind(wxEVT_TOGGLEBUTTON, [button, id, fillTypeClicked, showFillType](wxCommandEvent&) {
            fillTypeClicked(id == tbBarColourIds::gradient, button->GetValue());
            showFillType();
        }, id);
    }
    for (const int id : {tbBarColourIds::mainColour, tbBarColourIds::secondColour}) {
        bar->Bind(wxEVT_BUTTON, [bar, &tools, id, swatches](wxCommandEvent&) {
            tbPickPaintColour(bar, tools, id == tbBarColourIds::mainColour ? tbPaintColour::main : tbPaintColour::second,
                              swatches);
            tbDrawBarColours(bar, tools);
        }, id);
    }
}
