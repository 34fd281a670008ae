// simSoundeffectInstance_xaudio: one source voice playing an effect.
//
// An instance whose voice could not be made (or was taken by its effect
// going) plays nothing and deletes itself at its next update; so does a
// stopped instance, looping or not, once its voice has been flushed.
#pragma once

#include <memory>

#include "engine/sound/simSoundeffectInstance.h"
#include "engine/sound/xaudio2Api.h"

class simSoundeffect_xaudio;

class simSoundeffectInstance_xaudio : public simSoundeffectInstance {
public:
    simSoundeffectInstance_xaudio(simSoundeffect_xaudio* effect, float volume, float pitch, bool looping,
                                  d3dx::Vector3* position, d3dx::Vector3* velocity);
    ~simSoundeffectInstance_xaudio() override;

    void update() override;
    void stop() override;
    void setPosition(d3dx::Vector3* position, bool immediate) override;
    void setVelocity(d3dx::Vector3* velocity, bool immediate) override;
    // Starts again `ms` into the sound (a new voice, without sends).
    void playFrom(float ms) override;
    // Milliseconds played since the voice started.
    float getPlayPosition() override;
    void detach() override;

    // Destroys the voice; the instance ends at its next update.
    void releaseVoice();
    xaudio::IXAudio2SourceVoice* voice() const { return m_voice.get(); }
    const xaudio::X3DAUDIO_EMITTER& emitter() const { return m_emitter; }

private:
    bool makeVoice(uint32_t playBegin);

    simSoundeffect_xaudio* m_effect;
    std::unique_ptr<xaudio::IXAudio2SourceVoice> m_voice;
    xaudio::X3DAUDIO_EMITTER m_emitter;
    bool m_3d = false;
    bool m_looping = false;
    uint32_t m_playBegin = 0;  // frames skipped by playFrom, counted as played
};
