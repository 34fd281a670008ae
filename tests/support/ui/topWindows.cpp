#include "tests/support/ui/topWindows.h"

#include <X11/Xlib.h>

namespace test {

std::vector<TopWindow> topWindowsInStackOrder() {
    std::vector<TopWindow> windows;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return windows;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count; ++i) {
            char* title = nullptr;
            if (!XFetchName(display, children[i], &title) || !title) continue;
            XWindowAttributes attributes;
            const bool viewable =
                XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable;
            windows.push_back({children[i], title, viewable});
            XFree(title);
        }
        if (children) XFree(children);
    }
    XCloseDisplay(display);
    return windows;
}

bool isStackedAbove(const std::string& upper, const std::string& lower) {
    int upperAt = -1, lowerAt = -1, at = 0;
    for (const TopWindow& window : topWindowsInStackOrder()) {
        if (window.viewable && window.title == upper) upperAt = at;
        if (window.viewable && window.title == lower) lowerAt = at;
        ++at;
    }
    return upperAt >= 0 && lowerAt >= 0 && upperAt > lowerAt;
}

std::string focusedTopWindowTitle() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return {};
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    // The focus may sit on a window inside the top-level one: climb to the
    // first window with a title (PointerRoot and None have no parents).
    std::string title;
    const Window rootWindow = DefaultRootWindow(display);
    for (Window at = focus; at > PointerRoot && at != rootWindow && title.empty();) {
        char* name = nullptr;
        if (XFetchName(display, at, &name) && name) {
            title = name;
            XFree(name);
            break;
        }
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, at, &root, &parent, &children, &count)) break;
        if (children) XFree(children);
        at = parent;
    }
    XCloseDisplay(display);
    return title;
}

bool closeWindowTitled(const std::string& title) {
    for (const TopWindow& window : topWindowsInStackOrder()) {
        if (!window.viewable || window.title != title) continue;
        Display* display = XOpenDisplay(nullptr);
        if (!display) return false;
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window.id;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window.id, False, NoEventMask, &event);
        XFlush(display);
        XCloseDisplay(display);
        return true;
    }
    return false;
}

}  // namespace test
