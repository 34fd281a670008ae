// OpenAL Soft's loopback device as the sound system's device: nothing is
// played, and the test renders the mix into memory, as float frames of the
// chosen channel layout at 44.1 kHz, with HRTF off so panning is plain.
#pragma once

#include <AL/alc.h>
#include <AL/alext.h>

#include <vector>

#include "engine/sound/openALDevice.h"

namespace soundtest {

class LoopbackDevice : public openALDevice {
public:
    static constexpr int kRate = 44100;

    // ALC_STEREO_SOFT (2 channels) or ALC_QUAD_SOFT (4: front left, front
    // right, back left, back right).
    explicit LoopbackDevice(ALCenum channels = ALC_STEREO_SOFT, ALCdevice** opened = nullptr)
        : m_opened(opened) {
        m_attributes = {ALC_FORMAT_CHANNELS_SOFT, channels, ALC_FORMAT_TYPE_SOFT, ALC_FLOAT_SOFT,
                        ALC_FREQUENCY, kRate, ALC_HRTF_SOFT, ALC_FALSE, 0};
    }

    ALCdevice* open(const char*) override {
        auto openLoopback =
            reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
        ALCdevice* device = openLoopback ? openLoopback(nullptr) : nullptr;
        if (m_opened) *m_opened = device;
        return device;
    }
    const ALCint* contextAttributes() const override { return m_attributes.data(); }

    static int channelCount(ALCenum channels) { return channels == ALC_QUAD_SOFT ? 4 : 2; }

    // Renders `frames` frames of the device's mix.
    static std::vector<float> render(ALCdevice* device, int channels, int frames) {
        auto renderSamples =
            reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(device, "alcRenderSamplesSOFT"));
        std::vector<float> out(static_cast<size_t>(frames) * channels);
        renderSamples(device, out.data(), frames);
        return out;
    }

private:
    std::vector<ALCint> m_attributes;
    ALCdevice** m_opened;
};

}  // namespace soundtest
