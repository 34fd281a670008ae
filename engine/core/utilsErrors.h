// utils::seriousError: the report of an error the user must see.
//
// The text goes to the log behind "SERIOUS ERROR: " and to a task-modal error
// box titled "Tolvane has encountered an error"; then the call returns and the
// program goes on. The box is shown through a sink so that the engine needs
// no window toolkit: the program installs one that shows a message box, tests
// install one that records. Without a sink the report goes to stderr.
#pragma once

#include <functional>
#include <string>

namespace utils {

inline constexpr const char* kSeriousErrorTitle = "Tolvane has encountered an error";

// Shows (or records) one report; waits for the user when it shows a box.
using SeriousErrorSink = std::function<void(const std::string& text, const std::string& title)>;

// Installs the sink and returns the one it replaces; an empty sink restores
// the stderr default.
SeriousErrorSink setSeriousErrorSink(SeriousErrorSink sink);

// An empty text does nothing at all. Otherwise logs "SERIOUS ERROR: " + text
// + "\n" when the console exists, then hands the text to the sink.
void seriousError(std::string text);

}  // namespace utils
