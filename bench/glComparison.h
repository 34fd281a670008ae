// The two sides of the benchmarks that hold the engine's drawing against raw
// OpenGL, each in a headless context of its own: the engine's graphics
// system on the OpenGL device, and a minimal OpenGL program drawing into an
// offscreen target of the same size with a vertex array bound and the
// program in use. Each benchmark adds its buffers and states.
#pragma once

#include <epoxy/gl.h>

#include <memory>
#include <string>

#include "engine/core/utilsErrors.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"

namespace benchgl {

struct EngineOnGl {
    EngineOnGl(int width, int height) {
        context.makeCurrent();
        utils::setSeriousErrorSink([](const std::string&, const std::string&) {});  // no window: expected
        gfx::setDirect3DFactory(nullptr);
        const int32_t resolution[3] = {width, height, 60};
        graphics = std::make_unique<simGraphics>(40, d3dx::Vector2(0, 0), d3dx::Vector2(float(width), float(height)),
                                                 resolution, false, false, false, 1, false, 3, 1);
    }
    ~EngineOnGl() {
        context.makeCurrent();  // the device releases its objects in its own context
        graphics.reset();
    }
    bool ready() const { return graphics && graphics->getRenderer() && graphics->getRenderer()->getState(); }
    gfx::EglContext context;
    std::unique_ptr<simGraphics> graphics;
};

inline GLuint compileShader(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

struct RawGlProgram {
    // withDepth adds a depth-stencil target beside the colour one.
    RawGlProgram(const char* vertexShader, const char* fragmentShader, int width, int height, bool withDepth) {
        if (!context.valid() || !context.makeCurrent()) return;
        program = glCreateProgram();
        glAttachShader(program, compileShader(GL_VERTEX_SHADER, vertexShader));
        glAttachShader(program, compileShader(GL_FRAGMENT_SHADER, fragmentShader));
        glLinkProgram(program);
        glGenFramebuffers(1, &framebuffer);
        glGenRenderbuffers(withDepth ? 2 : 1, targets);
        glBindRenderbuffer(GL_RENDERBUFFER, targets[0]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, targets[0]);
        if (withDepth) {
            glBindRenderbuffer(GL_RENDERBUFFER, targets[1]);
            glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
            glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, targets[1]);
        }
        glViewport(0, 0, width, height);
        glGenVertexArrays(1, &vao);
        glBindVertexArray(vao);
        glUseProgram(program);
        GLint linked = 0;
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        ok = linked == GL_TRUE && glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    gfx::EglContext context;
    GLuint program = 0, framebuffer = 0, targets[2] = {}, vao = 0;
    bool ok = false;
};

}  // namespace benchgl
