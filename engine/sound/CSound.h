// CSound: a set of DirectSound buffers filled from one wave file, so that one
// sound can play several times at once.
#pragma once

#include <memory>
#include <vector>

#include "engine/sound/CWaveFile.h"
#include "engine/sound/directSoundApi.h"

class CSound {
public:
    // Tries at restoring a lost buffer before giving up, 10 ms apart.
    static constexpr int kRestoreTries = 5;

    CSound(std::vector<std::unique_ptr<dsound::IDirectSoundBuffer8>> buffers, uint32_t bufferBytes,
           std::unique_ptr<CWaveFile> reader, uint32_t flags);
    virtual ~CSound() = default;

    // Starts a free buffer (a random one when all play) with the volume,
    // frequency and pan its controls allow; the buffer, or null on failure.
    dsound::IDirectSoundBuffer8* play(uint32_t priority, uint32_t flags, int32_t volume, int32_t frequency,
                                      int32_t pan, uint32_t* index = nullptr);
    dsound::HRESULT getFreeBuffer(uint32_t* index) const;
    // A lost buffer is restored (at most kRestoreTries tries); `restored`
    // says whether it must be filled again.
    dsound::HRESULT restoreBuffer(dsound::IDirectSoundBuffer8* buffer, bool* restored);
    // Writes the file's audio into the buffer, the rest silence (or the file
    // again from its start when `repeat`).
    dsound::HRESULT fillBufferWithSound(dsound::IDirectSoundBuffer8* buffer, bool repeat);
    dsound::HRESULT get3DBufferInterface(uint32_t index, dsound::IDirectSound3DBuffer8** buffer);

    uint32_t bufferCount() const { return static_cast<uint32_t>(m_buffers.size()); }
    dsound::IDirectSoundBuffer8* buffer(uint32_t index) const { return m_buffers[index].get(); }

private:
    std::vector<std::unique_ptr<dsound::IDirectSoundBuffer8>> m_buffers;
    uint32_t m_bufferBytes;
    std::unique_ptr<CWaveFile> m_reader;
    uint32_t m_flags;
};
