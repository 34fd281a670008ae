// The program's own wave resources.
//
// A wave reader given a name that opens no file looks for a sound built into
// the program, of the resource type "WAVE" and then "WAV". This program has
// no resources built into its executable: its built-in sounds are files
// named exactly as the resource, in the folders "WAVE" and "WAV" of its
// resource root (the program's folder + "/resources"). The sound system
// tells the readers that root when it starts, so the readers themselves
// need nothing of the engine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace wave {

// The folder that holds "WAVE" and "WAV"; "" (the start) finds no resource.
void setProgramResourceRoot(std::string folder);

// Reads the resource `name` ("WAVE" first, then "WAV") into `bytes`; false
// when neither exists, without a root, or for a name with a folder part or
// "..", which names no resource.
bool readProgramResource(const std::string& name, std::vector<uint8_t>& bytes);

}  // namespace wave
