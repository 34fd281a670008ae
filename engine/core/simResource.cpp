#include "engine/core/simResource.h"

#include "engine/core/simApplication.h"
#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/core/utilsStrings.h"

namespace {

void log(const std::string& text) {
    if (g_console) g_console->printString(text);
}

}  // namespace

simResource::simResource(simCollectionItem* collection, std::string path, std::string optionWords)
    : simCollectionItem(collection, utils::getFileName(path), false, true) {
    log("Loading: " + getName() + "...");
    m_folder = utils::getDirectory(path);
    m_path = std::move(path);
    m_optionWords = std::move(optionWords);
    if (g_resources) g_resources->indexResource(this);
    if (g_application) g_application->showLoadingProgress(0, false);
    log("\n");
}

simResource::~simResource() {
    log("Destroying: " + getName() + "...");
    if (g_resources) g_resources->unindexResource(this);
    log("\n");
}

std::string simResource::getTypeName() {
    return "simResource";
}
