// The folders the editor writes to, under the user's simulator folder (the
// settings folder): its settings, its projects, exported schemes and exported
// flying sites. They are made at start-up when missing, so a first run on a
// fresh account can save at once.
#pragma once

#include <array>
#include <string>

inline constexpr std::array<const char*, 4> kAppDataFolders = {"Settings", "Projects", "Schemes", "Flying sites"};

// Makes the simulator folder and each of the folders above inside it, where
// missing. False, with the system's reason in `error`, when one cannot be
// made (the others are still tried).
bool tbCreateAppDataFolders(const std::string& simulatorFolder, std::string* error = nullptr);
