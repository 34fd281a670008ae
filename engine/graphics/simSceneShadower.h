// simSceneShadower: the scene's shadow handler.
//
// Two ways of shadowing, both driven by the scene's first light:
//  - the shadow map: the casters seen by the current camera are fitted into
//    the light's view and drawn as depth into a single-channel render target,
//    which the lighting effects sample through "g_shadowerTransform" and
//    "g_light_farPlane";
//  - the stencil darkening: shadow shapes are drawn into the stencil only,
//    then a black rectangle over the back buffer darkens where the stencil
//    was written, by as much as the light's ambient leaves dark.
// The shadow map exists only while its width and height are both above 0. A
// host sets the size and the two lighting switches and then causes a device
// recreate (or calls `create`); nothing in the program does, so shadow
// mapping stays off and the lit and low lighting effects are both
// "lighting_low.fx", and the stencil pass runs whenever a light exists.
//
// The handler is a member of the scene, unregistered with the renderer: the
// scene forwards the device release and recreate to it.
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "engine/core/simBoundingBox.h"
#include "engine/core/simCollectionItem.h"
#include "engine/graphics/simDeviceDependantObject.h"
#include "platform/d3dx/d3dxMathTypes.h"
#include "platform/gfx/handles.h"

class simCamera;
class simLight;
class simSceneItem;
class simShaderEffect;
class simTexture;

class simSceneShadower : public simCollectionItem, public simDeviceDependantObject {
public:
    // Shadow bounds farther than this from the camera do not enter the fit,
    // and the fitted slice ends there (world units).
    static constexpr float kMaxShadowDistance = 10000.0f;
    // The visibility from which an item casts shadows.
    static constexpr int32_t kCasterVisibility = 200;

    // Logs "Creating shadow handler...", loads the five lighting and shadow
    // effects from "effects" and logs "done\n". No shadow map yet.
    simSceneShadower();
    // Logs "Destroying shadow handler...", releases the surfaces, "done\n".
    ~simSceneShadower() override;

    // ---- Device loss: the map and surfaces go; `create` makes them again.
    void onDeviceRelease() override;
    void onDeviceRecreate() override { create(); }

    // Picks the effects by the two switches (and swaps the node effects to
    // match) and makes the shadow map when the size is not 0. A failure is
    // logged and leaves shadow mapping off.
    void create();

    // ---- The passes.
    // Copies the boxes of the casters that may cast (visibility, flag,
    // extent), then lets the engine's objects add theirs.
    void collectBounds();
    // The caster box and the slice of the current camera's view that holds it.
    void fitToCamera();
    // The light's view and cropped projection round the caster box; sets the
    // shadow transform and far plane on the effects. Nothing without a
    // first light or without casters in view.
    void fitLight();
    // Draws the casters' depth into the shadow map (only with map and surfaces).
    void renderShadowMap();
    // The casters with the shadow effect, red channel only, flat shading.
    void renderCasters();
    // The stencil darkening (see the top).
    void renderStencilShadows();
    // The alpha of the darkening rectangle for a light's largest ambient
    // component: 255 - 1.5 x component, truncated and kept within 0..255
    // (a bright ambient leaves no shadow rather than a wrapped-round one).
    static uint32_t darkeningAlpha(int ambientComponent);

    // ---- Settings a host changes before `create`.
    float shadowMapWidth = 0.0f, shadowMapHeight = 0.0f;  // texels; 0: no shadow map
    bool highEnvironmentLighting = false;
    bool highLighting = false;

    // ---- Lists filled by whoever places casters.
    std::list<simSceneItem*>& getCasters() { return m_casters; }
    const std::vector<simBoundingBox>& getShadowBounds() const { return m_shadowBounds; }

    // ---- Reading.
    simShaderEffect* getLitEffect() const { return m_litEffect; }
    simShaderEffect* getEnvironmentEffect() const { return m_environmentEffect; }
    simShaderEffect* getLowLightingEffect() const { return m_lowLightingEffect; }
    simShaderEffect* getShadowEffect() const { return m_shadowEffect; }
    simTexture* getShadowMap() const { return m_shadowMap; }
    bool hasSurfaces() const { return m_renderSurface && m_depthSurface; }
    float getLightFarPlane() const { return m_lightFarPlane; }
    const d3dx::Matrix& getShadowTransform() const { return m_shadowTransform; }
    const simBoundingBox& getCasterBox() const { return m_casterBox; }
    const simBoundingBox& getReceiverBox() const { return m_receiverBox; }
    float getNearDistance() const { return m_nearDistance; }
    float getFarDistance() const { return m_farDistance; }

private:
    // True for a caster that may draw into the shadow map or the stencil.
    static bool castsNow(const simSceneItem* item);
    void releaseSurfaces();
    void deleteShadowMap();
    void makeShadowMap();

    simShaderEffect* m_litEffect = nullptr;
    simShaderEffect* m_environmentEffect = nullptr;
    simShaderEffect* m_lowLightingEffect = nullptr;
    simShaderEffect* m_shadowEffect = nullptr;
    simTexture* m_shadowMap = nullptr;  // owned
    gfx::SurfaceHandle m_renderSurface, m_depthSurface;
    float m_lightFarPlane = 0.0f;
    d3dx::Matrix m_shadowTransform = d3dx::Matrix::identity();
    std::list<simSceneItem*> m_casters;
    std::vector<simBoundingBox> m_shadowBounds;
    simBoundingBox m_casterBox;
    simBoundingBox m_receiverBox;
    float m_nearDistance = 0.0f, m_farDistance = 0.0f;
};
