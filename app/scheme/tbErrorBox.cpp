#include "app/scheme/tbErrorBox.h"

#include <cstdio>
#include <utility>

#include "engine/core/simApplicationLog.h"

namespace {
tbErrorBoxSink& sink() {
    static tbErrorBoxSink installed;
    return installed;
}
}  // namespace

tbErrorBoxSink tbSetErrorBoxSink(tbErrorBoxSink next) { return std::exchange(sink(), std::move(next)); }

void tbErrorBox(const std::string& title, const std::string& text) {
    simLog(title + ": " + text + "\n");
    if (sink()) {
        sink()(title, text);
    } else {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    }
}
