#include "app/shell/tbApplication.h"

#include "app/shell/tbSceneCameras.h"
#include "app/shell/CDlgOptionsTarget.h"
#include "app/shell/tbAppFolders.h"
#include "app/shell/tbCamera.h"
#include "app/shell/tbGraphics.h"
#include "app/shell/tbMouse.h"
#include "app/shell/tbMouseGate.h"
#include "app/shell/tbOptions.h"
#include "app/shell/tbProject.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simKeyboard.h"
#include "engine/core/simOptions.h"
#include "engine/core/simResources.h"
#include "engine/core/utilsStrings.h"
#include "engine/graphics/simFont.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simLight.h"
#include "engine/graphics/simWindow.h"

namespace {

CtolvaneBuilderApp* g_app = nullptr;

// The console outlives the application: its destructor still logs.
std::unique_ptr<simConsole>& console() {
    static std::unique_ptr<simConsole> instance;
    return instance;
}

struct ResourceToLoad {
    const char* folder;
    const char* file;
    const char* options;
};

constexpr const char* kPlain = "noMipmaps | noCompression | managedResourcePool";
constexpr const char* kCubemap = "noMipmaps | cubemap | managedResourcePool";

constexpr ResourceToLoad kResources[] = {
    {"tolvaneBuilder/shaders", "lighting.fx", "tech_lighting"},
    {"tolvaneBuilder/shaders", "collisionSurfaceRoughness.fx", "tech_collisionSurfaceRoughness"},
    {"tolvaneBuilder", "brush.bmp", kPlain},
    {"tolvaneBuilder/textures", "previewCubemap.dds", kCubemap},
    {"tolvaneBuilder/textures", "arrow.bmp", kPlain},
    {"tolvaneBuilder/textures", "red_trans.bmp", kPlain},
    {"tolvaneBuilder/textures", "white_trans.bmp", kPlain},
    {"tolvaneBuilder/textures", "gray_trans.bmp", kPlain},
};

simColour grey(int value) {
    simColour colour;
    colour.red = colour.green = colour.blue = colour.alpha = value;
    return colour;
}

// The engine objects the application makes and deletes before the engine goes.
struct OwnedSceneObjects {
    std::unique_ptr<simLight> light;
    std::unique_ptr<tbCamera> cameras[4];
    // The first two travel with a model scheme's file.
    std::unique_ptr<tbSceneCameras> projectCameras;
};

OwnedSceneObjects& sceneObjects() {
    static OwnedSceneObjects objects;
    return objects;
}

}  // namespace

CtolvaneBuilderApp* tbApp() { return g_app; }

CtolvaneBuilderApp::CtolvaneBuilderApp(tbProgress::BoxFactory progressBoxes)
    : simApplication(simVersion(2, 5, 'a'), "TolvaneBuilder", nullptr, false),
      m_progress(std::move(progressBoxes)) {
    setSettingsFolder(utils::joinPath(getSettingsFolder(), "TolvaneSim"));
    // A first run on a fresh account: make the folders the editor writes to.
    std::string error;
    if (getStatusSuccess() && !tbCreateAppDataFolders(getSettingsFolder(), &error)) simLog("ERROR: " + error + "\n");
    g_app = this;
}

CtolvaneBuilderApp::~CtolvaneBuilderApp() {
    simLog("[~CtolvaneBuilderApp");
    // The settings first, while the tool state still holds what the user left.
    if (m_options) m_options->saveAtExit(tbOptions::kFileName);
    delete tbProject::current();
    simLog("~CtolvaneBuilderApp]");
    OwnedSceneObjects& objects = sceneObjects();
    if (objects.projectCameras) tbSetSceneCameras(nullptr);
    objects.projectCameras.reset();
    for (auto& camera : objects.cameras) camera.reset();
    objects.light.reset();
    if (g_app == this) g_app = nullptr;
    // The engine half goes next (simApplication's destructor, in its order).
}

void CtolvaneBuilderApp::createEngine(win::HWND window, int width, int height, tbInput::Actions* actions) {
    console().reset();
    const simConsole::HostInfo host{getTitle(), getVersion().text(), getProgramFolder(), getSettingsFolder()};
    console() = std::make_unique<simConsole>(kDiagnosticFile, false, host);
    createWindow(window);
    auto* options = new simOptions();
    options->default_soundLibrary = "Disable Sound";
    (void)width, (void)height;  // the main window sizes the engine window to the view afterwards
    m_actions = actions;
    new tbGraphics(0, d3dx::Vector2(0.0f, 0.0f), true);
    if (!getStatusSuccess()) return;
    new tbInput(m_tools, actions);
    new tbMouse();
    createSystems();
}

void CtolvaneBuilderApp::initialise() {
    m_options = std::make_unique<tbOptions>(m_tools);
    m_options->load(tbOptions::kFileName);
    simApplication::initialise();
    // The engine window was made before the settings were read, without
    // antialiasing: the stored switch goes onto it as the options dialog's
    // Accept puts it, so the window and the dialog agree.
    if (m_options->antialiasing) {
        tbOptionsTarget target(*m_options);
        target.setWindowAntialiasing(true);
        target.applyWindowChanges();
    }
    // The tool the user left comes back (the main window shows its bar and
    // button once it has them); it is saved again at exit.
    m_tools.setTool(m_options->currentTool);
    simLog("[tvApplication::initialise-");
    loadResources();
    new simFont(nullptr, "cameraFont", "Arial", 14.0f, false, false);
    new simFont(nullptr, "collisionMarkerFont", "Arial", 12.0f, false, false);
    new simFont(nullptr, "collisionMarkerFontLarge", "Arial", 14.0f, true, false);
    sceneObjects().light = std::make_unique<simLight>("tLight", simLight::directional, d3dx::Vector3(0, 0, 200),
                                                      d3dx::Vector3(0, 0, -1), 1000.0f, 1.0f, grey(255), grey(50),
                                                      grey(255));
    createCameras();
    m_frameDrive.start();
    simLog("-tvApplication::initialise]");
}

void CtolvaneBuilderApp::loadResources() {
    if (!g_resources) return;
    for (const ResourceToLoad& r : kResources) g_resources->findResource(nullptr, r.folder, r.file, r.options, true, true, 0);
    for (int hardness = 0; hardness <= 100; hardness += 10) {
        g_resources->findResource(nullptr, "tolvaneBuilder/brushes", "brush_" + std::to_string(hardness) + ".bmp",
                                  kPlain, true, true, 0);
    }
}

void CtolvaneBuilderApp::createCameras() {
    OwnedSceneObjects& objects = sceneObjects();
    for (int i = 0; i < 4; ++i) objects.cameras[i] = std::make_unique<tbCamera>(kStartCameraPresets[i]);
    tbCamera* perspective = objects.cameras[1].get();
    tbCamera::setViewCamera(perspective);
    if (g_graphics) g_graphics->setCurrentCamera(perspective);
    perspective->updateMatrices();
    perspective->apply();
    objects.projectCameras = tbMakeSceneCameras({objects.cameras[0].get(), objects.cameras[1].get()});
    tbSetSceneCameras(objects.projectCameras.get());
}

void CtolvaneBuilderApp::close() {
    if (m_actions) {
        m_actions->askToExit();
    } else {
        simApplication::close();
    }
}

void CtolvaneBuilderApp::releaseAltOutsideView() {
    simKeyboard* keyboard = g_input ? g_input->getKeyboard() : nullptr;
    if (keyboard && keyboard->isAltDown() && !acceptsMouseInput()) keyboard->onAlt(0);
}

void CtolvaneBuilderApp::setViewMinimised(bool minimised) {
    simWindow* window = g_graphics ? g_graphics->getWindow() : nullptr;
    if (!window) return;
    if (minimised) {
        window->setWindowState(0);
    } else if (window->getWindowState() == 0) {
        window->setWindowState(1);
    } else {
        return;
    }
    window->requestUpdate();
    window->applyChanges();
    requestRedraw();
}

bool CtolvaneBuilderApp::acceptsMouseInput() { return m_viewWindows && tbIsMouseOverView(*m_viewWindows); }
