#include "app/shell/tbErrorBox.h"

#include <cstdio>
#include <utility>

#include "engine/core/simApplicationLog.h"

namespace {
tbErrorBoxSink& sink() {
    static tbErrorBoxSink installed;
    return installed;
}

void show(const tbErrorBoxSink& to, const std::string& title, const std::string& text) {
    if (to) {
        to(title, text);
    } else {
        std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    }
}
}  // namespace

tbErrorBoxSink tbSetErrorBoxSink(tbErrorBoxSink next) { return std::exchange(sink(), std::move(next)); }

void tbErrorBox(const std::string& title, const std::string& text) {
    simLog(title + ": " + text + "\n");
    show(sink(), title, text);
}

tbHeldErrorBoxes::tbHeldErrorBoxes()
    : m_previous(tbSetErrorBoxSink([this](const std::string& title, const std::string& text) {
          m_held.emplace_back(title, text);
      })) {}

tbHeldErrorBoxes::~tbHeldErrorBoxes() {
    tbSetErrorBoxSink(std::move(m_previous));
    for (const auto& [title, text] : m_held) show(sink(), title, text);
}

