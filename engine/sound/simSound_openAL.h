// simSound_openAL: the sound back end on OpenAL (OpenAL Soft here).
//
// Wave files are loaded whole with `CWaves`, copied into one OpenAL buffer per
// effect and freed; each play makes one OpenAL source. The engine is
// left-handed and OpenAL right-handed: every position, velocity and
// orientation crosses over with its z negated, and positions and velocities
// go from the engine's centimetres to metres.
#pragma once

#include <AL/al.h>
#include <AL/alc.h>

#include <memory>

#include "engine/sound/CWaves.h"
#include "engine/sound/openALDevice.h"
#include "engine/sound/simSound.h"

class simSound_openAL : public simSound {
public:
    // Opens "DirectSound3D", then "DirectSound", then the default device
    // through `device` (the platform's devices when null), makes a context
    // and starts; without a device a serious error, without a context a log
    // line, and sound stays off either way.
    explicit simSound_openAL(win::HWND window, std::unique_ptr<openALDevice> device = nullptr);
    ~simSound_openAL() override;

    std::string getDriverName() override { return "openAL"; }
    void update() override;
    void setMasterVolume(float percent) override;
    // Keeps the vectors (the position scaled to metres) and moves OpenAL's
    // listener there; the listener has no velocity.
    void setListener(d3dx::Vector3* position, d3dx::Vector3* forward, d3dx::Vector3* up) override;
    simSoundeffect* createEffect(simCollectionItem* collection, std::string filePath,
                                 std::string loadOptions) override;

    // A loaded wave, held by the loader until `releaseWave`.
    struct Wave {
        ALenum format = 0;
        const uint8_t* data = nullptr;
        uint32_t size = 0;
        uint32_t frequency = 0;
        uint32_t bytesPerFrame = 0;
    };
    // Loads an 8- or 16-bit mono or stereo PCM file; false (and nothing
    // kept) for anything else or while sound is off.
    bool loadWave(const std::string& file, Wave& wave);
    // Frees the wave loaded last.
    void releaseWave();

    ALCdevice* device() const { return m_device; }

private:
    bool openDevice();

    std::unique_ptr<openALDevice> m_deviceSource;
    ALCdevice* m_device = nullptr;
    ALCcontext* m_context = nullptr;
    std::unique_ptr<CWaves> m_waves;
    CWaves::WaveId m_waveId = 0;
};
