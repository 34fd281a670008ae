// Small state objects for the graphics tests: a texture with fixed device
// handles, a camera with a fixed viewport, a material and a vertex buffer
// that count how often the cache applied them.
#pragma once

#include "engine/graphics/simRendererStateObject.h"

namespace graphicstest {

class FakeTexture : public simRendererStateTexture {
public:
    FakeTexture(gfx::TextureHandle texture2D, gfx::TextureHandle cube) : m_2d(texture2D), m_cube(cube) {}
    gfx::TextureHandle getStateTexture2D() const override { return m_2d; }
    gfx::TextureHandle getStateCubeTexture() const override { return m_cube; }

private:
    gfx::TextureHandle m_2d, m_cube;
};

class FakeCamera : public simRendererStateCamera {
public:
    explicit FakeCamera(d3dx::Viewport viewport) : m_viewport(viewport) {}
    d3dx::Viewport getStateViewport() const override { return m_viewport; }

private:
    d3dx::Viewport m_viewport;
};

class FakeMaterial : public simRendererStateMaterial {
public:
    const gfx::D3DMATERIAL9& getStateMaterial() const override { return material; }
    gfx::D3DMATERIAL9 material;
};

class FakeVertexBuffer : public simRendererStateVertexBuffer {
public:
    void setAsStream(uint32_t stream, bool setFormat, uint32_t firstVertex) override {
        ++binds;
        lastStream = stream;
        lastSetFormat = setFormat;
        lastFirstVertex = firstVertex;
    }
    int binds = 0;
    uint32_t lastStream = 99, lastFirstVertex = 99;
    bool lastSetFormat = false;
};

// A shader effect is only cached: any state object will do.
class FakeEffect : public simRendererStateObject {};

}  // namespace graphicstest
