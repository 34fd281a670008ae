// soundPlatform: what the XAudio2- and DirectSound-shaped back ends stand on.
//
// Neither API exists here, so both back ends play through one software mixer
// of ours (soundMixer) whose output goes to a device. The platform owns the
// mixer and that output. The OpenAL one streams the mix to OpenAL Soft; tests
// use one that starts nothing and pull the mixer's frames themselves, and set
// `faults` to make the API calls that can fail on a real system fail.
#pragma once

#include <memory>

#include "engine/sound/openALDevice.h"
#include "engine/sound/soundMixer.h"

class soundPlatform {
public:
    // Calls that fail while their flag is set.
    struct Faults {
        bool engine = false;        // creating the audio engine / device object
        bool output = false;        // opening the output (mastering voice, cooperative level)
        bool voice = false;         // creating a source voice / sound buffer
        bool positioning = false;   // the 3-D positioning set-up / listener
        bool bufferLost = false;    // sound buffers report themselves lost
        bool restoreFails = false;  // restoring a lost buffer keeps failing
    };

    virtual ~soundPlatform() = default;

    soundMixer& mixer() { return m_mixer; }
    // Opens the output; false when there is none.
    virtual bool startOutput() = 0;
    // Hands newly mixed frames to the output (once a frame).
    virtual void pump() {}

    Faults faults;

    // Streams the mix to OpenAL Soft through `device` (the platform's
    // default device when null).
    static std::unique_ptr<soundPlatform> openAL(std::unique_ptr<openALDevice> device = nullptr);

private:
    soundMixer m_mixer;
};
