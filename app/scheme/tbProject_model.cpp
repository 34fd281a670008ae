#include "app/scheme/tbProject_model.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#include "app/shell/tbErrorBox.h"
#include "app/shell/tbFileBytes.h"
#include "app/scheme/tbProjectFile.h"
#include "app/shell/tbSceneCameras.h"
#include "app/shell/tbAtomicSave.h"
#include "app/shell/tbCamera.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "engine/core/utilsStrings.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simLight.h"
#include "engine/graphics/simScene.h"

namespace {

constexpr const char* kCollection = "currentProject";
constexpr const char* kAircraftFolder = "objects/aircraft";

// The resource folder to look for a model's ".geo" in. The picker names a
// model by its folder below the aircraft folder; a file inside it (a path
// ending in "<model>.tvm" or ".geo") names the same folder, and a path from the
// resource root is taken as it is. A bare name gives the whole aircraft
// folder. A path that climbs out (a ".." part) finds nothing.
std::optional<std::string> modelFolder(const std::string& model) {
    std::filesystem::path path(model);
    if (!path.has_parent_path()) return kAircraftFolder;
    for (const auto& part : path)
        if (part == "..") return std::nullopt;
    if (path.extension() == ".tvm" || path.extension() == ".geo") path = path.parent_path();
    const std::string folder = path.generic_string();
    return folder.rfind(std::string(kAircraftFolder) + "/", 0) == 0 ? folder
                                                                    : std::string(kAircraftFolder) + "/" + folder;
}
constexpr const char* kOpenTitle = "Error opening project";
constexpr const char* kUnreadable = "The project file appears to be invalid, or has been deleted.";
// A project file holds a picture of at most 8192 x 8192 pixels and the model;
// anything larger is not one of ours.
constexpr uint64_t kMaxProjectBytes = 2ull << 30;

void setCollection(const char* name) {
    if (g_resources) g_resources->setCollection(name);
}

size_t cameraCount() { return std::min<size_t>(tbGetSceneCameras().count(), 2); }

// Reads and checks the whole file; on refusal tells the user why.
bool readCheckedFile(const std::string& path, size_t cameras, tbProjectFileData& data) {
    std::vector<uint8_t> bytes;
    std::string reason = "it cannot be read";
    if (!tbReadWholeFile(path, bytes, kMaxProjectBytes) ||
        !readProjectFile(bytes.data(), bytes.size(), cameras, data, reason)) {
        simLog(path + ": " + reason + "\n");
        tbErrorBox(kOpenTitle, kUnreadable);
        return false;
    }
    return true;
}

}  // namespace

tbProject_model::tbProject_model() {
    simLog("[tbProject_model- ");
    m_exportName = "New scheme";
    m_fileName = "New Project.tvp";
    simLog("tbProject_model]\n");
}

tbProject_model::~tbProject_model() {
    simLog("[~tbProject_model");
    simLog("deleting shapes...\n");
    m_shapes.clear();
    // The model first: its paint texture is its own, the rest of what it
    // uses belongs to the collection.
    m_model.reset();
    simLog("deleting resources...\n");
    if (g_resources) g_resources->destroyCollection(kCollection);
    simLog("~tbProject_model]");
}

void tbProject_model::render() {
    if (m_model) m_model->render();
}

bool tbProject_model::onNew(std::string model) {
    simLog("[tbProject_model::onNew-" + model + "...");
    setCollection(kCollection);
    m_modelName = utils::stripExtension(utils::getFileName(model));
    m_fileVersion = kCurrentVersion;
    const std::optional<std::string> folder = modelFolder(model);
    const std::string path = g_resources && folder
                                 ? g_resources->findFile(*folder, m_modelName + ".geo", simRootKind_resources)
                                 : "NULL";
    if (path == "NULL") {
        setCollection("");
        return false;
    }
    auto geometry = std::make_unique<tbGeometry>(this);
    geometry->setProgressSink(m_progressSink);
    if (!geometry->import(path)) {
        setCollection("");
        return false;
    }
    m_model = std::move(geometry);
    // A new scheme shows the model from above and to the side: 30 and -45
    // degrees in the perspective view (the scene's second camera).
    simScene* scene = tbCurrentScene();
    if (auto* perspective = scene ? dynamic_cast<tbCamera*>(scene->getCamera(1)) : nullptr)
        perspective->setRotation({0.5235833f, -0.785375f, 0.0f});
    refresh();
    setCollection("");
    simLog("-tbProject_model::onNew]\n");
    return true;
}

bool tbProject_model::open(std::string path) {
    simLog("[tbProject_model::open-" + path + "...");
    tbProjectFileData data;
    const size_t cameras = cameraCount();
    if (!readCheckedFile(path, cameras, data)) return false;

    setCollection(kCollection);
    auto geometry = std::make_unique<tbGeometry>(this);
    geometry->setProgressSink(m_progressSink);
    if (!geometry->open(data.geometry, data.version)) {
        setCollection("");
        return false;
    }
    // Only a project that opened takes the file's names and contents.
    m_fileName = utils::getFileName(path);
    m_fileVersion = data.version;
    m_modelName = data.modelName;
    m_exportName = data.schemeName;
    m_model = std::move(geometry);
    m_shapes.clear();
    for (tbStoredShape& shape : data.shapes) m_shapes.push_back(std::make_unique<tbStoredShape>(std::move(shape)));
    for (size_t i = 0; i < cameras; ++i) tbGetSceneCameras().load(i, m_model->toolSettings.cameras[i]);
    refresh();
    setCollection("");
    simLog("-tbProject_model::open]\n");
    return true;
}

bool tbProject_model::checkFile(const std::string& path) {
    tbProjectFileData data;
    return readCheckedFile(path, cameraCount(), data);
}

bool tbProject_model::save(std::string path) {
    simLog("[tbProject_model::save-" + path + "...");
    // A project whose model was never made has nothing a file could reopen.
    if (!m_model) return false;
    tbProjectFileData data;
    data.version = kCurrentVersion;
    data.modelName = m_modelName;
    data.schemeName = m_exportName;
    if (!m_model->save(data.geometry)) {
        tbErrorBox("Error saving project", "The paint texture could not be read back; the project was not saved.");
        return false;
    }
    data.geometry.settings.cameras.clear();
    for (size_t i = 0; i < cameraCount(); ++i) data.geometry.settings.cameras.push_back(tbGetSceneCameras().save(i));
    for (const auto& shape : m_shapes) data.shapes.push_back(*shape);

    const std::vector<uint8_t> bytes = writeProjectFile(data);
    // A failed save leaves the target as it was, so whether a file was there
    // before is what the message may claim.
    std::error_code existsError;
    const bool replacing = std::filesystem::exists(path, existsError);
    std::string error;
    if (!tbSaveFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                              &error)) {
        tbErrorBox("Error saving project", "The project could not be saved to " + path + ":\n" + error +
                                               (replacing ? "\nThe file that was there is unchanged." : ""));
        return false;
    }
    m_fileName = utils::getFileName(path);
    simLog("-tbProject_model::save]\n");
    return true;
}

void tbProject_model::updateLighting() {
    if (m_model) m_model->updateTriangleScreenPositions();
    // The model is lit from the viewer: the scene's first light sits at the
    // active camera and shines along its view.
    simScene* scene = tbCurrentScene();
    simLight* light = scene ? scene->getLights().getLight(0) : nullptr;
    const simCamera* camera = scene ? scene->getActiveCamera() : nullptr;
    if (!light || !camera) return;
    light->setPosition(camera->getPosition());
    light->setDirection(-camera->getForward());
}

std::string tbProject_model::windowTitle(const std::string& applicationTitle) const {
    return applicationTitle + " - " + m_fileName + " (" + m_modelName + "/" + m_exportName + ")";
}

tbProject_model* tbCurrentScheme() { return dynamic_cast<tbProject_model*>(tbProject::current()); }

tbGeometry* tbCurrentModel() {
    tbProject_model* scheme = tbCurrentScheme();
    return scheme ? scheme->getModel() : nullptr;
}
