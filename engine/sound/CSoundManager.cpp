#include "engine/sound/CSoundManager.h"

#include "engine/sound/CSound.h"

dsound::HRESULT CSoundManager::initialize(void* window, uint32_t cooperativeLevel) {
    m_device.reset();
    std::unique_ptr<dsound::IDirectSound8> device;
    dsound::HRESULT result = dsound::DirectSoundCreate8(m_platform, device);
    if (result < 0) return result;
    result = device->SetCooperativeLevel(window, cooperativeLevel);
    if (result < 0) return result;
    m_device = std::move(device);
    return dsound::DS_OK;
}

dsound::HRESULT CSoundManager::get3DListenerInterface(dsound::IDirectSound3DListener8** listener) {
    if (!listener) return dsound::E_INVALIDARG;
    if (!m_device) return wave::kNotInitialised;
    return m_device->GetListener(listener);
}

dsound::HRESULT CSoundManager::create(std::unique_ptr<CSound>& sound, const std::string& file, uint32_t flags,
                                      uint32_t count) {
    if (!m_device) return wave::kNotInitialised;
    if (file.empty() || count == 0) return dsound::E_INVALIDARG;
    auto reader = std::make_unique<CWaveFile>();
    if (wave::failed(reader->open(file.c_str(), nullptr, CWaveFile::kRead)) || reader->getSize() == 0)
        return dsound::E_FAIL;
    dsound::DSBUFFERDESC description;
    description.dwFlags = flags;
    description.dwBufferBytes = reader->getSize();
    description.lpwfxFormat = reader->format();
    std::vector<std::unique_ptr<dsound::IDirectSoundBuffer8>> buffers(1);
    dsound::HRESULT result = m_device->CreateSoundBuffer(&description, buffers[0]);
    if (result < 0 && result != dsound::DS_NO_VIRTUALIZATION) return result;
    for (uint32_t i = 1; i < count; ++i) {
        buffers.emplace_back();
        result = (flags & dsound::DSBCAPS_CTRLFX) ? m_device->CreateSoundBuffer(&description, buffers.back())
                                                  : m_device->DuplicateSoundBuffer(*buffers[0], buffers.back());
        if (result < 0) return result;
    }
    const uint32_t bytes = description.dwBufferBytes;
    sound = std::make_unique<CSound>(std::move(buffers), bytes, std::move(reader), flags);
    return dsound::DS_OK;
}
