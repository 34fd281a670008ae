// simGraphics: the engine's graphics system.
//
// One object, reached through `g_graphics`, that creates and owns the engine
// window wrapper (`simWindow`), the renderer (`simRenderer`) and the scene,
// forwards the device-loss hooks, and renders one frame: scene, GUI pass,
// present. Its virtual operations are also the hooks through which a host
// program adds its own drawing to the scene's passes; the editor's graphics
// system derives from it and replaces the default frame.
//
// The graphics system is also the picking functions' view source (the
// current camera, the renderer's transforms and viewport) from its
// construction to its destruction.
//
// The scene belongs to a later module and is reached through one seam:
// `setSceneFactory` installs the function that makes it; without one the
// scene stays null and the frame has no scene pass. The GUI pass is the GUI
// element manager's, when it exists.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "engine/core/simBoundingBox.h"
#include "engine/core/simViewpoint.h"
#include "engine/core/utilsTimer.h"
#include "engine/graphics/simDeviceDependantObject.h"
#include "platform/d3dx/d3dxMathTypes.h"

class simBoundingBox;
class simCamera;
class simRenderer;
class simWindow;

// What the graphics system needs of its scene. The scene is made
// unregistered: the graphics system calls its release and recreate hooks.
class simGraphicsScene : public simDeviceDependantObject {
public:
    simGraphicsScene() : simDeviceDependantObject(true) {}
    // Draws every active camera's passes, then the glow when asked.
    virtual void render(bool withPasses, bool withGlow) = 0;
};

class simGraphics {
public:
    using SceneFactory = simGraphicsScene* (*)();

    // Window, then renderer and scene while the application status stays
    // good; a failed step leaves the later parts null. The engine's default:
    // (40, (0, 0), (800, 600), {800, 600, 60}, false, false, false, 1, false, 0, 1).
    simGraphics(uint32_t value, const d3dx::Vector2& position, const d3dx::Vector2& size,
                const int32_t resolution[3], bool fullscreen, bool vsync, bool antialiasing,
                uint32_t backBufferCount, bool keepBackBufferCopy, uint32_t style, uint32_t windowState);
    // Deletes the scene, the window and the renderer, in that order.
    virtual ~simGraphics();

    simGraphics(const simGraphics&) = delete;
    simGraphics& operator=(const simGraphics&) = delete;

    // ---- Device-loss hooks: the renderer's, with the scene's and the cameras' steps.
    virtual void onDeviceRelease();
    virtual void onDeviceReset();
    virtual void onDeviceResetEnd();
    virtual void onDeviceRestoreBegin();
    virtual void onDeviceRestore();
    virtual void onDeviceRecreate();

    // ---- Hooks of the scene's passes (empty here; the host fills them).
    virtual void preLitPass(simCamera*) {}
    virtual void renderPostScene(uint32_t) {}
    virtual void postLitPass(simCamera*) {}
    virtual void preEffectsPass(simCamera*) {}
    virtual void renderEffects(uint32_t) {}
    virtual void postEffectsPass(simCamera*) {}
    virtual void preShadowCasters() {}
    virtual void renderShadowCasters() {}
    virtual uint32_t countLitItems() { return 0; }
    virtual void renderLit(uint32_t) {}
    virtual void collectShadowBounds(std::vector<simBoundingBox>&) {}
    virtual std::string getClassName() { return "simGraphics"; }

    // ---- The frame.
    // Nothing while minimised; a lost device is recovered first (the frame is
    // skipped while that fails); then the scene, the GUI pass between
    // preGuiRender and postGuiRender, and EndScene with present when asked.
    virtual void renderFrame(bool clear, bool present, uint32_t unused);
    // What the application's redraw calls: renderFrame(true, true, 1).
    virtual void renderFrameDefault();
    virtual void postSceneRender() {}
    virtual void preSceneRender() {}
    virtual void preGuiRender() {}
    virtual void postGuiRender() {}
    virtual void onCamerasChanged();

    // ---- Parts (each part stores itself while it is constructed).
    simRenderer* getRenderer() const { return m_renderer; }
    simWindow* getWindow() const { return m_window; }
    simGraphicsScene* getScene() const { return m_scene; }
    // The scene stores itself while it is made and clears itself when destroyed.
    void setScene(simGraphicsScene* scene) { m_scene = scene; }
    void setRenderer(simRenderer* renderer) { m_renderer = renderer; }
    void setWindow(simWindow* window) { m_window = window; }
    // The matrix `simRenderer::setTransform` uses for a null argument.
    const d3dx::Matrix& getIdentityMatrix() const { return m_identity; }
    // The current camera and the index of the camera being drawn: set by the
    // cameras and the scene render; read by picking, frustum tests and effects.
    simCamera* getCurrentCamera() const { return m_currentCamera; }
    // The camera class is a viewpoint: it is taken as both. Its view volume
    // becomes the one the box frustum test reads (none without a camera).
    template <typename Camera>
    void setCurrentCamera(Camera* camera) {
        m_currentCamera = camera;
        m_currentViewpoint = camera;
        setCurrentViewVolume(camera ? &camera->getViewVolume() : nullptr);
    }
    void setCurrentCamera(std::nullptr_t) {
        m_currentCamera = nullptr;
        m_currentViewpoint = nullptr;
        setCurrentViewVolume(nullptr);
    }
    int32_t getCurrentCameraIndex() const { return m_currentCameraIndex; }
    void setCurrentCameraIndex(int32_t index) { m_currentCameraIndex = index; }
    // The first constructor argument, kept for the host.
    uint32_t getValue() const { return m_value; }

    // ---- The scene's maker (null: no scene).
    static void setSceneFactory(SceneFactory factory);

private:
    // What the picking functions read when they are given no camera or matrices.
    class ViewSource : public simViewSource {
    public:
        explicit ViewSource(const simGraphics& graphics) : m_graphics(graphics) {}
        const simViewpoint* getCurrentCamera() const override { return m_graphics.m_currentViewpoint; }
        d3dx::Matrix getWorldTransform() const override;
        d3dx::Matrix getViewTransform() const override;
        d3dx::Matrix getProjectionTransform() const override;
        d3dx::Viewport getViewport() const override;

    private:
        d3dx::Matrix transform(uint32_t which) const;
        const simGraphics& m_graphics;
    };

    simRenderer* m_renderer = nullptr;
    simWindow* m_window = nullptr;
    simGraphicsScene* m_scene = nullptr;
    d3dx::Matrix m_identity = d3dx::Matrix::identity();
    simCamera* m_currentCamera = nullptr;
    const simViewpoint* m_currentViewpoint = nullptr;
    ViewSource m_viewSource{*this};
    int32_t m_currentCameraIndex = 0;
    uint32_t m_value;
    utils::Timer m_stopwatch;
};
