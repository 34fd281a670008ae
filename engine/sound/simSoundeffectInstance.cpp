#include "engine/sound/simSoundeffectInstance.h"

#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/sound/simSound.h"
#include "engine/sound/simSoundeffect.h"

simSoundeffectInstance::simSoundeffectInstance(simSoundeffect* playedEffect) : simSafeDeleteObject(false) {
    if (g_sound) {
        id = g_sound->newInstanceId();
        g_sound->addInstance(this);
        m_attached = true;
    }
    if (playedEffect) {
        effect = playedEffect;
        effectName = playedEffect->getName();
        playedEffect->addInstanceId(id);
    }
}

simSoundeffectInstance::~simSoundeffectInstance() {
    simLog("[~simSoundeffectInstance");
    simSoundeffectInstance::detach();
    if (effect) effect->removeInstanceId(id);
    simLog("~simSoundeffectInstance]");
}

void simSoundeffectInstance::countIn() {
    if (!m_attached || m_counted || !g_sound) return;
    g_sound->adjustInstanceCount(1);
    m_counted = true;
}

void simSoundeffectInstance::detach() {
    if (m_attached && g_sound) {
        g_sound->removeInstance(this);
        if (m_counted) g_sound->adjustInstanceCount(-1);
    }
    m_attached = false;
    m_counted = false;
}

bool simSoundeffectInstance::isLive() const { return m_attached && g_sound && g_sound->isSoundOn(); }

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
