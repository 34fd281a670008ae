#include "engine/sound/simSoundeffect_directSound.h"

#include "engine/core/simApplication.h"
#include "engine/core/simApplicationLog.h"
#include "engine/core/simGlobals.h"
#include "engine/sound/simSound_directSound.h"
#include "engine/sound/simSoundeffectInstance_directSound.h"

simSoundeffect_directSound::simSoundeffect_directSound(simSound_directSound* sound, simCollectionItem* collection,
                                                       std::string filePath, std::string loadOptions)
    : simSoundeffect(collection, std::move(filePath), std::move(loadOptions)), m_sound(sound) {
    if (!m_sound->isSoundOn()) return;
    m_3d = getOptionWords().find("3D") != std::string::npos;
    if (wave::failed(m_reader.open(getFilePath().c_str(), nullptr, CWaveFile::kRead))) {
        simLog("Error opening wav file...\n");
        return;
    }
    m_dataSize = m_reader.getSize();
    m_reader.close();
    if (g_application) g_application->setStatus(true, "success");
}

float simSoundeffect_directSound::getDuration() {
    if (!m_reader.format()) return 0.0f;
    return static_cast<float>(static_cast<double>(m_dataSize) / m_reader.format()->avgBytesPerSec * 1000.0);
}

simSoundeffectInstance* simSoundeffect_directSound::play(bool looping, float volume, float pitch,
                                                         d3dx::Vector3* position, d3dx::Vector3* velocity) {
    // An effect whose file could not be read starts nothing, as in the other
    // back ends, rather than an instance that cannot play.
    if (!isLiveSystem(m_sound) || m_dataSize == 0 || isTooSoonAfter(m_lastStartTime)) return nullptr;
    return new simSoundeffectInstance_directSound(this, volume, pitch, looping, position, velocity);
}
