// What the text editor decides, without a window: the text the text tool writes, its font face
// from the display's faces, and the Bold and Italic switches. Every change
// of the text goes to the open model's text tool at once; a change of face
// or switch applies the whole font.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/scheme/bars/tbBarTarget.h"
#include "app/scheme/bars/tbToolSettingsBinding.h"

namespace bars {

// The text bar stores and shows these values with its own (TextBarModel).
class TextEditorModel {
public:
    static constexpr const char* kDefaultText = "TEXT";
    static constexpr const char* kDefaultFace = "Arial";

    struct Operations {
        std::function<void(tbGeometry&, const std::string& text)> setText;
        std::function<void(tbGeometry&, const std::string& face, bool bold, bool italic)> setFont;
    };

    TextEditorModel(tbToolSettingsBinding& binding, tbBarTarget target, Operations operations);

    // The faces the list offers, sorted; "Arial" and the face in use are
    // always among them, since a face the display lacks is substituted when
    // the text is drawn.
    void setFaces(std::vector<std::string> faces);
    const std::vector<std::string>& faces() const { return m_faces; }

    const std::string& text() const { return m_text; }
    const std::string& face() const { return m_face; }
    bool bold() const { return m_bold; }
    bool italic() const { return m_italic; }

    // Called after every change the editor did not make itself.
    void setChangedListener(std::function<void()> listener) { m_changed = std::move(listener); }

    // ---- The controls.
    // The text as typed, held to the bytes the project file keeps of it (cut
    // at a character boundary; the view is told to show the cut text).
    void textEdited(const std::string& text);
    void faceSelected(const std::string& face);
    void boldToggled(bool on);
    void italicToggled(bool on);

    // "TEXT" in "Arial" applied, the Bold and Italic switches kept (a new or
    // opened model).
    void resetTextAndFace();
    // The same with Bold and Italic off (the toolbox's reset).
    void reset();

    // ---- The project file's values.
    void store(tbToolSettings& settings) const;
    void show(const tbToolSettings& settings);

private:
    void offer(const std::string& face);
    void applyText();
    void applyFont();
    void showAgain() {
        if (m_changed) m_changed();
    }

    tbToolSettingsBinding& m_binding;
    tbBarTarget m_target;
    Operations m_ops;
    std::vector<std::string> m_faces{kDefaultFace};
    std::string m_text = kDefaultText;
    std::string m_face = kDefaultFace;
    bool m_bold = false;
    bool m_italic = false;
    std::function<void()> m_changed;
};

}  // namespace bars
