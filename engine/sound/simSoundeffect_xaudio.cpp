#include "engine/sound/simSoundeffect_xaudio.h"

#include "engine/core/simApplication.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/sound/simSound_xaudio.h"
#include "engine/sound/simSoundeffectInstance_xaudio.h"

simSoundeffect_xaudio::simSoundeffect_xaudio(simSound_xaudio* sound, simCollectionItem* collection,
                                             std::string filePath, std::string loadOptions)
    : simSoundeffect(collection, std::move(filePath), std::move(loadOptions)), m_sound(sound) {
    if (!m_sound->isSoundOn()) return;
    m_3d = getOptionWords().find("3D") != std::string::npos;
    if (wave::failed(m_reader.open(getFilePath().c_str(), nullptr, CWaveFile::kRead))) {
        simLog("Error opening wav file...\n");
        return;
    }
    m_audio.resize(m_reader.getSize());
    uint32_t read = 0;
    if (wave::failed(m_reader.read(m_audio.data(), static_cast<uint32_t>(m_audio.size()), &read)) ||
        read != m_audio.size()) {
        simLog("Error reading wav file...\n");
        m_audio.clear();
        return;
    }
    m_reader.close();
    if (g_application) g_application->setStatus(true, "success");
}

simSoundeffect_xaudio::~simSoundeffect_xaudio() {
    // Voices read the audio while they play: they go before it does.
    if (g_sound == m_sound) {
        for (uint32_t id : getInstanceIds()) {
            simSoundeffectInstance* instance = g_sound->findInstance(id);
            if (instance && instance->effect == this)
                static_cast<simSoundeffectInstance_xaudio*>(instance)->releaseVoice();
        }
    }
}

uint32_t simSoundeffect_xaudio::getSampleRate() { return format() ? format()->samplesPerSec : 0; }

float simSoundeffect_xaudio::getDuration() {
    if (!format()) return 0.0f;
    return static_cast<float>(static_cast<double>(m_audio.size()) / format()->avgBytesPerSec * 1000.0);
}

simSoundeffectInstance* simSoundeffect_xaudio::play(bool looping, float volume, float pitch,
                                                    d3dx::Vector3* position, d3dx::Vector3* velocity) {
    if (!isLiveSystem(m_sound) || m_audio.empty() || isTooSoonAfter(m_lastStartTime))
        return nullptr;
    return new simSoundeffectInstance_xaudio(this, volume, pitch, looping, position, velocity);
}
