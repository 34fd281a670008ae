// simResource: a named resource, loaded from a file or made in code.
//
// Textures, fonts, effects, models, particle types and sound effects are
// resources. A resource is a collection item named after its file (the
// path's file part), so it lives while any collection holds it; the registry
// indexes it by that name, so that a second request for the same name shares
// it instead of loading the file again.
//
// A subclass does its own loading in its constructor, after this base has
// joined the collection and the index. A loader that fails sets the engine
// application's status to failure; the registry then marks the resource not
// valid, the index passes over it, and the registry lets it go.
#pragma once

#include <string>

#include "engine/core/simCollectionItem.h"

class simResource : public simCollectionItem {
public:
    // Joins `collection` (or the current collection), logs "Loading: <name>...",
    // indexes itself when the registry exists and advances the loading screen.
    simResource(simCollectionItem* collection, std::string path, std::string optionWords);
    // Logs "Destroying: <name>..." and leaves the index.
    ~simResource() override;

    std::string getTypeName() override;

    // The path as found (joined with '/', possibly holding "//").
    std::string getFilePath() const { return m_path; }
    // The path's folder part, '/' separators, with a trailing '/'.
    const std::string& getFolder() const { return m_folder; }
    // The request's option words, unchanged ("noMipmaps | cubemap", or an
    // effect's technique base name).
    const std::string& getOptionWords() const { return m_optionWords; }

    // False once the load failed: the index no longer finds the resource.
    bool isValid() const { return m_valid; }
    void setValid(bool valid) { m_valid = valid; }

private:
    std::string m_path;
    std::string m_folder;
    std::string m_optionWords;
    bool m_valid = true;
};
