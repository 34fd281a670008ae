// The program's message boxes: confirmations (Yes and No, warning icon),
// questions that can also be cancelled (Yes, No and Cancel, warning icon),
// refusals or failures (OK, error icon) and plain notices (OK, no icon), each
// with a title of its own.
//
// Every box of the program goes through `askUser`, so tests script the
// answers: while a `ScriptedAnswers` lives, boxes are not shown and each is
// recorded with its text, title and kind; a confirmation takes the next
// scripted answer (No once the script runs out), an error box and a notice
// answer OK.
#pragma once

#include <deque>
#include <string>
#include <vector>

class wxWindow;

namespace ui {

enum class MessageBoxKind {
    confirm,   // Yes and No, warning icon
    error,     // OK, error icon
    question,  // Yes, No and Cancel, warning icon
    notice,    // OK, no icon
};

enum class MessageAnswer { ok, yes, no, cancel };

struct MessageBoxRequest {
    std::string text;
    std::string title;
    MessageBoxKind kind = MessageBoxKind::error;
};

// Shows the box modally over `parent` (the active window when null) and gives
// the answer: yes or no for a confirmation, yes, no or cancel for a
// question (closing the box cancels), ok for an error box or a notice. The
// tool windows shown before the box float over the main window again after.
MessageAnswer askUser(const MessageBoxRequest& request, wxWindow* parent = nullptr);

// A confirmation that was answered Yes.
inline bool confirmed(const std::string& text, const std::string& title, wxWindow* parent = nullptr) {
    return askUser({text, title, MessageBoxKind::confirm}, parent) == MessageAnswer::yes;
}
inline void showError(const std::string& text, const std::string& title, wxWindow* parent = nullptr) {
    askUser({text, title, MessageBoxKind::error}, parent);
}

// Replaces the boxes with scripted answers for one scope (a test).
class ScriptedAnswers {
public:
    explicit ScriptedAnswers(std::deque<MessageAnswer> answers = {});
    ~ScriptedAnswers();
    ScriptedAnswers(const ScriptedAnswers&) = delete;
    ScriptedAnswers& operator=(const ScriptedAnswers&) = delete;

    void push(MessageAnswer answer) { answers_.push_back(answer); }
    // The boxes asked so far, oldest first.
    const std::vector<MessageBoxRequest>& asked() const { return asked_; }

    MessageAnswer answer(const MessageBoxRequest& request);

private:
    std::deque<MessageAnswer> answers_;
    std::vector<MessageBoxRequest> asked_;
    ScriptedAnswers* previous_;
};

}  // namespace ui
