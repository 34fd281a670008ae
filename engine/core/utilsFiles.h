// utils file helpers: copies, existence and the program's own folder.
#pragma once

#include <string>

namespace utils {

// Copies source to target; with overwrite false an existing target is kept
// and the copy fails. A failure is logged as an "ERROR:" line with the
// system's reason and reported by a false result.
bool copyFile(std::string source, std::string target, bool overwrite);

// True only when path names a regular file (not a folder).
bool fileExists(std::string path);

// The folder of the running executable with a trailing '/'; "./" when the
// executable's path cannot be read.
std::string getProgramFolder();

}  // namespace utils
