// A headless OpenGL 3.3 core context on EGL (Mesa, surfaceless).
//
// Tests, benchmarks and tools render without a display through this context;
// the program itself gets its context from the view canvas instead. The
// context has no default framebuffer: everything draws into framebuffer
// objects, which is what the device's back buffer is anyway.
#pragma once

#include <string>

namespace gfx {

class EglContext {
public:
    EglContext();
    ~EglContext();
    EglContext(const EglContext&) = delete;
    EglContext& operator=(const EglContext&) = delete;

    // False when no display, config or context could be had; error() says why.
    bool valid() const { return context_ != nullptr; }
    const std::string& error() const { return error_; }

    // Makes this context current on the calling thread.
    bool makeCurrent();

private:
    bool fail(const char* what);

    void* display_ = nullptr;
    void* context_ = nullptr;
    std::string error_;
};

}  // namespace gfx
