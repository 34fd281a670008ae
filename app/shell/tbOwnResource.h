// Engine resources that belong to one editor object alone (the paint
// texture, the water mask, the text tool's surfaces, the site's pictures).
// A resource made while a collection is current joins it, and destroying the
// project's collection would then delete it under its owner; these are made
// with no collection current, which is put back after.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"

// Makes T(nullptr, args...) outside every collection.
template <typename T, typename... Args>
std::unique_ptr<T> tbMakeOwnResource(Args&&... args) {
    std::string collection;
    if (g_resources) {
        collection = g_resources->getCollectionName();
        g_resources->setCollection("");
    }
    auto out = std::make_unique<T>(nullptr, std::forward<Args>(args)...);
    if (g_resources) g_resources->setCollection(collection);
    return out;
}
