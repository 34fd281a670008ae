// A device-dependent object holding "the user's work": a default-pool
// texture whose pixels must survive every device reset. Every write also
// goes to a copy in memory, since a texture lost with the device can no
// longer be read; the reset phase refreshes the copy when it still can and
// releases the texture, the restore makes it again from the copy.
#pragma once

#include <cstdint>
#include <vector>

#include <cstring>

#include "engine/core/simGlobals.h"
#include "engine/graphics/simDeviceDependantObject.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "platform/gfx/device.h"
#include "platform/gfx/handles.h"

namespace graphicstest {

class UserWorkTexture : public simDeviceDependantObject {
public:
    UserWorkTexture(uint32_t width, uint32_t height);
    ~UserWorkTexture() override;

    bool valid() const { return static_cast<bool>(m_texture); }
    gfx::TextureHandle texture() const { return m_texture; }
    // Fills every pixel with one colour (0xAARRGGBB).
    void paint(uint32_t colour);
    // Sets one pixel.
    void paintPixel(uint32_t x, uint32_t y, uint32_t colour);
    // The pixels, top row first.
    std::vector<uint32_t> read();

    void onDeviceReset() override;
    void onDeviceRestore() override;

    int releases = 0;
    int restores = 0;

private:
    bool create();
    bool write(const std::vector<uint32_t>& pixels);

    uint32_t m_width, m_height;
    gfx::TextureHandle m_texture;
    std::vector<uint32_t> m_kept;
};

namespace detail {
inline gfx::Device* device() {
    return g_graphics && g_graphics->getRenderer() ? g_graphics->getRenderer()->getDevice() : nullptr;
}
}  // namespace detail

inline UserWorkTexture::UserWorkTexture(uint32_t width, uint32_t height) : m_width(width), m_height(height) { create(); }

inline UserWorkTexture::~UserWorkTexture() {
    if (m_texture && detail::device()) detail::device()->Release(m_texture);
}

inline bool UserWorkTexture::create() {
    return detail::device() && detail::device()->CreateTexture(m_width, m_height, 1, gfx::D3DUSAGE_DYNAMIC, gfx::D3DFMT_A8R8G8B8,
                                               gfx::D3DPOOL_DEFAULT, &m_texture) == gfx::D3D_OK;
}

inline void UserWorkTexture::paint(uint32_t colour) { write(std::vector<uint32_t>(m_width * m_height, colour)); }

inline void UserWorkTexture::paintPixel(uint32_t x, uint32_t y, uint32_t colour) {
    std::vector<uint32_t> pixels = read();
    pixels[y * m_width + x] = colour;
    write(pixels);
}

inline std::vector<uint32_t> UserWorkTexture::read() {
    std::vector<uint32_t> pixels(m_width * m_height, 0);
    gfx::D3DLOCKED_RECT locked;
    if (!detail::device() || detail::device()->LockRect(m_texture, 0, &locked, nullptr, gfx::D3DLOCK_READONLY) != gfx::D3D_OK) return {};
    for (uint32_t y = 0; y < m_height; ++y)
        std::memcpy(&pixels[y * m_width], static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch, m_width * 4);
    detail::device()->UnlockRect(m_texture, 0);
    return pixels;
}

inline bool UserWorkTexture::write(const std::vector<uint32_t>& pixels) {
    gfx::D3DLOCKED_RECT locked;
    if (!detail::device() || detail::device()->LockRect(m_texture, 0, &locked, nullptr, 0) != gfx::D3D_OK) return false;
    for (uint32_t y = 0; y < m_height; ++y)
        std::memcpy(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch, &pixels[y * m_width], m_width * 4);
    m_kept = pixels;
    return detail::device()->UnlockRect(m_texture, 0) == gfx::D3D_OK;
}

inline void UserWorkTexture::onDeviceReset() {
    ++releases;
    std::vector<uint32_t> pixels = read();
    if (!pixels.empty()) m_kept = std::move(pixels);
    if (m_texture && detail::device()) detail::device()->Release(m_texture);
    m_texture = {};
}

inline void UserWorkTexture::onDeviceRestore() {
    ++restores;
    if (create() && !m_kept.empty()) write(m_kept);
}

}  // namespace graphicstest
