// openALDevice: where the sound system's OpenAL output goes.
//
// The OpenAL back end and the output of the software mixer open their device
// through this seam. The system one opens OpenAL Soft's playback devices by
// name; tests hand in one that opens OpenAL Soft's loopback device instead,
// which renders into memory on request, so what would be heard can be
// measured without a sound card.
#pragma once

#include <AL/alc.h>

#include <memory>

class openALDevice {
public:
    virtual ~openALDevice() = default;
    // A device by name, or the default device for null; null when none opens.
    virtual ALCdevice* open(const char* name) = 0;
    // The attributes the context of a device from `open` is made with (a
    // zero-terminated list), or null for the device's own choice.
    virtual const ALCint* contextAttributes() const { return nullptr; }

    // The platform's playback devices.
    static std::unique_ptr<openALDevice> system();
};
