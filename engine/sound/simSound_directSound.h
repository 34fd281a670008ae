// simSound_directSound: the DirectSound-shaped back end, on our mixer.
//
// Each instance loads its wave file again into a `CSound` of four buffers of
// its own. Positions go to the 3-D listener and buffers unscaled: the
// listener's distance factor turns the engine's centimetres into metres.
#pragma once

#include <memory>

#include "engine/sound/CSoundManager.h"
#include "engine/sound/simSound.h"

class simSound_directSound : public simSound {
public:
    // Starts on `platform` (OpenAL Soft's default device when null); a device
    // or listener that cannot be had leaves sound off with the failure in the
    // engine status.
    explicit simSound_directSound(win::HWND window, std::unique_ptr<soundPlatform> platform = nullptr);
    ~simSound_directSound() override;

    std::string getDriverName() override { return "directSound"; }
    // The common update, the listener's deferred settings, the mix handed on.
    void update() override;
    void setMasterVolume(float percent) override;
    void setListener(d3dx::Vector3* position, d3dx::Vector3* forward, d3dx::Vector3* up) override;
    simSoundeffect* createEffect(simCollectionItem* collection, std::string filePath,
                                 std::string loadOptions) override;

    CSoundManager& manager() { return *m_manager; }
    soundPlatform& platform() { return *m_platform; }

private:
    std::unique_ptr<soundPlatform> m_platform;
    std::unique_ptr<CSoundManager> m_manager;
    dsound::IDirectSound3DListener8* m_listener = nullptr;
};
