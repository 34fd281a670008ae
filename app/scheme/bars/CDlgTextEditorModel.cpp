#include "app/scheme/bars/CDlgTextEditorModel.h"

#include <algorithm>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbTextFields.h"

namespace bars {

TextEditorModel::TextEditorModel(tbToolSettingsBinding& binding, tbBarTarget target, Operations operations)
    : m_binding(binding), m_target(std::move(target)), m_ops(std::move(operations)) {}

void TextEditorModel::setFaces(std::vector<std::string> faces) {
    std::sort(faces.begin(), faces.end());
    faces.erase(std::unique(faces.begin(), faces.end()), faces.end());
    m_faces = std::move(faces);
    offer(kDefaultFace);
    offer(m_face);
}

void TextEditorModel::offer(const std::string& face) {
    const auto at = std::lower_bound(m_faces.begin(), m_faces.end(), face);
    if (at == m_faces.end() || *at != face) m_faces.insert(at, face);
}

void TextEditorModel::applyText() {
    tbGeometry* model = m_target.current();
    if (model && m_ops.setText) m_ops.setText(*model, m_text);
}

void TextEditorModel::applyFont() {
    tbGeometry* model = m_target.current();
    if (model && m_ops.setFont) m_ops.setFont(*model, m_face, m_bold, m_italic);
}

void TextEditorModel::textEdited(const std::string& text) {
    // The edit counts characters, the file's field bytes: a text of many
    // two- or three-byte characters is held to what the field keeps.
    m_text = tbFitText(text, kProjectTextBytes);
    if (m_text != text && m_changed) m_changed();
    applyText();
    m_binding.changed();
}

void TextEditorModel::faceSelected(const std::string& face) {
    if (face.empty()) return;
    m_face = face;
    applyFont();
    m_binding.changed();
}

void TextEditorModel::boldToggled(bool on) {
    m_bold = on;
    applyFont();
    m_binding.changed();
}

void TextEditorModel::italicToggled(bool on) {
    m_italic = on;
    applyFont();
    m_binding.changed();
}

void TextEditorModel::resetTextAndFace() {
    m_text = kDefaultText;
    m_face = kDefaultFace;
    applyFont();
    applyText();
    showAgain();
}

void TextEditorModel::reset() {
    m_bold = m_italic = false;
    resetTextAndFace();
}

void TextEditorModel::store(tbToolSettings& settings) const {
    settings.text = m_text;
    settings.fontName = m_face;
    settings.bold = m_bold ? 1 : 0;
    settings.italic = m_italic ? 1 : 0;
}

void TextEditorModel::show(const tbToolSettings& settings) {
    m_text = settings.text;
    // A file without a face keeps the default one the list always offers.
    m_face = settings.fontName.empty() ? kDefaultFace : settings.fontName;
    offer(m_face);
    m_bold = settings.bold != 0;
    m_italic = settings.italic != 0;
    applyFont();
    applyText();
    showAgain();
}

}  // namespace bars
