#include "app/shell/tbAppFolders.h"

#include <filesystem>
#include <system_error>

bool tbCreateAppDataFolders(const std::string& simulatorFolder, std::string* error) {
    bool allMade = true;
    for (const char* name : kAppDataFolders) {
        const std::filesystem::path folder = std::filesystem::path(simulatorFolder) / name;
        std::error_code code;
        std::filesystem::create_directories(folder, code);
        if (code || !std::filesystem::is_directory(folder)) {
            if (error && allMade) *error = "cannot make " + folder.string() + ": " + code.message();
            allMade = false;
        }
    }
    return allMade;
}
