// What the commands of the Edit and Tools menus ask of an open model scheme:
// undo, restore points and the exchange with an external image editor.
// The program's implementation works on the current tbProject_model's model
// and paint texture; tests record the calls.
#pragma once

#include <memory>
#include <string>

class tbSchemeEditing {
public:
    virtual ~tbSchemeEditing() = default;
    // A model scheme with a model and a paint texture is open.
    virtual bool isOpen() const = 0;
    virtual void undo() = 0;
    virtual void createRestorePoint() = 0;
    // Also forgets the undo steps, which lead away from the restored picture.
    virtual void revertToRestorePoint() = 0;
    // The paint texture written to `path` in the format its extension names,
    // with the UV layout image beside it when asked. False on failure.
    virtual bool exportTexture(const std::string& path, bool withUvLayout) = 0;
    // An image file over the paint texture, scaled to it. False on failure.
    virtual bool importTexture(const std::string& path) = 0;
};

// The program's: the current project when it is a model scheme.
std::unique_ptr<tbSchemeEditing> tbMakeCurrentSchemeEditing();
