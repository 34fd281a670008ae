// The part of DirectSound 8 that the DirectSound back end calls, shaped like
// that API and standing on our mixer (soundPlatform).
//
// A secondary buffer is a block of audio with its own mixer voice; volume is
// an attenuation in hundredths of a decibel (0 is full volume), pan the same
// on one side, frequency in samples per second. 3-D buffers are placed
// relative to the device's one listener (panned, attenuated beyond their
// minimum distance by the rolloff factor, and shifted by the Doppler effect of
// their velocity), whose deferred settings, and those of buffers set with
// DS3D_DEFERRED, take effect at CommitDeferredSettings. Sound cones and the
// maximum distance are kept but not applied.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/sound/soundPlatform.h"
#include "engine/sound/waveFormat.h"
#include "platform/d3dx/d3dxMathTypes.h"

namespace dsound {

using HRESULT = int32_t;
inline constexpr HRESULT DS_OK = 0;
inline constexpr HRESULT DS_NO_VIRTUALIZATION = 0x0878000A;
inline constexpr HRESULT DSERR_BUFFERLOST = static_cast<HRESULT>(0x88780096u);
inline constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
inline constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

inline constexpr uint32_t DSBCAPS_CTRL3D = 0x10;
inline constexpr uint32_t DSBCAPS_CTRLFREQUENCY = 0x20;
inline constexpr uint32_t DSBCAPS_CTRLPAN = 0x40;
inline constexpr uint32_t DSBCAPS_CTRLVOLUME = 0x80;
inline constexpr uint32_t DSBCAPS_CTRLFX = 0x200;
inline constexpr uint32_t DSBCAPS_LOCDEFER = 0x40000;

inline constexpr uint32_t DSBSTATUS_PLAYING = 0x1;
inline constexpr uint32_t DSBSTATUS_BUFFERLOST = 0x2;
inline constexpr uint32_t DSBSTATUS_LOOPING = 0x4;
inline constexpr uint32_t DSBPLAY_LOOPING = 0x1;
inline constexpr uint32_t DSSCL_PRIORITY = 2;

inline constexpr int32_t DSBVOLUME_MIN = -10000;
inline constexpr int32_t DSBVOLUME_MAX = 0;
inline constexpr uint32_t DSBFREQUENCY_MIN = 100;
inline constexpr uint32_t DSBFREQUENCY_MAX = 200000;

inline constexpr uint32_t DS3D_IMMEDIATE = 0;
inline constexpr uint32_t DS3D_DEFERRED = 1;

struct DSBUFFERDESC {
    uint32_t dwSize = 36;
    uint32_t dwFlags = 0;
    uint32_t dwBufferBytes = 0;
    const wave::WaveFormat* lpwfxFormat = nullptr;
};

struct DS3DBUFFER {
    uint32_t dwSize = 64;
    d3dx::Vector3 vPosition;
    d3dx::Vector3 vVelocity;
    uint32_t dwInsideConeAngle = 360;
    uint32_t dwOutsideConeAngle = 360;
    d3dx::Vector3 vConeOrientation;
    int32_t lConeOutsideVolume = 0;
    float flMinDistance = 1.0f;
    float flMaxDistance = 1e9f;
    uint32_t dwMode = 0;
};

class IDirectSound8;

class IDirectSound3DBuffer8 {
public:
    HRESULT SetAllParameters(const DS3DBUFFER* parameters, uint32_t apply);
    HRESULT SetPosition(float x, float y, float z, uint32_t apply);
    HRESULT SetVelocity(float x, float y, float z, uint32_t apply);

private:
    friend class IDirectSoundBuffer8;
    friend class IDirectSound8;
    explicit IDirectSound3DBuffer8(class IDirectSoundBuffer8& buffer) : m_buffer(buffer) {}
    HRESULT settle(uint32_t apply);

    IDirectSoundBuffer8& m_buffer;
    DS3DBUFFER m_current;
    DS3DBUFFER m_pending;
    bool m_hasPending = false;
};

class IDirectSoundBuffer8 {
public:
    ~IDirectSoundBuffer8();
    IDirectSoundBuffer8(const IDirectSoundBuffer8&) = delete;
    IDirectSoundBuffer8& operator=(const IDirectSoundBuffer8&) = delete;

    HRESULT GetStatus(uint32_t* status) const;
    // Gives a lost buffer its memory back (its contents must be written again).
    HRESULT Restore();
    // The whole buffer comes back as the first part; the second stays empty.
    HRESULT Lock(uint32_t offset, uint32_t bytes, void** audio1, uint32_t* bytes1, void** audio2, uint32_t* bytes2,
                 uint32_t flags);
    HRESULT Unlock(void* audio1, uint32_t bytes1, void* audio2, uint32_t bytes2);
    HRESULT SetVolume(int32_t hundredthsOfDb);
    HRESULT SetFrequency(uint32_t samplesPerSecond);
    HRESULT SetPan(int32_t hundredthsOfDb);
    HRESULT Play(uint32_t reserved, uint32_t priority, uint32_t flags);
    HRESULT Stop();
    // On a whole sample frame only (the mixer plays no part frames).
    HRESULT SetCurrentPosition(uint32_t byte);
    HRESULT GetCurrentPosition(uint32_t* play, uint32_t* write) const;
    // The buffer's 3-D interface (QueryInterface); E_FAIL without 3-D control.
    HRESULT Get3DBuffer(IDirectSound3DBuffer8** buffer);

    const wave::WaveFormat& format() const { return m_format; }

private:
    friend class IDirectSound8;
    friend class IDirectSound3DBuffer8;
    IDirectSoundBuffer8(IDirectSound8& device, uint32_t flags, const wave::WaveFormat& format,
                        std::shared_ptr<std::vector<uint8_t>> audio);
    void applyGain();
    // The frequency set, times the Doppler shift of a 3-D buffer.
    void applyFrequency();

    IDirectSound8& m_device;
    uint32_t m_flags;
    wave::WaveFormat m_format;
    std::shared_ptr<std::vector<uint8_t>> m_audio;  // shared by duplicates
    soundMixer::VoiceId m_voice = 0;
    float m_volume = 1.0f;
    float m_frequencyRatio = 1.0f;
    float m_doppler = 1.0f;
    float m_leftPan = 1.0f, m_rightPan = 1.0f;
    bool m_lost = false;
    bool m_looping = false;
    std::unique_ptr<IDirectSound3DBuffer8> m_3d;
};

class IDirectSound3DListener8 {
public:
    HRESULT SetDistanceFactor(float factor, uint32_t apply);
    HRESULT SetDopplerFactor(float factor, uint32_t apply);
    HRESULT SetRolloffFactor(float factor, uint32_t apply);
    HRESULT SetPosition(float x, float y, float z, uint32_t apply);
    HRESULT SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY, float topZ,
                           uint32_t apply);
    // Applies every deferred setting, the listener's and the 3-D buffers'.
    HRESULT CommitDeferredSettings();

private:
    friend class IDirectSound8;
    friend class IDirectSound3DBuffer8;
    struct Settings {
        float distanceFactor = 1.0f;
        float dopplerFactor = 1.0f;
        float rolloffFactor = 1.0f;
        d3dx::Vector3 position;
        d3dx::Vector3 front{0.0f, 0.0f, 1.0f};
        d3dx::Vector3 top{0.0f, 1.0f, 0.0f};
    };
    explicit IDirectSound3DListener8(IDirectSound8& device) : m_device(device) {}
    HRESULT settle(uint32_t apply);

    IDirectSound8& m_device;
    Settings m_current;
    Settings m_pending;
};

class IDirectSound8 {
public:
    explicit IDirectSound8(soundPlatform& platform);
    ~IDirectSound8();

    // Opens the output.
    HRESULT SetCooperativeLevel(void* window, uint32_t level);
    HRESULT CreateSoundBuffer(const DSBUFFERDESC* description, std::unique_ptr<IDirectSoundBuffer8>& buffer);
    // A buffer sharing the original's memory, with its own voice and settings.
    HRESULT DuplicateSoundBuffer(const IDirectSoundBuffer8& original, std::unique_ptr<IDirectSoundBuffer8>& buffer);
    // The listener (of the primary buffer with 3-D control).
    HRESULT GetListener(IDirectSound3DListener8** listener);
    void pump() { m_platform.pump(); }

private:
    friend class IDirectSoundBuffer8;
    friend class IDirectSound3DBuffer8;
    friend class IDirectSound3DListener8;
    void place(IDirectSoundBuffer8& buffer);
    void placeAll();
    void commitBuffers();

    soundPlatform& m_platform;
    IDirectSound3DListener8 m_listener;
    std::vector<IDirectSoundBuffer8*> m_buffers;  // live buffers, to place after listener changes
    bool m_open = false;
};

HRESULT DirectSoundCreate8(soundPlatform& platform, std::unique_ptr<IDirectSound8>& device);

// Linear gain as DirectSound's attenuation in hundredths of a decibel,
// DSBVOLUME_MIN for silence.
int32_t hundredthsOfDb(float gain);

}  // namespace dsound
