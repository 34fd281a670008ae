#include "app/scheme/bars/DlgTextBarModel.h"

#include "app/scheme/tbGeometry.h"
#include "app/shell/tbToolState.h"

namespace bars {

TextBarModel::TextBarModel(const tbToolState& tools, TextEditorModel& editor, tbToolSettingsBinding& binding,
                           tbBarTarget target, Operations operations)
    : m_tools(tools), m_editor(editor), m_binding(binding), m_target(std::move(target)), m_ops(std::move(operations)) {}

void TextBarModel::axisSelected(int index) {
    if (index < 0 || index >= static_cast<int>(kAxisNames.size())) return;
    m_axis = static_cast<uint32_t>(index);
    m_binding.changed();
}

void TextBarModel::fillTypeClicked(bool gradientButton, bool nowPressed) {
    m_fillType.clicked(gradientButton, nowPressed);
    m_binding.changed();
}

void TextBarModel::directionSelected(int index) {
    if (index < 0 || index >= static_cast<int>(kDirectionNames.size())) return;
    m_direction = static_cast<uint32_t>(index);
    m_binding.changed();
}

void TextBarModel::sidedToggled() {
    m_sided ^= 1;
    m_binding.changed();
}

void TextBarModel::editorClicked() {
    if (m_ops.toggleEditor) m_ops.toggleEditor();
}

void TextBarModel::projectText() {
    tbGeometry* model = m_target.current();
    if (!model) return;
    if (m_ops.projectText) m_ops.projectText(*model, m_tools.viewMode() == 1);
    if (m_target.pushUndo) m_target.pushUndo(*model);
}

void TextBarModel::resetValues() {
    m_axis = 0;
    m_direction = 1;
    m_fillType.pressSecond(false);
}

void TextBarModel::resetTextSettings() {
    resetValues();
    m_editor.resetTextAndFace();
    m_binding.changed();
    showAgain();
}

void TextBarModel::reset() {
    resetValues();
    m_sided = 0;
    m_editor.reset();
    tbGeometry* model = m_target.current();
    if (model && m_ops.resetTool) m_ops.resetTool(*model);
    m_binding.changed();
    showAgain();
}

void TextBarModel::store(tbToolSettings& settings) const {
    settings.textGradientDirection = m_direction;
    settings.textSided = m_sided;
    settings.textColourMode = gradient() ? 1 : 0;
    settings.textListSelection = m_axis;
    m_editor.store(settings);
}

void TextBarModel::show(const tbToolSettings& fileSettings) {
    // Applying the editor's values may reach the open model's settings,
    // which are usually the very values being shown.
    const tbToolSettings settings = fileSettings;
    resetValues();
    // The direction shows in its own list and the axis in the axis list;
    // a value a list does not offer keeps the default.
    if (settings.textGradientDirection < kDirectionNames.size()) m_direction = settings.textGradientDirection;
    if (settings.textListSelection < kAxisNames.size()) m_axis = settings.textListSelection;
    m_sided = settings.textSided != 0 ? 1 : 0;
    m_fillType.pressSecond(settings.textColourMode != 0);
    m_editor.show(settings);
    showAgain();
}

}  // namespace bars
