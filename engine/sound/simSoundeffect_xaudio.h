// simSoundeffect_xaudio: a ".wav" file read whole; every voice made for it
// takes the file's format and plays straight from its audio, so the effect
// silences its instances' voices before the audio goes.
#pragma once

#include <vector>

#include "engine/sound/CWaveFile.h"
#include "engine/sound/simSoundeffect.h"

class simSound_xaudio;

class simSoundeffect_xaudio : public simSoundeffect {
public:
    simSoundeffect_xaudio(simSound_xaudio* sound, simCollectionItem* collection, std::string filePath,
                          std::string loadOptions);
    ~simSoundeffect_xaudio() override;

    // Null while sound is off, without audio or within 100 ms of the last start.
    simSoundeffectInstance* play(bool looping, float volume, float pitch, d3dx::Vector3* position,
                                 d3dx::Vector3* velocity) override;
    uint32_t getSampleRate() override;
    double getLength() override { return static_cast<double>(m_audio.size()); }
    float getDuration() override;

    bool is3D() const { return m_3d; }
    bool hasAudio() const { return !m_audio.empty(); }
    const std::vector<uint8_t>& audio() const { return m_audio; }
    const wave::WaveFormat* format() const { return m_reader.format(); }
    simSound_xaudio* sound() const { return m_sound; }

private:
    simSound_xaudio* m_sound;
    bool m_3d = false;
    float m_lastStartTime = 0.0f;
    std::vector<uint8_t> m_audio;
    CWaveFile m_reader;
};
