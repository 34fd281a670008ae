// The Win32 shapes the engine is written against: handles, message parameters,
// points, rectangles and the message record, with the word helpers that
// unpack message parameters.
//
// Nothing here is tied to a window system. Handles are opaque values issued
// by the installed window system (see winWindows.h) and are never
// dereferenced; a handle the system does not know simply fails its look-up.
#pragma once

#include <cstdint>

namespace win {

// Opaque handles. Distinct tag types keep a window from being passed where an
// instance is expected.
struct WindowTag;
struct InstanceTag;
using HWND = WindowTag*;
using HINSTANCE = InstanceTag*;
using HANDLE = void*;

using UINT = uint32_t;
using WORD = uint16_t;
using ATOM = uint16_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

// A point in pixels, in a window's client area or on the screen as the call says.
struct POINT {
    int32_t x = 0;
    int32_t y = 0;
};

// A rectangle in pixels; right and bottom lie one past the last pixel.
struct RECT {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// One window message as the host's filter sees it: the window it belongs to,
// the message number (WM_*) and its two parameters.
struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// A window procedure: window, message, parameters; gives the message's result.
using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);

// Word helpers. The low and high words are read unsigned; the position
// helpers read them signed, since a captured mouse may lie left of or above
// the client area.
constexpr WORD LOWORD(uintptr_t value) { return static_cast<WORD>(value & 0xFFFF); }
constexpr WORD HIWORD(uintptr_t value) { return static_cast<WORD>((value >> 16) & 0xFFFF); }
constexpr int GET_X_LPARAM(LPARAM lParam) { return static_cast<int16_t>(LOWORD(static_cast<uintptr_t>(lParam))); }
constexpr int GET_Y_LPARAM(LPARAM lParam) { return static_cast<int16_t>(HIWORD(static_cast<uintptr_t>(lParam))); }
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM wParam) { return static_cast<int16_t>(HIWORD(wParam)); }
// Packs two 16-bit words; coordinates outside -32768..32767 are cut to 16 bits
// exactly as the system does.
constexpr LPARAM MAKELPARAM(int low, int high) {
    return static_cast<LPARAM>(static_cast<uint32_t>((static_cast<uint32_t>(high) & 0xFFFF) << 16 |
                                                     (static_cast<uint32_t>(low) & 0xFFFF)));
}
constexpr WPARAM MAKEWPARAM(int low, int high) { return static_cast<WPARAM>(static_cast<uint32_t>(MAKELPARAM(low, high))); }

}  // namespace win
