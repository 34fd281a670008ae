// The engine objects whose addresses the render-state cache holds: textures,
// vertex buffers, materials, cameras and shader effects.
//
// A cache entry for one of these ids holds the address of the object's
// `simRendererStateObject` part, as a pointer-sized `simStateValue`. Two rules
// keep such entries from ever outliving their object:
//  - every state object is registered while it lives, so a raw value that
//    names no live object fails its look-up (and is reported) instead of
//    being read;
//  - the destructor clears every current and saved cache entry that refers to
//    the object, so a reset's forced re-apply never binds freed memory.
// The kind interfaces below are what the cache asks of each object when it
// applies the state; the object classes implement them.
#pragma once

#include <cstdint>

#include "platform/d3dx/d3dxMathTypes.h"
#include "platform/gfx/d3dTypes.h"
#include "platform/gfx/handles.h"

// One cached state value: a plain number, or the address of a state object.
// Pointer-sized, so addresses are never cut to 32 bits.
using simStateValue = std::uintptr_t;

class simRendererStateObject {
public:
    simRendererStateObject(const simRendererStateObject&) = delete;
    simRendererStateObject& operator=(const simRendererStateObject&) = delete;

    // The object that `value` names, or null when no live state object has
    // that address (0 included).
    static const simRendererStateObject* find(simStateValue value);

protected:
    simRendererStateObject();
    // Clears every cache entry that refers to this object.
    virtual ~simRendererStateObject();
};

// The value that names a state object in the cache (0 for null).
inline simStateValue toStateValue(const simRendererStateObject* object) {
    return reinterpret_cast<simStateValue>(object);
}

// Texture ids: the 2-D texture, else the cube texture, is bound to the stage.
class simRendererStateTexture : public simRendererStateObject {
public:
    virtual gfx::TextureHandle getStateTexture2D() const = 0;
    virtual gfx::TextureHandle getStateCubeTexture() const = 0;
};

// The vertex-buffer id: the buffer binds itself as a stream source.
class simRendererStateVertexBuffer : public simRendererStateObject {
public:
    virtual void setAsStream(uint32_t stream, bool setFormat, uint32_t firstVertex) = 0;
};

// The material id: the material's device record is set.
class simRendererStateMaterial : public simRendererStateObject {
public:
    virtual const gfx::D3DMATERIAL9& getStateMaterial() const = 0;
};

// The camera-viewport id: the camera's viewport rectangle in pixels.
class simRendererStateCamera : public simRendererStateObject {
public:
    virtual d3dx::Viewport getStateViewport() const = 0;
};
