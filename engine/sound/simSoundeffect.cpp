#include "engine/sound/simSoundeffect.h"

#include <algorithm>

#include "engine/core/simGlobals.h"
#include "engine/sound/simSound.h"
#include "engine/sound/simSoundeffectInstance.h"
#include "platform/sys/clock.h"

simSoundeffect::simSoundeffect(simCollectionItem* collection, std::string filePath, std::string loadOptions)
    : simResource(collection, std::move(filePath), std::move(loadOptions)) {}

simSoundeffect::~simSoundeffect() {
    if (!g_sound) return;
    for (uint32_t id : m_instanceIds) {
        simSoundeffectInstance* instance = g_sound->findInstance(id);
        if (instance && instance->effect == this) {
            instance->stop();
            instance->effect = nullptr;
        }
    }
}

void simSoundeffect::removeInstanceId(uint32_t id) {
    m_instanceIds.erase(std::remove(m_instanceIds.begin(), m_instanceIds.end(), id), m_instanceIds.end());
}

bool simSoundeffect::isLiveSystem(const simSound* sound) { return sound && g_sound == sound && g_sound->isSoundOn(); }

bool simSoundeffect::isTooSoonAfter(float lastStartMs) {
    return static_cast<float>(sys::timeGetTime()) - lastStartMs < 100.0f;
}
