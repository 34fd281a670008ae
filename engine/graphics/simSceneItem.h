// simSceneItem: one drawable thing placed in the scene.
//
// An item points at a renderable (a model node or batch) and draws it with
// its own world matrix, colour and render states. It is held by a node (its
// holding node) and may be held by a second node (its group node); the scene
// may list it in its general list and its sorted (transparent) pass, the
// shadow handler among its shadow casters, the glow handler in its glow or
// plain list.
//
// Visibility: below 1 the item is not drawn; 200 or more lets it cast
// shadows (with the casts-shadow flag set).
//
// Lifetime: the holding node frees its items. `detach` (also run by the
// destructor) takes the item out of both nodes and every scene list, and
// deletes the group node when that is then left empty and is not a root.
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <utility>

#include "engine/core/simBoundingBox.h"
#include "engine/core/simColour.h"
#include "engine/graphics/simRendererStateObject.h"
#include "platform/d3dx/d3dxMathTypes.h"

class simCamera;
class simRenderableObject;
class simSceneNode;
class simShaderEffect;

class simSceneItem {
public:
    // The renderer state ids whose values an item keeps for its sorted draw.
    static constexpr uint32_t kSavedStateCount = 20;
    // applyStates with this id sets every saved state.
    static constexpr uint32_t kAllSavedStates = 38;
    // The distance every camera-distance search starts from (squared units).
    static constexpr float kFarDistanceSq = 1e8f;

    // Joins the holding node's item list and, when given, the group node's.
    simSceneItem(std::string name, simRenderableObject* renderable, simSceneNode* holder,
                 simSceneNode* group = nullptr);
    ~simSceneItem();

    simSceneItem(const simSceneItem&) = delete;
    simSceneItem& operator=(const simSceneItem&) = delete;

    // Draws the renderable: nothing without one, below visibility 1 or when
    // the box lies outside the current camera's view. The state pairs are
    // set around the draw (and put back after it); a glowing item draws with
    // no effect state. A null `effect` means the renderer's current effect;
    // `m` (when given) is applied after the item's world matrix.
    void render(const d3dx::Matrix* m, simShaderEffect* effect);
    // Leaves both nodes (deleting an emptied group node that is not a root)
    // and every scene list. Safe to call more than once.
    void detach();
    // The smallest squared distance from the camera to a box corner, when
    // the renderable can be drawn; otherwise the value is kept.
    void updateCameraDistance(const simCamera* camera);
    // Sets the saved state of `stateId` (kAllSavedStates: all of 0..19) on
    // the renderer, not forced.
    void applyStates(uint32_t stateId) const;

    std::string name;
    bool castsShadow = false;
    bool glows = false;
    simRenderableObject* renderable = nullptr;
    simStateValue savedStates[kSavedStateCount] = {};
    std::list<std::pair<uint32_t, simStateValue>> statePairs;  // applied around the draw
    d3dx::Matrix world = d3dx::Matrix::identity();
    simBoundingBox box;  // in world space
    simColour colour = simColour::fromARGB(0xFFFFFFFFu);  // passed unchanged to the renderable
    int32_t visibility = 1;
    float cameraDistance = kFarDistanceSq;  // squared; set per camera by the sorted pass

    simSceneNode* getHolder() const { return m_holder; }
    simSceneNode* getGroup() const { return m_group; }

private:
    simSceneNode* m_holder;
    simSceneNode* m_group;
};
