#include "app/shell/tbProject.h"

#include "engine/core/simApplication.h"

tbProject::tbProject()
    : simCollectionItem(nullptr, "", false, false),
      simObject(/*update*/ true, /*events*/ true, /*render*/ false, /*physics*/ false) {
    s_current = this;
    simRequestRedraw();
}

tbProject::~tbProject() {
    if (s_current == this) s_current = nullptr;
    simRequestRedraw();
}

bool tbProject::validate(std::string& message) {
    message.clear();
    return true;
}
