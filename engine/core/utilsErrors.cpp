#include "engine/core/utilsErrors.h"

#include <cstdio>

#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"

namespace utils {
namespace {

SeriousErrorSink& currentSink() {
    static SeriousErrorSink sink;
    return sink;
}

}  // namespace

SeriousErrorSink setSeriousErrorSink(SeriousErrorSink sink) {
    SeriousErrorSink previous = std::move(currentSink());
    currentSink() = std::move(sink);
    return previous;
}

void seriousError(std::string text) {
    if (text.empty()) return;
    if (g_console) g_console->printString("SERIOUS ERROR: " + text + "\n");
    if (const SeriousErrorSink& sink = currentSink())
        sink(text, kSeriousErrorTitle);
    else
        std::fprintf(stderr, "%s: %s\n", kSeriousErrorTitle, text.c_str());
}

}  // namespace utils
