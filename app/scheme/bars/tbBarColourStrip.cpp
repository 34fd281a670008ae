#include "app/scheme/bars/tbBarColourStrip.h"

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
