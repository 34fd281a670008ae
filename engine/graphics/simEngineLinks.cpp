#include "engine/graphics/simEngineLinks.h"

#include "engine/core/simDynamics.h"
#include "engine/core/simInputLinks.h"
#include "engine/core/simOptions.h"
#include "engine/core/simResources.h"
#include "engine/graphics/simFont.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/manipulatorContainer.h"
#include "engine/graphics/simGraphicsLinks.h"
#include "engine/graphics/simParticleSystem.h"
#include "engine/graphics/simScene.h"
#include "engine/sound/simSoundBackEnds.h"

void simLinkEngineSystems(simSystemLinks& links) {
    simLinkOptions(links);
    simLinkResourceSystem(links);
    simLinkInputSystem(links);
    simLinkDynamicsSystem(links);
    simLinkGraphicsSystem(links);
    simLinkEngineFonts(links);
    simLinkParticleSystem(links);
    simLinkManipulatorContainers(links);
    simGraphics::setSceneFactory(simScene::create);
    simLinkSoundBackEnds();
}
