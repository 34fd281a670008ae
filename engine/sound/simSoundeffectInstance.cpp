#include "engine/sound/simSoundeffectInstance.h"

#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/sound/simSound.h"
#include "engine/sound/simSoundeffect.h"

simSoundeffectInstance::simSoundeffectInstance(simSoundeffect* playedEffect) : simSafeDeleteObject(false) {
    if (g_sound) {
        id = g_sound->newInstanceId();
        g_sound->addInstance(this);
    }
    if (playedEffect) {
        effect = playedEffect;
        effectName = playedEffect->getName();
        playedEffect->addInstanceId(id);
    }
}

simSoundeffectInstance::~simSoundeffectInstance() {
    simLog("[~simSoundeffectInstance");
    if (g_sound) g_sound->removeInstance(this);
    if (effect) effect->removeInstanceId(id);
    simLog("~simSoundeffectInstance]");
}

void simSoundeffectInstance::startFade(FadeState state, float ms) {
    fadeState = state;
    fadeDuration = ms;
    fadeStopwatch.reset();
    fadeStopwatch.start();
}

void simSoundeffectInstance::updateFade() {
    fadeGain = 1.0f;
    pitchFactor = 1.0f;
    if (fadeState == kNoFade) return;
    volumeChanged = true;
    const float elapsed = static_cast<float>(fadeStopwatch.getElapsed());
    if (elapsed < fadeDuration) {
        fadeGain = fadeState == kFadingIn ? elapsed / fadeDuration : 1.0f - elapsed / fadeDuration;
        return;
    }
    if (fadeState == kFadingOut) volume = 0.0f;
    fadeState = kNoFade;
}
