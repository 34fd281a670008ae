#include "platform/sys/folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "platform/sys/files.h"

namespace sys {
namespace {

std::string envOrEmpty(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string stripTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// One line of user-dirs.dirs: XDG_DOCUMENTS_DIR="$HOME/Documents". Only a
// leading $HOME is expanded; that is all the file format allows.
std::string folderFromUserDirs(const std::string& home, const std::string& variable) {
    std::string config = envOrEmpty("XDG_CONFIG_HOME");
    if (config.empty()) config = home + "/.config";
    std::ifstream in(config + "/user-dirs.dirs");
    std::string line;
    const std::string key = variable + "=";
    while (std::getline(in, line)) {
        if (line.compare(0, key.size(), key) != 0) continue;
        std::string value = line.substr(key.size());
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (value.compare(0, 5, "$HOME") == 0) value = home + value.substr(5);
        return value;
    }
    return {};
}

}  // namespace

std::string homeFolder() {
    std::string home = envOrEmpty("HOME");
    if (home.empty()) {
        if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) home = pw->pw_dir;
    }
    return home.empty() ? std::string(".") : stripTrailingSlashes(home);
}

namespace {

// An XDG user folder: the environment, then user-dirs.dirs, then $HOME/<name>;
// $HOME when the folder does not exist.
std::string userFolder(const std::string& variable, const std::string& defaultName) {
    const std::string home = homeFolder();
    std::string folder = envOrEmpty(variable.c_str());
    if (folder.empty()) folder = folderFromUserDirs(home, variable);
    if (folder.empty()) folder = home + "/" + defaultName;
    folder = stripTrailingSlashes(folder);
    return isDirectory(folder) ? folder : home;
}

}  // namespace

std::string documentsFolder() { return userFolder("XDG_DOCUMENTS_DIR", "Documents"); }
std::string desktopFolder() { return userFolder("XDG_DESKTOP_DIR", "Desktop"); }
std::string picturesFolder() { return userFolder("XDG_PICTURES_DIR", "Pictures"); }

std::string localAppDataFolder() {
    std::string data = envOrEmpty("XDG_DATA_HOME");
    if (data.empty()) data = homeFolder() + "/.local/share";
    return stripTrailingSlashes(data);
}

}  // namespace sys
