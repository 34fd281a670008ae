// CSoundManager: the DirectSound device of the DirectSound back end, and the
// maker of `CSound` buffer sets from wave files.
#pragma once

#include <memory>
#include <string>

#include "engine/sound/directSoundApi.h"

class CSound;

class CSoundManager {
public:
    explicit CSoundManager(soundPlatform& platform) : m_platform(platform) {}

    // Creates the device and sets its cooperative level.
    dsound::HRESULT initialize(void* window, uint32_t cooperativeLevel);
    dsound::HRESULT get3DListenerInterface(dsound::IDirectSound3DListener8** listener);
    // `count` buffers with `flags`, all holding the file's audio: the first
    // made and filled, the others duplicates of it (separate buffers when
    // the flags ask for effects). Fails without a device, for a file that
    // does not open or holds no audio, and when a buffer cannot be made.
    dsound::HRESULT create(std::unique_ptr<CSound>& sound, const std::string& file, uint32_t flags,
                           uint32_t count);

    dsound::IDirectSound8* device() const { return m_device.get(); }

private:
    soundPlatform& m_platform;
    std::unique_ptr<dsound::IDirectSound8> m_device;
};
