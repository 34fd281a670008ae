#include "engine/sound/CSound.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

CSound::CSound(std::vector<std::unique_ptr<dsound::IDirectSoundBuffer8>> buffers, uint32_t bufferBytes,
               std::unique_ptr<CWaveFile> reader, uint32_t flags)
    : m_buffers(std::move(buffers)), m_bufferBytes(bufferBytes), m_reader(std::move(reader)), m_flags(flags) {
    // Duplicates share the first buffer's memory, so one fill serves them all.
    if (!m_buffers.empty()) fillBufferWithSound(m_buffers[0].get(), false);
}

dsound::HRESULT CSound::getFreeBuffer(uint32_t* index) const {
    if (!index) return dsound::E_INVALIDARG;
    if (m_buffers.empty()) return wave::kNotInitialised;
    for (uint32_t i = 0; i < m_buffers.size(); ++i) {
        uint32_t status = 0;
        m_buffers[i]->GetStatus(&status);
        if (!(status & dsound::DSBSTATUS_PLAYING)) {
            *index = i;
            return dsound::DS_OK;
        }
    }
    *index = static_cast<uint32_t>(std::rand()) % static_cast<uint32_t>(m_buffers.size());
    return dsound::DS_OK;
}

dsound::HRESULT CSound::restoreBuffer(dsound::IDirectSoundBuffer8* buffer, bool* restored) {
    if (!buffer) return wave::kNotInitialised;
    if (restored) *restored = false;
    uint32_t status = 0;
    buffer->GetStatus(&status);
    if (!(status & dsound::DSBSTATUS_BUFFERLOST)) return dsound::DS_OK;
    // The device may keep a buffer lost for as long as another program holds
    // it: a few tries, then the failure goes to the caller.
    for (int attempt = 0; attempt < kRestoreTries; ++attempt) {
        const dsound::HRESULT result = buffer->Restore();
        if (result != dsound::DSERR_BUFFERLOST) {
            if (restored) *restored = result >= 0;
            return result;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return dsound::DSERR_BUFFERLOST;
}

dsound::HRESULT CSound::fillBufferWithSound(dsound::IDirectSoundBuffer8* buffer, bool repeat) {
    if (!buffer) return wave::kNotInitialised;
    dsound::HRESULT result = restoreBuffer(buffer, nullptr);
    if (result < 0) return result;
    void* locked = nullptr;
    uint32_t lockedBytes = 0;
    result = buffer->Lock(0, m_bufferBytes, &locked, &lockedBytes, nullptr, nullptr, 0);
    if (result < 0) return result;
    auto* out = static_cast<uint8_t*>(locked);
    const uint8_t silence = m_reader->format()->bitsPerSample == 8 ? 128 : 0;
    m_reader->resetFile();
    uint32_t read = 0;
    m_reader->read(out, lockedBytes, &read);
    uint32_t filled = read;
    while (repeat && read > 0 && filled < lockedBytes) {
        m_reader->resetFile();
        m_reader->read(out + filled, lockedBytes - filled, &read);
        filled += read;
    }
    std::memset(out + filled, silence, lockedBytes - filled);
    buffer->Unlock(locked, lockedBytes, nullptr, 0);
    return dsound::DS_OK;
}

dsound::IDirectSoundBuffer8* CSound::play(uint32_t priority, uint32_t flags, int32_t volume, int32_t frequency,
                                          int32_t pan, uint32_t* index) {
    uint32_t chosen = 0;
    if (getFreeBuffer(&chosen) < 0) return nullptr;
    dsound::IDirectSoundBuffer8* buffer = m_buffers[chosen].get();
    bool restored = false;
    if (restoreBuffer(buffer, &restored) < 0) return nullptr;
    if (restored && fillBufferWithSound(buffer, false) < 0) return nullptr;
    if (m_flags & dsound::DSBCAPS_CTRLVOLUME) buffer->SetVolume(volume);
    if ((m_flags & dsound::DSBCAPS_CTRLFREQUENCY) && frequency != -1)
        buffer->SetFrequency(static_cast<uint32_t>(frequency));
    if (m_flags & dsound::DSBCAPS_CTRLPAN) buffer->SetPan(pan);
    if (index) *index = chosen;
    return buffer->Play(0, priority, flags) == dsound::DS_OK ? buffer : nullptr;
}

dsound::HRESULT CSound::get3DBufferInterface(uint32_t index, dsound::IDirectSound3DBuffer8** buffer) {
    if (!buffer || index >= m_buffers.size()) return dsound::E_INVALIDARG;
    return m_buffers[index]->Get3DBuffer(buffer);
}
