// Joins the scene to the shader parameter contract (simShaderEffectBinding.h).
//
// While a scene lives, the contract's camera group reads the graphics
// system's current camera (position, forward, up), its light group reads the
// scene's first light, new lights join the scene's light list (lights made
// before the scene stay on the contract's own list) and the shadow-map size
// is the shadow handler's width. The material entry is left as it was.
#pragma once

class simScene;

void simSceneInstallEffectLinks(simScene* scene);
// Takes the scene's entries out again (only when they are this scene's).
void simSceneRemoveEffectLinks(simScene* scene);
