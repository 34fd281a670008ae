// Feeds arbitrary text to the particle-type file reader and checks what it
// promises of any input: jittered colours stay within 0..255, and a file
// that stopped early says why.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/graphics/simParticleTypeFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const simParticleTypeFile file = simParticleTypeFile::parse(text);
    for (const simParticleFrame& frame : file.frames) {
        for (float value : {frame.alpha, frame.red, frame.green, frame.blue}) {
            if (!(value >= 0.0f && value <= 255.0f)) std::abort();
        }
    }
    if (!file.problems.empty() && file.sawEndMarker) std::abort();
    return 0;
}
