// Whole files in and out for the editors' project files.
//
// Readers here parse from memory with a checked cursor, so a file is read
// whole first, up to a cap that refuses absurd sizes before allocating.
// Saving goes through the shell's atomic save: a temporary file beside the
// target, every write checked, then a rename over the old file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Reads the whole file into `bytes`; false when it cannot be opened or read,
// or is larger than `maxBytes`.
bool tbReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, uint64_t maxBytes);
