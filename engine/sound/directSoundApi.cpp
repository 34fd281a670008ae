#include "engine/sound/directSoundApi.h"

#include <algorithm>
#include <cmath>

#include "engine/sound/soundPanning.h"

namespace dsound {

namespace {

constexpr float kSpeedOfSound = 343.5f;  // metres per second

float gainOf(int32_t hundredthsOfDb) {
    return hundredthsOfDb <= DSBVOLUME_MIN ? 0.0f : std::pow(10.0f, static_cast<float>(hundredthsOfDb) / 2000.0f);
}

}  // namespace

int32_t hundredthsOfDb(float gain) {
    if (!(gain > 0.0f)) return DSBVOLUME_MIN;
    const float value = 2000.0f * std::log10(gain);
    return static_cast<int32_t>(std::clamp(value, static_cast<float>(DSBVOLUME_MIN), 0.0f));
}

// ---- 3-D buffer

HRESULT IDirectSound3DBuffer8::settle(uint32_t apply) {
    if (apply == DS3D_DEFERRED) {
        m_hasPending = true;
        return DS_OK;
    }
    m_current = m_pending;
    m_hasPending = false;
    m_buffer.m_device.place(m_buffer);
    return DS_OK;
}

HRESULT IDirectSound3DBuffer8::SetAllParameters(const DS3DBUFFER* parameters, uint32_t apply) {
    if (!parameters) return E_INVALIDARG;
    m_pending = *parameters;
    return settle(apply);
}

HRESULT IDirectSound3DBuffer8::SetPosition(float x, float y, float z, uint32_t apply) {
    m_pending.vPosition = d3dx::Vector3(x, y, z);
    return settle(apply);
}

HRESULT IDirectSound3DBuffer8::SetVelocity(float x, float y, float z, uint32_t apply) {
    m_pending.vVelocity = d3dx::Vector3(x, y, z);
    return settle(apply);
}

// ---- Buffer

IDirectSoundBuffer8::IDirectSoundBuffer8(IDirectSound8& device, uint32_t flags, const wave::WaveFormat& format,
                                         std::shared_ptr<std::vector<uint8_t>> audio)
    : m_device(device), m_flags(flags), m_format(format), m_audio(std::move(audio)) {
    m_voice = device.m_platform.mixer().createVoice(format);
    if (flags & DSBCAPS_CTRL3D) m_3d.reset(new IDirectSound3DBuffer8(*this));
    device.m_buffers.push_back(this);
}

IDirectSoundBuffer8::~IDirectSoundBuffer8() {
    m_device.m_platform.mixer().destroyVoice(m_voice);
    auto& buffers = m_device.m_buffers;
    buffers.erase(std::remove(buffers.begin(), buffers.end(), this), buffers.end());
}

HRESULT IDirectSoundBuffer8::GetStatus(uint32_t* status) const {
    if (!status) return E_INVALIDARG;
    soundMixer& mixer = m_device.m_platform.mixer();
    const bool playing = mixer.isPlaying(m_voice) && mixer.state(m_voice).buffersQueued > 0;
    *status = (playing ? DSBSTATUS_PLAYING : 0u) | (playing && m_looping ? DSBSTATUS_LOOPING : 0u) |
              (m_lost || m_device.m_platform.faults.bufferLost ? DSBSTATUS_BUFFERLOST : 0u);
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::Restore() {
    if (m_device.m_platform.faults.restoreFails) return DSERR_BUFFERLOST;
    m_lost = false;
    m_device.m_platform.faults.bufferLost = false;
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::Lock(uint32_t offset, uint32_t bytes, void** audio1, uint32_t* bytes1, void** audio2,
                                  uint32_t* bytes2, uint32_t) {
    if (!audio1 || !bytes1 || offset > m_audio->size()) return E_INVALIDARG;
    if (m_lost || m_device.m_platform.faults.bufferLost) return DSERR_BUFFERLOST;
    *audio1 = m_audio->data() + offset;
    *bytes1 = std::min<uint32_t>(bytes, static_cast<uint32_t>(m_audio->size() - offset));
    if (audio2) *audio2 = nullptr;
    if (bytes2) *bytes2 = 0;
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::Unlock(void*, uint32_t, void*, uint32_t) { return DS_OK; }

HRESULT IDirectSoundBuffer8::SetVolume(int32_t value) {
    if (!(m_flags & DSBCAPS_CTRLVOLUME) || value < DSBVOLUME_MIN || value > DSBVOLUME_MAX) return E_INVALIDARG;
    m_volume = gainOf(value);
    applyGain();
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::SetFrequency(uint32_t samplesPerSecond) {
    if (!(m_flags & DSBCAPS_CTRLFREQUENCY) || samplesPerSecond < DSBFREQUENCY_MIN ||
        samplesPerSecond > DSBFREQUENCY_MAX)
        return E_INVALIDARG;
    m_frequencyRatio = static_cast<float>(samplesPerSecond) / static_cast<float>(m_format.samplesPerSec);
    applyFrequency();
    return DS_OK;
}

void IDirectSoundBuffer8::applyFrequency() {
    m_device.m_platform.mixer().setFrequencyRatio(m_voice, m_frequencyRatio * m_doppler);
}

HRESULT IDirectSoundBuffer8::SetPan(int32_t value) {
    if (!(m_flags & DSBCAPS_CTRLPAN) || value < DSBVOLUME_MIN || value > -DSBVOLUME_MIN) return E_INVALIDARG;
    // A pan to the right attenuates the left, and the other way round.
    m_leftPan = value > 0 ? gainOf(-value) : 1.0f;
    m_rightPan = value < 0 ? gainOf(value) : 1.0f;
    applyGain();
    return DS_OK;
}

void IDirectSoundBuffer8::applyGain() {
    soundMixer& mixer = m_device.m_platform.mixer();
    mixer.setGain(m_voice, m_volume);
    if (m_3d) {
        m_device.place(*this);
        return;
    }
    const float matrix[4] = {m_leftPan, 0.0f, 0.0f, m_rightPan};
    const float mono[2] = {m_leftPan, m_rightPan};
    mixer.setMatrix(m_voice, m_format.channels == 1 ? mono : matrix);
}

HRESULT IDirectSoundBuffer8::Play(uint32_t, uint32_t, uint32_t flags) {
    if (m_lost || m_device.m_platform.faults.bufferLost) return DSERR_BUFFERLOST;
    soundMixer& mixer = m_device.m_platform.mixer();
    const uint32_t cursor = mixer.cursor(m_voice);
    m_looping = (flags & DSBPLAY_LOOPING) != 0;
    soundMixer::Buffer whole;
    whole.audio = m_audio->data();
    whole.bytes = static_cast<uint32_t>(m_audio->size());
    whole.loopCount = m_looping ? soundMixer::kLoopInfinite : 0;
    mixer.flush(m_voice);
    if (!mixer.submit(m_voice, whole)) return E_FAIL;
    // A buffer played again goes on from its cursor (the start once it ended).
    const uint32_t frames = whole.bytes / m_format.blockAlign;
    mixer.setCursor(m_voice, cursor < frames ? cursor : 0);
    mixer.start(m_voice);
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::Stop() {
    m_device.m_platform.mixer().stop(m_voice);
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::SetCurrentPosition(uint32_t byte) {
    // The mixer plays whole sample frames: a cursor inside one is refused.
    if (byte > m_audio->size() || byte % m_format.blockAlign != 0) return E_INVALIDARG;
    m_device.m_platform.mixer().setCursor(m_voice, byte / m_format.blockAlign);
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::GetCurrentPosition(uint32_t* play, uint32_t* write) const {
    const uint32_t byte = m_device.m_platform.mixer().cursor(m_voice) * m_format.blockAlign;
    if (play) *play = byte;
    if (write) *write = byte;
    return DS_OK;
}

HRESULT IDirectSoundBuffer8::Get3DBuffer(IDirectSound3DBuffer8** buffer) {
    if (!buffer) return E_INVALIDARG;
    *buffer = m_3d.get();
    return m_3d ? DS_OK : E_FAIL;
}

// ---- Listener

HRESULT IDirectSound3DListener8::settle(uint32_t apply) {
    if (apply == DS3D_IMMEDIATE) {
        m_current = m_pending;
        m_device.placeAll();
    }
    return DS_OK;
}

HRESULT IDirectSound3DListener8::SetDistanceFactor(float factor, uint32_t apply) {
    m_pending.distanceFactor = factor;
    return settle(apply);
}

HRESULT IDirectSound3DListener8::SetDopplerFactor(float factor, uint32_t apply) {
    m_pending.dopplerFactor = factor;
    return settle(apply);
}

HRESULT IDirectSound3DListener8::SetRolloffFactor(float factor, uint32_t apply) {
    m_pending.rolloffFactor = factor;
    return settle(apply);
}

HRESULT IDirectSound3DListener8::SetPosition(float x, float y, float z, uint32_t apply) {
    m_pending.position = d3dx::Vector3(x, y, z);
    return settle(apply);
}

HRESULT IDirectSound3DListener8::SetOrientation(float frontX, float frontY, float frontZ, float topX, float topY,
                                                float topZ, uint32_t apply) {
    m_pending.front = d3dx::Vector3(frontX, frontY, frontZ);
    m_pending.top = d3dx::Vector3(topX, topY, topZ);
    return settle(apply);
}

HRESULT IDirectSound3DListener8::CommitDeferredSettings() {
    m_current = m_pending;
    m_device.commitBuffers();
    m_device.placeAll();
    return DS_OK;
}

// ---- Device

IDirectSound8::IDirectSound8(soundPlatform& platform) : m_platform(platform), m_listener(*this) {}

IDirectSound8::~IDirectSound8() = default;

HRESULT IDirectSound8::SetCooperativeLevel(void*, uint32_t) {
    if (m_platform.faults.output || !m_platform.startOutput()) return E_FAIL;
    m_open = true;
    return DS_OK;
}

HRESULT IDirectSound8::CreateSoundBuffer(const DSBUFFERDESC* description,
                                         std::unique_ptr<IDirectSoundBuffer8>& buffer) {
    if (!description || !description->lpwfxFormat || description->dwBufferBytes == 0) return E_INVALIDARG;
    if (!m_open || m_platform.faults.voice) return E_FAIL;
    auto audio = std::make_shared<std::vector<uint8_t>>(description->dwBufferBytes, 0);
    buffer.reset(new IDirectSoundBuffer8(*this, description->dwFlags, *description->lpwfxFormat, std::move(audio)));
    if (!buffer->m_voice) {
        buffer.reset();
        return E_INVALIDARG;
    }
    return DS_OK;
}

HRESULT IDirectSound8::DuplicateSoundBuffer(const IDirectSoundBuffer8& original,
                                            std::unique_ptr<IDirectSoundBuffer8>& buffer) {
    if (m_platform.faults.voice) return E_FAIL;
    buffer.reset(new IDirectSoundBuffer8(*this, original.m_flags, original.m_format, original.m_audio));
    return DS_OK;
}

HRESULT IDirectSound8::GetListener(IDirectSound3DListener8** listener) {
    if (!listener) return E_INVALIDARG;
    if (!m_open || m_platform.faults.positioning) return E_FAIL;
    *listener = &m_listener;
    return DS_OK;
}

void IDirectSound8::commitBuffers() {
    for (IDirectSoundBuffer8* buffer : m_buffers) {
        if (buffer->m_3d && buffer->m_3d->m_hasPending) {
            buffer->m_3d->m_current = buffer->m_3d->m_pending;
            buffer->m_3d->m_hasPending = false;
        }
    }
}

void IDirectSound8::placeAll() {
    for (IDirectSoundBuffer8* buffer : m_buffers)
        if (buffer->m_3d) place(*buffer);
}

void IDirectSound8::place(IDirectSoundBuffer8& buffer) {
    if (!buffer.m_3d) return;
    const IDirectSound3DListener8::Settings& listener = m_listener.m_current;
    const DS3DBUFFER& at = buffer.m_3d->m_current;
    const d3dx::Vector3 offset = at.vPosition - listener.position;
    const float distance = lengthOf(offset);
    const float nearest = std::max(at.flMinDistance, 1e-6f);
    const float attenuation =
        distance <= nearest ? 1.0f : nearest / (nearest + listener.rolloffFactor * (distance - nearest));
    const stereoGains pan = panFor(offset, listener.front, listener.top);
    const float left = pan.left * attenuation, right = pan.right * attenuation;
    const float matrix[4] = {left, right, left, right};
    m_platform.mixer().setMatrix(buffer.m_voice, matrix);
    // Velocities are in the buffer's units per second; the distance factor
    // makes them metres, against the speed of sound in air.
    const float metres = listener.distanceFactor * listener.dopplerFactor;
    buffer.m_doppler = dopplerShift(offset, d3dx::Vector3(0.0f, 0.0f, 0.0f), at.vVelocity * metres, kSpeedOfSound);
    buffer.applyFrequency();
}

HRESULT DirectSoundCreate8(soundPlatform& platform, std::unique_ptr<IDirectSound8>& device) {
    if (platform.faults.engine) return E_FAIL;
    device = std::make_unique<IDirectSound8>(platform);
    return DS_OK;
}

}  // namespace dsound
