#include "platform/ui/errorMessageBox.h"

#include "platform/ui/messageBox.h"

namespace ui {

void showErrorMessageBox(const std::string& text, const std::string& title) {
    // No parent: the box blocks the whole program, like a task-modal box.
    showError(text, title);
}

}  // namespace ui
