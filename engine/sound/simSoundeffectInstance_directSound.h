// simSoundeffectInstance_directSound: an effect playing from a `CSound` of its
// own. Volume becomes an attenuation in hundredths of a decibel from the same
// squared linear gain the other back ends use, and the frequency follows the
// file's own rate. An instance whose buffers could not be made plays nothing
// and deletes itself at its next update.
#pragma once

#include <memory>

#include "engine/sound/CSound.h"
#include "engine/sound/simSoundeffectInstance.h"

class simSoundeffect_directSound;

class simSoundeffectInstance_directSound : public simSoundeffectInstance {
public:
    simSoundeffectInstance_directSound(simSoundeffect_directSound* effect, float volume, float pitch, bool looping,
                                       d3dx::Vector3* position, d3dx::Vector3* velocity);
    ~simSoundeffectInstance_directSound() override;

    void update() override;
    void stop() override;
    void setPosition(d3dx::Vector3* position, bool immediate) override;
    void setVelocity(d3dx::Vector3* velocity, bool immediate) override;
    // Moves the play cursor `ms` into the sound, on a whole sample frame.
    void playFrom(float ms) override;
    float getPlayPosition() override;
    void detach() override;

    dsound::IDirectSoundBuffer8* buffer() const { return m_buffer; }
    dsound::IDirectSound3DBuffer8* buffer3D() const { return m_3dBuffer; }

private:
    // The attenuation and frequency for the current volume, pitch and fades.
    int32_t attenuation() const;
    int32_t frequency() const;
    void releaseBuffers();

    simSoundeffect_directSound* m_effect;
    std::unique_ptr<CSound> m_sound;
    dsound::IDirectSoundBuffer8* m_buffer = nullptr;
    dsound::IDirectSound3DBuffer8* m_3dBuffer = nullptr;
    uint32_t m_sampleRate = 0;
    bool m_3d = false;
    bool m_looping = false;
};
