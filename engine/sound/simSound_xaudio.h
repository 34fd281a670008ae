// simSound_xaudio: the XAudio2-shaped back end, on our mixer.
//
// One engine with a mastering voice; each play makes a source voice holding
// the effect's audio, positioned in 3-D by the X3DAudio-shaped calculation.
// The reverb submix of the original design has no counterpart in the mixer:
// its creation fails and the back end works without it, as it would on a
// system without the reverb effect.
#pragma once

#include <memory>

#include "engine/sound/soundPlatform.h"
#include "engine/sound/simSound.h"
#include "engine/sound/xaudio2Api.h"

class simSound_xaudio : public simSound {
public:
    // Starts on `platform` (OpenAL Soft's default device when null); an
    // engine or output that cannot be made is a serious error and leaves
    // sound off.
    explicit simSound_xaudio(win::HWND window, std::unique_ptr<soundPlatform> platform = nullptr);
    ~simSound_xaudio() override;

    std::string getDriverName() override { return "xaudio"; }
    // The common update, then the mix handed on to the output.
    void update() override;
    void setMasterVolume(float percent) override;
    void setListener(d3dx::Vector3* position, d3dx::Vector3* forward, d3dx::Vector3* up) override;
    simSoundeffect* createEffect(simCollectionItem* collection, std::string filePath,
                                 std::string loadOptions) override;

    xaudio::IXAudio2* engine() const { return m_engine.get(); }
    xaudio::IXAudio2MasteringVoice* masteringVoice() const { return m_masteringVoice.get(); }
    const xaudio::X3DAUDIO_HANDLE& positioning() const { return m_x3d; }
    const xaudio::X3DAUDIO_LISTENER& listener() const { return m_listener; }
    uint32_t outputChannels() const { return m_details.OutputChannels; }
    soundPlatform& platform() { return *m_platform; }

private:
    void initReverb();

    std::unique_ptr<soundPlatform> m_platform;
    std::unique_ptr<xaudio::IXAudio2> m_engine;
    xaudio::X3DAUDIO_HANDLE m_x3d;
    xaudio::X3DAUDIO_LISTENER m_listener;
    xaudio::XAUDIO2_DEVICE_DETAILS m_details;
    std::unique_ptr<xaudio::IXAudio2MasteringVoice> m_masteringVoice;
};
