// simGuiEditBox: a one-line text field.
//
// A click (released on the hovered box) or Tab from another box starts
// editing: keys and characters change an edit buffer at a caret (a code-point
// index into UTF-8 text), Enter or a click elsewhere commits the buffer to
// the text and reports the change once, Esc drops it. Numbers only (integer
// or decimal, clamped to a range and reformatted), password masking, a
// units suffix, cut/copy/paste through the GUI clipboard and Tab/Shift+Tab
// to the next or previous box. While editing, the box is the manager's edit
// element, so Enter and Esc do not also reach the dialog's buttons, and it
// takes the keys and characters it acts on (the event is consumed), so the
// caret's Left and Right never also reach a list, table or tree.
//
// Reports go to "changeFunction" (a global function called with the box's
// name and text) for a user's commit only; a script's own set-text or
// set-data reports nothing.
#pragma once

#include <string>
#include <vector>

#include "engine/graphics/simDrawRecords.h"
#include "engine/gui/simGuiElement.h"

class simGuiEditBox : public simGuiElement {
public:
    enum State : int32_t { idle = 0, hovered = 1, editing = 4 };
    static constexpr double kSettleMs = 100.0;        // after editing starts
    static constexpr double kRepeatDelayMs = 900.0;   // a held key's first repeat
    static constexpr double kRepeatPeriodMs = 50.0;   // and every repeat after it

    simGuiEditBox(std::string name, int32_t x, int32_t y, int32_t width, int32_t height, std::string changeFunction);
    ~simGuiEditBox() override;

    std::string getTypeName() override { return "simGuiEditBox"; }
    void render() override;
    void setText(std::string text) override { m_text = std::move(text); }
    std::string getText() override { return m_text; }
    // A script's number: clamped and formatted into the text, not reported.
    void setData(float value) override;
    // "numericOnlyInteger", "numericOnlyFloat", "rangeLow", "rangeHigh",
    // "units", "password", "previousTabStopElement", "nextTabStopElement".
    void readAttributes(const std::string& key, const std::string& value) override;
    float getValue() override { return static_cast<float>(m_state); }
    void fireChange() override;
    void setVisible(bool visible) override;
    void onEvent(simInputEvent* event) override;

    // Starts editing with the whole text selected (Tab from another box).
    void beginEdit();
    void setNextTabStop(std::string name) { m_nextTabStop = std::move(name); }

    int32_t getState() const { return m_state; }
    const std::string& getEditBuffer() const { return m_editBuffer; }
    int32_t getCaret() const { return m_caret; }
    bool isAllSelected() const { return m_allSelected; }
    // The text as drawn: masked, with units, shortened with "..." to fit when not editing.
    std::string shownText();

private:
    // Commits the buffer; with `commaIsPoint` a numeric box reads "," as ".".
    void commit(bool commaIsPoint);
    void cancelEdit();
    void releaseKeyboard();
    // Clamps, stores and formats a number into the buffer or the text.
    void setNumber(double value);
    void insert(const std::string& text);
    void clearSelection();
    void onKeyReleased(const simInputEvent& event);
    void onKeyDown(const simInputEvent& event);
    // Inserts a printable character the box accepts; false for any other.
    bool onCharacter(uint32_t codePoint);
    bool inside(int32_t x, int32_t y);

    int32_t m_state = idle;
    std::string m_text;
    std::string m_editBuffer;
    std::string m_changeFunction;
    std::string m_nextTabStop;
    std::string m_previousTabStop;
    std::string m_units;
    bool m_numericOnly = false;
    bool m_integerOnly = true;
    bool m_allSelected = false;
    bool m_password = false;
    double m_rangeLow = 0.0, m_rangeHigh = 0.0;  // both 0: no clamping
    int32_t m_caret = 0;                          // code points into the buffer
    utils::Timer m_repeatTimer;
    utils::Timer m_editTimer;
    utils::Timer m_caretTimer;
};
