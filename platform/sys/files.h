// Files on disk: existence, copies and the running program's own path.
//
// Paths are UTF-8 byte strings with '/' separators. Failures come back as a
// false result with the system's reason in `error`, never silently.
#pragma once

#include <string>

namespace sys {

// True only for a regular file (a folder of that name does not count).
bool isRegularFile(const std::string& path);
bool isDirectory(const std::string& path);

// Copies source to target. With overwrite false an existing target is left
// alone and the copy fails. On failure a half-written target is removed.
bool copyFile(const std::string& source, const std::string& target, bool overwrite,
              std::string* error = nullptr);

// The full path of the running executable (from /proc/self/exe); empty when
// it cannot be read.
std::string executablePath();

}  // namespace sys
