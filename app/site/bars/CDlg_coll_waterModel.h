// What the water editor decides, without a window: whether the site has
// water ("Enabled"), whether the brush paints the water mask ("Edit"), the
// brush's radius and strength (1..200), and whether it paints water in
// ("Opaque", white) or out ("clear", black, as the "Clear" button fills the
// whole mask). The collision bar's "Water" toggle shows and hides it.
#pragma once

#include <functional>
#include <string>

#include "app/site/bars/tbSiteAccess.h"

namespace sitebars {

class WaterEditorModel {
public:
    enum : int {
        idEnabled = 1184,
        idEdit = 1182,
        idRadius = 1016,
        idStrength = 1018,
        idClearBrush = 1185,
        idOpaque = 1191,
        idClear = 1192,
    };
    static constexpr int kBrushMinimum = 1, kBrushMaximum = 200, kBrushStart = 10;
    // The editor has no edit: every Space is the view's.

    explicit WaterEditorModel(SiteAccess site) : site_(std::move(site)) {}

    void enabledClicked(bool checked);
    // Checked, the brush takes the next clicks in the view: no object type
    // stays chosen to be put down by them too.
    void editClicked(bool checked);
    void radiusMoved(int position) { radius_ = position; }
    void strengthMoved(int position) { strength_ = position; }
    void clearBrushClicked(bool checked) { clears_ = checked; }
    // The whole mask water (white) or dry (black).
    void opaqueClicked();
    void clearClicked();

    // The project's value, shown.
    void showEnabled(bool enabled);
    // "Edit" unchecked: an object type was chosen, whose placing click must
    // not paint the mask as well.
    void endEditing();
    void setShown(bool shown) {
        shown_ = shown;
        notify(changed);
    }

    bool enabled() const { return enabled_; }
    bool editing() const { return editing_; }
    bool shown() const { return shown_; }
    int radius() const { return radius_; }
    int strength() const { return strength_; }
    // The brush paints black, clearing the water.
    bool clears() const { return clears_; }

    Changed changed;
    // "Edit" checked by the user.
    std::function<void()> editingStarted;

private:
    SiteAccess site_;
    bool enabled_ = false, editing_ = false, shown_ = false, clears_ = false;
    int radius_ = kBrushStart, strength_ = kBrushStart;
};

}  // namespace sitebars
