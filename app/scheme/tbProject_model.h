// tbProject_model: a model scheme, the project of painting one simulator
// model's texture.
//
// It owns the imported model (tbGeometry) and the stored shapes, knows the
// simulator model's name and the scheme's name (the base's export name), and
// reads and writes the project file (.tvp, tbProjectFile.h):
//   onNew  imports "<model>.geo" from the model's own folder as the model
//          picker names it ("fixedWing/trainers/sparrow", below
//          "objects/aircraft"), so a same-named model of another group is
//          never taken; a bare model name is looked for anywhere under
//          "objects/aircraft";
//   open   reads and checks the whole file before it builds anything, so a
//          bad file ("Error opening project") leaves the project as it was;
//   save   writes a temporary file beside the target and renames it over
//          the old one only when every byte is written ("Error saving
//          project" otherwise, and the old file stays).
// Everything loaded for the project joins the resource collection
// "currentProject", which goes with the project.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbStoredShape.h"
#include "app/shell/tbProject.h"

class tbProject_model : public tbProject {
public:
    static constexpr int32_t kCurrentVersion = 1;

    // File name "New Project.tvp", scheme "New scheme", version 0, no model.
    tbProject_model();
    ~tbProject_model() override;

    void render() override;
    bool onNew(std::string model) override;
    bool open(std::string path) override;
    bool save(std::string path) override;
    // Reads and checks the whole file as `open` does, building nothing; a
    // refused file is reported ("Error opening project") and false returned.
    static bool checkFile(const std::string& path);
    // After a zoom or a change of view: re-projects the model's triangles
    // and turns the scene's first light to shine along the active camera's
    // view, so the model is always lit from the viewer.
    void refresh() override { updateLighting(); }
    void updateLighting();

    // The progress of an import or open, in percent, goes to `sink` (the
    // shell's progress box); every model the project makes reports to it.
    void setProgressSink(std::function<void(float)> sink) { m_progressSink = std::move(sink); }

    // The paint texture out to and in from an external image editor
    // (tbTextureExchange.cpp); false without a model.
    bool exportTexture(const std::string& path, bool withUVLayout);
    bool importTexture(const std::string& path);
    // Where the simulator looks for this scheme: the settings folder (ending
    // in '/') + "Schemes/<model>#<scheme>.bmp".
    std::string schemeBitmapPath(const std::string& settingsFolder) const;

    // "<application title> - <file name> (<model>/<scheme>)", for the main
    // window; `applicationTitle` is "TolvaneBuilder <version>".
    std::string windowTitle(const std::string& applicationTitle) const;

    tbGeometry* getModel() const { return m_model.get(); }
    const std::string& getModelName() const { return m_modelName; }
    const std::string& getSchemeName() const { return m_exportName; }
    int32_t getFileVersion() const { return m_fileVersion; }
    const std::vector<std::unique_ptr<tbStoredShape>>& getShapes() const { return m_shapes; }
    std::vector<std::unique_ptr<tbStoredShape>>& shapes() { return m_shapes; }

private:
    int32_t m_fileVersion = 0;
    std::vector<std::unique_ptr<tbStoredShape>> m_shapes;
    std::string m_modelName;
    std::unique_ptr<tbGeometry> m_model;
    std::function<void(float)> m_progressSink;
};

// The current project when it is a model scheme, or null.
tbProject_model* tbCurrentScheme();
// The current model scheme's model, or null when none is open.
tbGeometry* tbCurrentModel();
