// tbSiteBars: what the flying-site project asks of its tool bars and editors.
//
// The bars (collision, positions, weather and panorama bars, the water
// editor) are windows made by the shell; the project acts on them only
// through this interface, which the bars' presenters implement, so the
// project is tested without a display against a recording fake. With no
// bars bound every question answers "hidden / unchecked" and every change
// does nothing.
//
// Lists: the collision bar lists every collision object, the weather bar
// every wind-area, the positions bar every position. The project is the
// only owner of objects and positions: before it deletes one it calls
// `unlist`, after which no bar may hold or select it; `clearLists` empties
// every list and selection (a site opening or closing).
#pragma once

#include <cstdint>
#include <string>

class tbCollisionObject;
class tbFlyingSitePosition;

class tbSiteBars {
public:
    enum class Bar { collision, positions, weather, panorama };
    // The toggles that make new items on the next click in the view, the
    // collision bar's "Water" toggle, and the editors' point-edit toggles.
    enum class Toggle {
        plane,
        sphere,
        cube,
        cylinder,
        marker,
        area,
        materialArea,
        skyline,
        heightMap,
        windArea,     // the weather bar's "area" toggle
        newPosition,  // the positions bar's toggle
        water,        // the collision bar's "Water" toggle
        areaEdit,     // the area editor's "Edit/add points"
        skylineEdit,  // the skyline editor's "Add/edit points"
        heightMapEdit  // the height-map editor's "Edit surface"
    };

    virtual ~tbSiteBars() = default;

    virtual bool isVisible(Bar bar) const = 0;
    // The bar's object combo box is open (its clicks are not the view's).
    virtual bool isComboDropped(Bar bar) const = 0;
    virtual bool isChecked(Toggle toggle) const = 0;
    virtual void setChecked(Toggle toggle, bool checked) = 0;

    // `bar` is collision or weather; a selected item is shown in its editor.
    virtual void listObject(Bar bar, tbCollisionObject* object, bool select) = 0;
    virtual void listPosition(tbFlyingSitePosition* position, bool select) = 0;
    // From every list; a selection of it becomes "[None selected]".
    virtual void unlistObject(tbCollisionObject* object) = 0;
    virtual void unlistPosition(tbFlyingSitePosition* position) = 0;
    virtual void clearLists() = 0;

    // The values the bars show for the site as a whole.
    virtual void showWindSpeed(const std::string& text) = 0;  // weather bar's edit box
    virtual void showWaterEnabled(bool enabled) = 0;          // water editor's "Enabled"
    // Panorama bar: "Cube" for image mode 0, else "Sphere"; "Interior",
    // "Reverb" and the sound edit box.
    virtual void showPanorama(uint32_t imageMode, bool interior, bool reverb, const std::string& ambientSound) = 0;

    // The water editor's brush: "Brush radius:" and "Brush strength:" slider
    // positions (1..200) and its "clear" check box: checked, the brush paints
    // black (no water), as the editor's "Clear" button fills the mask.
    // The water editor is shown with its "Edit" check box checked: the
    // brush paints the mask and the water plane shows it.
    virtual bool isWaterEditing() const { return false; }
    virtual int waterBrushRadius() const = 0;
    virtual int waterBrushStrength() const = 0;
    virtual bool waterBrushClears() const = 0;
};

// The bars bound now, or null; binding returns the bars bound before.
tbSiteBars* tbCurrentSiteBars();
tbSiteBars* tbBindSiteBars(tbSiteBars* bars);
