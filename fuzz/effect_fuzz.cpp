// Feeds arbitrary text to the effect file parser and composes every pass's
// stage sources from what it accepts. An include named "self.fxh" includes
// itself, so nesting limits are reached too.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/d3dx/d3dxEffectFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto includes = [](const std::string& name, std::string* out) {
        if (name != "self.fxh") return false;
        *out = "float self;\n#include \"self.fxh\"\n";
        return true;
    };
    d3dx::EffectFile file;
    std::string error;
    if (!d3dx::ParseEffect(text, includes, &file, &error)) return 0;
    for (const d3dx::EffectTechnique& t : file.techniques)
        for (const d3dx::EffectPass& p : t.passes) {
            d3dx::EffectStageSource(file, p, true);
            d3dx::EffectStageSource(file, p, false);
        }
    return 0;
}
