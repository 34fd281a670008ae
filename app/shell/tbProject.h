// tbProject: what the shell knows of an open project.
//
// The model scheme and the flying site derive from it. The shell holds one
// current project at a time and reaches it only through this class: it
// renders it, starts, opens, saves, validates and refreshes it. A project is
// at once an engine collection item, a manipulator container (manipulators
// made while it exists join it) and an engine object that receives the
// per-frame update and input events.
//
// Making a project makes it the current one; deleting the current project
// leaves none. The view is drawn only when something changed (see
// simApplication.h): making or deleting a project asks for a redraw; a
// project asks again (simRequestRedraw) whenever it changes what it draws
// other than through input, menu commands or its cameras, and overrides
// isAnimating while it changes by itself. Projects are deleted directly by their owner (the commands
// that replace them and the application at exit), never through deferred
// deletion.
#pragma once

#include <string>

#include "engine/core/simCollectionItem.h"
#include "engine/core/simObject.h"
#include "engine/graphics/manipulatorContainer.h"

class tbProject : public simCollectionItem, public manipulatorContainer, public simObject {
public:
    // Both names empty; becomes the current project, replacing whatever was.
    tbProject();
    // Clears the current project when it is this one.
    ~tbProject() override;

    // The open project, or null.
    static tbProject* current() { return s_current; }

    // Draws the project's own content inside the frame's scene.
    virtual void render() = 0;
    // Starts a new project: the model name for a model scheme, empty for a
    // flying site. True on success.
    virtual bool onNew(std::string name) = 0;
    // Reads / writes the project file. True on success.
    virtual bool open(std::string path) = 0;
    virtual bool save(std::string path) = 0;
    // Whether an export may go on; on refusal `message` says why. The base
    // allows it with an empty message.
    virtual bool validate(std::string& message);
    // After a camera zoom or an orientation change.
    virtual void refresh() {}

    std::string getClassName() override { return "tbProject"; }
    int countLitItems() override { return 0; }

    std::string getFileName() const { return m_fileName; }
    std::string getExportName() const { return m_exportName; }
    void setExportName(std::string name) { m_exportName = std::move(name); }

protected:
    // The file name part of the project's path ("New Project.tvp" for a new
    // model scheme).
    std::string m_fileName;
    // The scheme name of a model scheme, the export folder's name of a site.
    std::string m_exportName;

private:
    static inline tbProject* s_current = nullptr;
};
