// simSoundeffectInstance_openAL: one OpenAL source playing an effect.
//
// The source is made and started by the effect's play; the instance owns it
// from then on. A one-shot whose source has stopped (or that has lost its
// source) deletes itself at its next update.
#pragma once

#include <AL/al.h>

#include "engine/sound/simSoundeffectInstance.h"

class simSoundeffect_openAL;

class simSoundeffectInstance_openAL : public simSoundeffectInstance {
public:
    simSoundeffectInstance_openAL(simSoundeffect_openAL* effect, ALuint source, float volume, float pitch,
                                  bool looping, d3dx::Vector3* position, d3dx::Vector3* velocity);
    ~simSoundeffectInstance_openAL() override;

    void update() override;
    void stop() override;
    void setPosition(d3dx::Vector3* position, bool immediate) override;
    void setVelocity(d3dx::Vector3* velocity, bool immediate) override;
    // Moves the play cursor to `ms` from the start.
    void playFrom(float ms) override;
    // Milliseconds from the start to the play cursor.
    float getPlayPosition() override;
    void detach() override;

    // Stops and deletes the source (the effect is going); the instance ends.
    void releaseSource();
    ALuint source() const { return m_source; }

    // OpenAL's pitch for a pitch in per cent (100 = the sample's own rate):
    // (pitch + 100) / 200 x factor, the pitch held at -100 or more so that
    // the result is never negative. Play and update share it.
    static float pitchValue(float pitch, float factor);

private:
    ALuint m_source = 0;
};
