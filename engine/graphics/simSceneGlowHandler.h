// simSceneGlowHandler: the scene's glow pass.
//
// Once per frame, after every camera: the finished frame is shrunk to a
// third of the back buffer in each direction, its bright parts (and the
// glowing items) are blurred horizontally and then vertically, and the result
// is added onto the back buffer with a screen blend. Without the bright-pass
// effect and with glowing items off the glow image is black and the frame is
// left as it was.
//
// Switched on by `create` with a non-zero value (or by a host writing
// `enabled` before a device recreate); idle, with no maps, until then. A
// member of the scene, unregistered with the renderer: the scene forwards the
// device release and recreate.
#pragma once

#include <cstdint>
#include <list>

#include "engine/core/simCollectionItem.h"
#include "engine/graphics/simDeviceDependantObject.h"
#include "platform/gfx/handles.h"

class simSceneItem;
class simShaderEffect;
class simTexture;

class simSceneGlowHandler : public simCollectionItem, public simDeviceDependantObject {
public:
    // The glow maps' size against the back buffer's (single precision, not
    // one third exactly).
    static constexpr float kMapScale = 0.333f;

    // Logs "Creating glow handler...", loads the four glow effects from
    // "effects" (keeping three of them), "done\n".
    simSceneGlowHandler();
    // Logs "Destroying glow handler...", releases the surfaces, "done\n".
    ~simSceneGlowHandler() override;

    // Nothing when `value` equals `enabled`. Otherwise takes it, drops the
    // maps and, when it is not 0, makes both maps and the depth surface; a
    // failure is logged and disables the handler.
    void create(uint32_t value);

    void onDeviceRelease() override;
    // create(enabled) from 0, so an enabled handler rebuilds at the new size.
    void onDeviceRecreate() override;

    // The glow pass (see the top). Nothing without both maps, both surfaces
    // and the depth surface.
    void render();

    // Items glowing and items not: a removed item leaves the one its glow
    // flag names.
    std::list<simSceneItem*>& getGlowItems() { return m_glowItems; }
    std::list<simSceneItem*>& getPlainItems() { return m_plainItems; }
    void removeItem(simSceneItem* item);

    uint32_t enabled = 0;

    simTexture* getMap(int index) const { return m_maps[index]; }
    bool hasSurfaces() const { return m_surfaces[0] && m_surfaces[1] && m_depthSurface; }
    simShaderEffect* getGlowEffect() const { return m_glowEffect; }
    simShaderEffect* getBlurXEffect() const { return m_blurXEffect; }
    simShaderEffect* getBlurYEffect() const { return m_blurYEffect; }

private:
    void releaseSurfaces();
    void deleteMaps();
    // The rectangle of the glow maps, textured, through an effect's first
    // pass (nothing without the effect).
    void drawThrough(const char* effectName, simTexture* texture);

    simTexture* m_maps[2] = {};  // owned
    gfx::SurfaceHandle m_depthSurface;
    gfx::SurfaceHandle m_surfaces[2];
    float m_mapWidth = 0.0f, m_mapHeight = 0.0f;
    simShaderEffect* m_glowEffect = nullptr;
    simShaderEffect* m_blurXEffect = nullptr;
    simShaderEffect* m_blurYEffect = nullptr;
    std::list<simSceneItem*> m_plainItems;
    std::list<simSceneItem*> m_glowItems;
};
