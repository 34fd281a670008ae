#include "engine/sound/waveProgramResources.h"

#include "engine/core/simApplication.h"
#include "engine/core/simGlobals.h"
#include "engine/sound/waveRiff.h"

namespace wave {

bool readProgramResource(const std::string& name, std::vector<uint8_t>& bytes) {
    if (!g_application || name.empty() || name == ".." || name.find_first_of("/\\") != std::string::npos)
        return false;
    const std::string root = g_application->getProgramFolder() + "/resources/";
    for (const char* type : {"WAVE", "WAV"})
        if (readFile(root + type + "/" + name, bytes)) return true;
    return false;
}

}  // namespace wave
