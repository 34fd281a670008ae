// tbSiteEditorSettings: what the flying-site objects read of the editors
// around them while the user edits points or a surface in the 3-D view.
//
// The objects never see a window: the program's collision-object editors
// answer these questions from their controls, tests answer them from a fake.
// With nothing installed every edit toggle reads unchecked, so no object
// edits. Answers are read when an event or a frame needs them, never kept.
#pragma once

#include <optional>

class tbSiteEditorSettings {
public:
    virtual ~tbSiteEditorSettings() = default;

    // The edit toggles: the area editor's "Edit/add points", the skyline
    // editor's "Add/edit points", the height-map editor's "Edit surface".
    virtual bool areaEditPoints() const = 0;
    virtual bool skylineEditPoints() const = 0;
    virtual bool heightMapEditSurface() const = 0;

    // The height-map brush: the "Brush radius" and "Brush strength" track
    // bars' positions (1..200), the "depress" toggle, and each height limit
    // as the number in its edit box while its check box ("Minimum height",
    // "Maximum height") is checked, none otherwise.
    virtual int brushRadius() const = 0;
    virtual int brushStrength() const = 0;
    virtual bool depress() const = 0;
    virtual std::optional<float> minimumHeight() const = 0;
    virtual std::optional<float> maximumHeight() const = 0;

    // Whether the 3-D view has the keyboard. Key events of every window reach
    // the engine; Delete and Backspace typed into a bar's or an editor's text
    // box must not delete points.
    virtual bool viewHasKeyboard() const = 0;

    // The settings the objects read, or null; the caller keeps ownership and
    // installs null before the settings go.
    static tbSiteEditorSettings* installed() { return s_installed; }
    static void install(tbSiteEditorSettings* settings) { s_installed = settings; }

private:
    static inline tbSiteEditorSettings* s_installed = nullptr;
};
