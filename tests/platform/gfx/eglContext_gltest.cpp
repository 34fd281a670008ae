#include "platform/gfx/eglContext.h"

#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>

// A headless context clears an offscreen target and reads the colour back.
TEST(EglContext, ClearsAnOffscreenTargetAndReadsItBack) {
    gfx::EglContext context;
    ASSERT_TRUE(context.valid()) << context.error();

    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    ASSERT_NE(version, nullptr);
    EXPECT_GE(epoxy_gl_version(), 33) << version;

    GLuint fbo = 0, colour = 0;
    glGenFramebuffers(1, &fbo);
    glGenRenderbuffers(1, &colour);
    glBindRenderbuffer(GL_RENDERBUFFER, colour);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, 16, 8);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
    ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));

    glViewport(0, 0, 16, 8);
    glClearColor(1.0f, 0.5f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);

    std::array<std::uint8_t, 16 * 8 * 4> pixels{};
    glReadPixels(0, 0, 16, 8, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        ASSERT_EQ(pixels[i + 0], 255) << "pixel " << i / 4;
        ASSERT_NEAR(pixels[i + 1], 128, 1) << "pixel " << i / 4;
        ASSERT_EQ(pixels[i + 2], 0) << "pixel " << i / 4;
        ASSERT_EQ(pixels[i + 3], 255) << "pixel " << i / 4;
    }

    glDeleteFramebuffers(1, &fbo);
    glDeleteRenderbuffers(1, &colour);
}

// Contexts share the process's one EGL display: one going must not take the
// others with it.
TEST(EglContext, OneContextGoingLeavesTheOthersWorking) {
    gfx::EglContext first;
    ASSERT_TRUE(first.valid()) << first.error();
    {
        gfx::EglContext second;
        ASSERT_TRUE(second.valid()) << second.error();
    }
    ASSERT_TRUE(first.makeCurrent());
    glClearColor(0, 0, 0, 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
