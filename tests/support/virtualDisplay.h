// An X server of the test's own (Xvfb, one screen of 24-bit colour, no
// window manager), so the program under test gets a display no other test
// draws on, and the test reads back what that display shows.
//
// Without a window manager nothing gives a new window the keyboard focus and
// nothing places it: windows sit where their program puts them and the test
// focuses a window itself (ProgramHarness::focus) before it types.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/childProcess.h"

typedef struct _XDisplay Display;

namespace testsupport {

// Pixels as 0xFFRRGGBB, rows top first.
struct Picture {
    uint32_t width = 0, height = 0;
    std::vector<uint32_t> pixels;

    uint32_t at(uint32_t x, uint32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool empty() const { return pixels.empty(); }
};

// A pixel's red, green and blue.
struct Rgb {
    int r, g, b;
};

inline Rgb rgbAt(const Picture& picture, uint32_t x, uint32_t y) {
    const uint32_t p = picture.at(x, y);
    return {static_cast<int>(p >> 16 & 255), static_cast<int>(p >> 8 & 255), static_cast<int>(p & 255)};
}

// Within 2 of `wanted` in each channel, which leaves room for the rounding of
// the software renderer and the display's colour depth.
inline bool near(const Rgb& colour, const Rgb& wanted) {
    return std::abs(colour.r - wanted.r) <= 2 && std::abs(colour.g - wanted.g) <= 2 && std::abs(colour.b - wanted.b) <= 2;
}

// A window's place on the screen: its top-left corner and size, border excluded.
struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
};

class VirtualDisplay {
public:
    // Starts the server; ready() says whether it came up.
    explicit VirtualDisplay(int width = 1280, int height = 1024);
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    bool ready() const { return display_ != nullptr; }
    // The display's name for DISPLAY (":<number>").
    const std::string& name() const { return name_; }
    // The server's process (its CPU use counts what presenting costs).
    pid_t serverPid() const { return server_.pid(); }

    // The whole screen as it shows now.
    Picture capture() const;
    // The part of the screen a window covers (what shows there, whichever window it is).
    Picture capture(unsigned long window) const;

    // Where a window is on the screen; nothing when it is gone or not shown.
    std::optional<ScreenRect> windowRect(unsigned long window) const;
    // The window that has the keyboard focus (0 for none or the pointer's root).
    unsigned long focusedWindow() const;
    // The top-level window `window` belongs to (itself when it is one).
    unsigned long topLevelOf(unsigned long window) const;

private:
    Picture captureRect(const ScreenRect& rect) const;

    ChildProcess server_;
    std::string name_;
    Display* display_ = nullptr;
};

}  // namespace testsupport
