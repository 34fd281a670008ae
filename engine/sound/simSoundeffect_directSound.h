// simSoundeffect_directSound: a ".wav" file known by its format and size;
// each instance loads the file again into buffers of its own.
#pragma once

#include "engine/sound/CWaveFile.h"
#include "engine/sound/simSoundeffect.h"

class simSound_directSound;

class simSoundeffect_directSound : public simSoundeffect {
public:
    simSoundeffect_directSound(simSound_directSound* sound, simCollectionItem* collection, std::string filePath,
                               std::string loadOptions);

    // Null while sound is off or within 100 ms of the last start.
    simSoundeffectInstance* play(bool looping, float volume, float pitch, d3dx::Vector3* position,
                                 d3dx::Vector3* velocity) override;
    uint32_t getSampleRate() override { return m_reader.format() ? m_reader.format()->samplesPerSec : 0; }
    double getLength() override { return m_dataSize; }
    float getDuration() override;

    bool is3D() const { return m_3d; }
    // Bytes per sample frame, 1 when unknown.
    uint32_t blockAlign() const { return m_reader.format() ? m_reader.format()->blockAlign : 1u; }
    simSound_directSound* sound() const { return m_sound; }

private:
    simSound_directSound* m_sound;
    bool m_3d = false;
    float m_lastStartTime = 0.0f;
    uint32_t m_dataSize = 0;
    CWaveFile m_reader;
};
