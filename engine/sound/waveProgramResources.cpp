#include "engine/sound/waveProgramResources.h"

#include "engine/sound/waveRiff.h"

namespace wave {

namespace {

std::string& root() {
    static std::string folder;
    return folder;
}

}  // namespace

void setProgramResourceRoot(std::string folder) { root() = std::move(folder); }

bool readProgramResource(const std::string& name, std::vector<uint8_t>& bytes) {
    if (root().empty() || name.empty() || name == ".." || name.find_first_of("/\\") != std::string::npos)
        return false;
    for (const char* type : {"WAVE", "WAV"})
        if (readFile(root() + "/" + type + "/" + name, bytes)) return true;
    return false;
}

}  // namespace wave
