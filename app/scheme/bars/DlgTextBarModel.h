// What the text bar decides, without a window: the axis the text is projected along (+X, -X,
// +Y, -Y, +Z, -Z), solid or gradient colour with the gradient's direction
// (horizontal or vertical), one- or double-sided projection, the text
// editor's button and "Project text".
//
// The values are program-wide; the text tool reads them from the open
// model's tool settings, which this presenter keeps written
// (tbToolSettingsBinding). It stores and shows the text editor's values
// with its own, so the bar's reset always comes before the editor's values.
#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "app/scheme/bars/CDlgTextEditorModel.h"
#include "app/scheme/bars/tbBarTarget.h"
#include "app/scheme/bars/tbButtonPair.h"
#include "app/scheme/bars/tbProjectionAxes.h"

class tbToolState;

namespace bars {

class TextBarModel : public tbToolSettingsParticipant {
public:
    static constexpr const auto& kAxisNames = kProjectionAxisNames;
    static constexpr std::array<const char*, 2> kDirectionNames = {"Horizontal", "Vertical"};

    struct Operations {
        // Projects the text onto the model, or writes it in the texture
        // view when `textureView`.
        std::function<void(tbGeometry&, bool textureView)> projectText;
        // The model's text tool back to its own defaults.
        std::function<void(tbGeometry&)> resetTool;
        // Shows the text editor when hidden, else hides it.
        std::function<void()> toggleEditor;
    };

    TextBarModel(const tbToolState& tools, TextEditorModel& editor, tbToolSettingsBinding& binding, tbBarTarget target,
                 Operations operations);

    uint32_t axis() const { return m_axis; }
    uint32_t direction() const { return m_direction; }  // 0 horizontal, 1 vertical
    bool doubleSided() const { return m_sided != 0; }
    bool gradient() const { return m_fillType.secondPressed(); }
    TextEditorModel& editor() { return m_editor; }

    // Called after every change the bar did not make itself.
    void setChangedListener(std::function<void()> listener) { m_changed = std::move(listener); }

    // ---- The controls.
    void axisSelected(int index);
    // The solid or the gradient button, `nowPressed` after the click.
    void fillTypeClicked(bool gradientButton, bool nowPressed);
    void directionSelected(int index);
    void sidedToggled();
    void editorClicked();
    void projectText();

    // A model made or opened: the +X axis, vertical solid colour, and the
    // editor's "TEXT" in "Arial" applied to the model's text tool.
    void resetTextSettings();
    // The toolbox's reset of the text tool: the same, one sided, Bold and
    // Italic off, and the text tool's own reset.
    void reset();

    // ---- tbToolSettingsParticipant: the editor's values with the bar's.
    void store(tbToolSettings& settings) const override;
    void show(const tbToolSettings& settings) override;
    // A new model's text tool takes the editor's defaults.
    void madeNew() override { resetTextSettings(); }

private:
    void resetValues();
    void showAgain() {
        if (m_changed) m_changed();
    }

    const tbToolState& m_tools;
    TextEditorModel& m_editor;
    tbToolSettingsBinding& m_binding;
    tbBarTarget m_target;
    Operations m_ops;
    uint32_t m_axis = 0;
    uint32_t m_direction = 1;
    uint32_t m_sided = 0;
    ButtonPair m_fillType;  // second: gradient
    std::function<void()> m_changed;
};

}  // namespace bars
