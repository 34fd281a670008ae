// What a collision-object editor decides, without a window: the primitive,
// area, height-map and skyline editors each show the collision bar's
// selected object while it is of their kind and the collision tool is the
// current one, and edit its name, surface material ("Material:", the
// surface-kind table), "Draw" and "Visible".
// "Delete" and "Copy" are the collision bar's. An editor with a point or
// surface toggle of its own keeps it here; the objects read it through the
// site's editor settings.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "app/site/bars/CDlgCollisionBarModel.h"
#include "app/site/tbCollisionObject.h"

namespace sitebars {

class ObjectEditorModel {
public:
    enum : int {
        idName = 1017,
        idMaterial = 1144,
        idDelete = 1012,
        idCopy = 1013,
        idDraw = 1180,
        idVisible = 1179,
    };
    static constexpr const char* kNoneSelected = "[none selected]";
    // The edit a Space reaches; elsewhere in the editor the view has it alone.
    static constexpr std::array<int, 1> kSpaceEdits = {idName};
    // The name box before any object was shown.
    static constexpr const char* kStartName = "[None selected]";

    // `kind`: the type tag of the objects it shows. `tell` shows a message
    // (a refused name).
    ObjectEditorModel(tbCollisionObject::Type kind, CollisionBarModel& bar,
                      std::function<void(const std::string&)> tell = {})
        : kind_(kind), bar_(bar), tell_(std::move(tell)) {}
    virtual ~ObjectEditorModel() = default;

    // ---- The window's events.
    void deleteClicked() { bar_.deleteClicked(); }
    void copyClicked() { bar_.copyClicked(); }
    // The name box lost the focus with `text` in it.
    void nameEdited(const std::string& text);
    void materialSelected(const std::string& name);
    void drawClicked(bool checked);
    void visibleClicked(bool checked);
    void ownToggleClicked(bool checked) { ownToggle_ = checked; }
    // The project unchecks the point toggle when it is done with the points.
    void setOwnToggle(bool checked) {
        ownToggle_ = checked;
        notify(changed);
    }

    // Shows the collision bar's selection when it is of this kind and the
    // collision tool is chosen, else hides the editor.
    virtual void refresh();

    // The object it edits: the bar's selection of its kind, with a site open.
    tbCollisionObject* object() const;

    tbCollisionObject::Type kind() const { return kind_; }
    bool shown() const { return shown_; }
    const std::string& nameText() const { return name_; }
    // Index in the surface-kind table; -1: none.
    int materialIndex() const { return material_; }
    bool draw() const { return draw_; }
    bool visible() const { return visible_; }
    bool ownToggle() const { return ownToggle_; }

    Changed changed;

private:
    tbCollisionObject::Type kind_;
    CollisionBarModel& bar_;
    std::function<void(const std::string&)> tell_;
    bool shown_ = false;
    std::string name_ = kStartName;
    int material_ = 0;
    bool draw_ = true, visible_ = true, ownToggle_ = false;
};

// The height-map editor also holds the brush that raises or lowers the
// surface: radius and strength (1..200), "depress", and the height limits.
class HeightMapEditorModel : public ObjectEditorModel {
public:
    enum : int {
        idEditSurface = 1182,
        idRadius = 1016,
        idStrength = 1018,
        idDepress = 1181,
        idMinimumCheck = 1064,
        idMinimum = 1019,
        idMaximumCheck = 1065,
        idMaximum = 1020,
    };
    static constexpr int kBrushMinimum = 1, kBrushMaximum = 200, kBrushStart = 10;
    static constexpr std::array<int, 3> kSpaceEdits = {idName, idMinimum, idMaximum};

    explicit HeightMapEditorModel(CollisionBarModel& bar, std::function<void(const std::string&)> tell = {})
        : ObjectEditorModel(tbCollisionObject::type_heightMap, bar, std::move(tell)) {}

    void radiusMoved(int position) { radius_ = position; }
    void strengthMoved(int position) { strength_ = position; }
    void depressClicked(bool checked) { depress_ = checked; }
    void minimumChecked(bool checked) { minimumOn_ = checked; }
    void maximumChecked(bool checked) { maximumOn_ = checked; }
    void minimumEdited(const std::string& text) { minimum_ = text; }
    void maximumEdited(const std::string& text) { maximum_ = text; }

    int radius() const { return radius_; }
    int strength() const { return strength_; }
    bool depress() const { return depress_; }
    bool minimumOn() const { return minimumOn_; }
    bool maximumOn() const { return maximumOn_; }
    const std::string& minimumText() const { return minimum_; }
    const std::string& maximumText() const { return maximum_; }
    // The limit typed in while its check box is checked.
    std::optional<float> minimumHeight() const;
    std::optional<float> maximumHeight() const;

private:
    int radius_ = kBrushStart, strength_ = kBrushStart;
    bool depress_ = false, minimumOn_ = false, maximumOn_ = false;
    std::string minimum_ = "0.0", maximum_ = "0.0";
};

}  // namespace sitebars
