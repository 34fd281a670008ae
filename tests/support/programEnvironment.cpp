#include "tests/support/programEnvironment.h"

#include <sys/stat.h>

#include <filesystem>

namespace testsupport {

namespace fs = std::filesystem;

std::string callingProgramFolder() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? fs::current_path().string() : self.parent_path().string();
}

std::string builtProgramPath() { return callingProgramFolder() + "/tolvaneBuilder"; }

ChildOptions programEnvironment(const std::string& home, const std::string& display) {
    std::error_code error;
    for (const char* folder : {"Documents", ".config", ".local/share", ".cache", "runtime"})
        fs::create_directories(home + "/" + folder, error);
    chmod((home + "/runtime").c_str(), 0700);
    ChildOptions options;
    options.environment = {
        {"DISPLAY", display},
        {"GDK_BACKEND", "x11"},
        {"NO_AT_BRIDGE", "1"},
        {"HOME", home},
        {"XDG_CONFIG_HOME", home + "/.config"},
        {"XDG_DATA_HOME", home + "/.local/share"},
        {"XDG_CACHE_HOME", home + "/.cache"},
        {"XDG_RUNTIME_DIR", home + "/runtime"},
    };
    // The documents folder falls back to $HOME/Documents; a session's own
    // settings would reach past the fresh home.
    options.unset = {"XDG_DOCUMENTS_DIR", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS"};
    return options;
}

}  // namespace testsupport
