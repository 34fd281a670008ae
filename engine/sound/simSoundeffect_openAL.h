// simSoundeffect_openAL: a ".wav" file in one OpenAL buffer.
//
// The wave is loaded, copied into the buffer and freed at once. A file that
// is not 8- or 16-bit mono or stereo PCM, or that OpenAL refuses, leaves an
// effect without a buffer that never plays (the engine status says so).
#pragma once

#include <AL/al.h>

#include "engine/sound/simSoundeffect.h"

class simSound_openAL;

class simSoundeffect_openAL : public simSoundeffect {
public:
    simSoundeffect_openAL(simSound_openAL* sound, simCollectionItem* collection, std::string filePath,
                          std::string loadOptions);
    ~simSoundeffect_openAL() override;

    // A new playing source, or null while sound is off, without a buffer,
    // within 100 ms of the last start or when OpenAL has no source to give.
    simSoundeffectInstance* play(bool looping, float volume, float pitch, d3dx::Vector3* position,
                                 d3dx::Vector3* velocity) override;
    uint32_t getSampleRate() override { return m_sampleRate; }
    double getLength() override { return m_dataSize; }
    // From the real format: bytes / (rate x bytes per frame), in ms.
    float getDuration() override;

    ALuint buffer() const { return m_buffer; }
    bool is3D() const { return m_3d; }

private:
    simSound_openAL* m_sound;
    bool m_3d = false;
    float m_lastStartTime = 0.0f;  // ms
    ALuint m_buffer = 0;
    float m_dataSize = 0.0f;  // bytes
    uint32_t m_sampleRate = 0;
    uint32_t m_bytesPerFrame = 0;
};
