// simScene: what the graphics system draws each frame.
//
// The scene holds the cameras, the lights, a tree of scene nodes with the
// items attached to them, and three pass handlers (shadows, reflection,
// glow). Its render runs, for every active camera in the order the cameras
// were made, a fixed sequence of passes, and broadcasts hooks to every engine
// object registered for rendering (through the engine application) so that
// objects outside the tree can draw in each pass:
//
//   every camera's pre-render hook; graphics preSceneRender; shadow bounds;
//   per active camera (made current, its sorted items sorted):
//     shadow map, mirrored reflection, graphics preLitPass,
//     stencil shadow darkening, the node tree (then the post-scene
//     broadcast), graphics postLitPass and preEffectsPass, the sorted items
//     with the particles (then the effects broadcast), graphics
//     postEffectsPass;
//   the whole back buffer as viewport, graphics postSceneRender, state ids
//   1..19 back to their defaults, and the glow once.
//
// The shadow-map, reflection and glow handlers stay idle until their host
// switches them on; the program never does, so only the node, sorted-item
// and stencil passes draw.
//
// The scene is made by the graphics system (install `create` as its scene
// factory) and is unregistered: the graphics system forwards the device
// release and recreate to it, and it passes them to its handlers. While it
// lives it is the graphics system's scene, and it keeps the graphics
// system's current camera and the current view volume in step.
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <utility>

#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRendererStateObject.h"
#include "engine/graphics/simSceneCameras.h"
#include "engine/graphics/simSceneGlowHandler.h"
#include "engine/graphics/simSceneLights.h"
#include "engine/graphics/simSceneReflector.h"
#include "engine/graphics/simSceneShadower.h"

class simCamera;
class simSceneItem;
class simSceneNode;

class simScene : public simGraphicsScene {
public:
    using StateOverride = std::pair<uint32_t, simStateValue>;
    // The particle system's draw, run first in every sorted pass (null: none).
    using ParticlePass = void (*)();

    // Logs "Creating scene...", becomes the graphics system's scene, makes one
    // root node (no state) and logs "done\n".
    simScene();
    // Deletes the node tree, lets go of the graphics system, then the lights
    // and cameras still listed, then the handlers.
    ~simScene() override;

    // The graphics system's scene factory.
    static simGraphicsScene* create();
    // The graphics system's scene when it is a simScene, else null.
    static simScene* current();
    // Installed by the particle system.
    static void setParticlePass(ParticlePass pass);
    // The particle system's root lives as long as the scene: `create` runs at
    // the end of the constructor, `destroy` at the start of the destructor
    // (null: nothing). Installed by the particle system.
    struct ParticleSystemHooks {
        void (*create)(simScene* scene) = nullptr;
        void (*destroy)(simScene* scene) = nullptr;
    };
    static void setParticleSystemHooks(ParticleSystemHooks hooks);

    virtual std::string getClassName() { return "simScene"; }

    // ---- Device loss: the shadow, reflection and glow handlers, in that order.
    void onDeviceRelease() override;
    void onDeviceRecreate() override;

    // ---- The frame (see the top). Nothing at all without cameras.
    void render(bool withPasses, bool withGlow) override;
    // alphaBlend off; every root node's tree; the post-scene broadcast.
    virtual void renderNodes(uint32_t argument);
    // The particles; alphaBlend on, zWrite off; the sorted items farthest
    // first, each with its saved states 0..19; the effects broadcast.
    virtual void renderSorted(uint32_t argument);
    // Rebuilds the sorted list for the camera: the sorted-pass items that can
    // be drawn, nearest first, equal distances in list order.
    void sortItems(const simCamera* camera);

    // ---- Cameras.
    simCamera* getCamera(int32_t index) const { return m_cameras.get(index); }
    simCamera* findCamera(const std::string& name) const { return m_cameras.find(name); }
    // Appends; the first camera becomes the active and the current camera.
    // Then the graphics system's onCamerasChanged.
    void addCamera(simCamera* camera);
    // Removes every occurrence (a new active camera when it was the active
    // one; the graphics system lets go of it when it was current), then
    // onCamerasChanged.
    void removeCamera(simCamera* camera);
    simCamera* getActiveCamera() const { return m_cameras.getActive(); }
    // The main camera becomes `camera`, when the scene lists it: the camera
    // the manipulators are drawn and picked through.
    bool setActiveCamera(simCamera* camera) { return m_cameras.setActive(camera); }
    const simSceneCameras& getCameras() const { return m_cameras; }

    // ---- Lights.
    simSceneLights& getLights() { return m_lights; }
    const simSceneLights& getLights() const { return m_lights; }

    // ---- Nodes and items.
    const std::list<simSceneNode*>& getRootNodes() const { return m_rootNodes; }
    simSceneNode* getRootNode() const { return m_rootNodes.empty() ? nullptr : m_rootNodes.front(); }
    // The general list and the sorted (transparent) pass's list; whoever
    // places items fills them. A destroyed item leaves both.
    std::list<simSceneItem*>& getItems() { return m_items; }
    std::list<simSceneItem*>& getSortedPassItems() { return m_sortedPassItems; }
    const std::list<simSceneItem*>& getSortedItems() const { return m_sortedItems; }
    // Takes a destroyed item out of both lists, the shadow casters (then
    // refits the shadow volume) and the glow handler's lists.
    void removeItem(simSceneItem* item);
    // Every node whose (id, value) is (stateId, oldValue) gets newValue.
    void replaceNodeState(uint32_t stateId, simStateValue oldValue, simStateValue newValue);

    // ---- State overrides: while an override for an id is listed, nodes
    // with that state id set the override's value instead of their own.
    std::list<StateOverride>& getStateOverrides() { return m_stateOverrides; }
    // Sets the node's state, or its override (not forced); nothing for id 0.
    void applyStateOverride(const simSceneNode* node);

    // ---- Handlers.
    simSceneShadower& getShadower() { return m_shadower; }
    simSceneReflector& getReflector() { return m_reflector; }
    simSceneGlowHandler& getGlowHandler() { return m_glow; }

private:
    // The camera loop: makes each active camera current and runs its passes.
    void renderCameras(bool withPasses);
    // Makes the camera the graphics system's current camera.
    static void makeCurrent(simCamera* camera);

    simSceneShadower m_shadower;
    simSceneReflector m_reflector;
    simSceneGlowHandler m_glow;
    simSceneCameras m_cameras;
    simSceneLights m_lights;
    std::list<simSceneNode*> m_rootNodes;
    std::list<simSceneItem*> m_items;
    std::list<simSceneItem*> m_sortedPassItems;
    std::list<simSceneItem*> m_sortedItems;
    std::list<StateOverride> m_stateOverrides;
};
