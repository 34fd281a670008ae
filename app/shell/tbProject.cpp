#include "app/shell/tbProject.h"

tbProject::tbProject()
    : simCollectionItem(nullptr, "", false, false),
      simObject(/*update*/ true, /*events*/ true, /*render*/ false, /*physics*/ false) {
    s_current = this;
}

tbProject::~tbProject() {
    if (s_current == this) s_current = nullptr;
}

bool tbProject::validate(std::string& message) {
    message.clear();
    return true;
}
