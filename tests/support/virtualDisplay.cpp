#include "tests/support/virtualDisplay.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>

namespace testsupport {

namespace {

// Xlib's own handler ends the process on any error; a window that goes
// between two requests (the program quitting) is an everyday event here.
int ignoreError(Display*, XErrorEvent*) { return 0; }
// The handler there before the first display of the test was opened.
XErrorHandler previousHandler = nullptr;
int displaysOpen = 0;

// The number Xvfb writes to its -displayfd once it accepts connections.
std::string readDisplayNumber(int fd, int timeoutMs) {
    std::string number;
    for (;;) {
        pollfd readable{fd, POLLIN, 0};
        if (poll(&readable, 1, timeoutMs) <= 0) return {};
        char c = 0;
        if (read(fd, &c, 1) != 1) return {};
        if (c == '\n') return number;
        number += c;
    }
}

}  // namespace

VirtualDisplay::VirtualDisplay(int width, int height) {
    int announce[2];
    if (pipe2(announce, O_CLOEXEC) != 0) return;
    ChildOptions options;
    options.descriptors.emplace_back(announce[1], 3);
    options.outputFile = "/dev/null";
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    // -displayfd: the server picks a free display number and writes it once
    // it accepts connections, so tests running at once never collide.
    const bool started =
        server_.start({"Xvfb", "-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp", "-noreset"}, options);
    close(announce[1]);
    const std::string number = started ? readDisplayNumber(announce[0], 30000) : std::string();
    close(announce[0]);
    if (number.empty()) return;
    name_ = ":" + number;
    const XErrorHandler before = XSetErrorHandler(ignoreError);
    if (displaysOpen++ == 0) previousHandler = before;
    display_ = XOpenDisplay(name_.c_str());
}

VirtualDisplay::~VirtualDisplay() {
    if (display_) XCloseDisplay(display_);
    // The handler is the process's; give back the one that was there, unless
    // someone (GTK) has put their own in since.
    if (!name_.empty() && --displaysOpen == 0) {
        const XErrorHandler current = XSetErrorHandler(previousHandler);
        if (current != ignoreError) XSetErrorHandler(current);
    }
    server_.stop();
}

Picture VirtualDisplay::capture() const {
    if (!display_) return {};
    const Screen* screen = DefaultScreenOfDisplay(display_);
    return captureRect({0, 0, WidthOfScreen(screen), HeightOfScreen(screen)});
}

Picture VirtualDisplay::capture(unsigned long window) const {
    const std::optional<ScreenRect> rect = windowRect(window);
    return rect ? captureRect(*rect) : Picture{};
}

Picture VirtualDisplay::captureRect(const ScreenRect& wanted) const {
    if (!display_) return {};
    // Only the part on the screen can be read.
    const Screen* screen = DefaultScreenOfDisplay(display_);
    const int left = std::max(wanted.x, 0), top = std::max(wanted.y, 0);
    const int right = std::min(wanted.x + wanted.width, WidthOfScreen(screen));
    const int bottom = std::min(wanted.y + wanted.height, HeightOfScreen(screen));
    if (right <= left || bottom <= top) return {};
    XImage* image = XGetImage(display_, DefaultRootWindow(display_), left, top, static_cast<unsigned>(right - left),
                              static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap);
    if (!image) return {};
    Picture picture;
    picture.width = static_cast<uint32_t>(right - left);
    picture.height = static_cast<uint32_t>(bottom - top);
    picture.pixels.resize(static_cast<size_t>(picture.width) * picture.height);
    for (uint32_t y = 0; y < picture.height; ++y) {
        for (uint32_t x = 0; x < picture.width; ++x) {
            const unsigned long p = XGetPixel(image, static_cast<int>(x), static_cast<int>(y));
            picture.pixels[static_cast<size_t>(y) * picture.width + x] = 0xFF000000u | (p & 0xFFFFFFu);
        }
    }
    XDestroyImage(image);
    return picture;
}

std::optional<ScreenRect> VirtualDisplay::windowRect(unsigned long window) const {
    if (!display_) return std::nullopt;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window, &attributes) || attributes.map_state != IsViewable)
        return std::nullopt;
    int x = 0, y = 0;
    Window child = 0;
    if (!XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child))
        return std::nullopt;
    return ScreenRect{x, y, attributes.width, attributes.height};
}

unsigned long VirtualDisplay::focusedWindow() const {
    if (!display_) return 0;
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    return focus == PointerRoot ? 0 : focus;
}

unsigned long VirtualDisplay::topLevelOf(unsigned long window) const {
    if (!display_ || !window) return 0;
    const Window root = DefaultRootWindow(display_);
    Window current = window;
    for (;;) {
        Window rootReturn = 0, parent = 0, *children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(display_, current, &rootReturn, &parent, &children, &count)) return 0;
        if (children) XFree(children);
        if (parent == root || parent == 0) return current;
        current = parent;
    }
}

}  // namespace testsupport
