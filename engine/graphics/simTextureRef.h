// simTextureRef: a texture pointer that forgets its texture when the texture
// is destroyed.
//
// Whatever draws a texture it does not own (a GUI widget's image or icon)
// keeps it through one of these: a script may let the texture's collection
// go at any time, and the deferred deletion then frees the texture while the
// widget still names it. The texture's destructor clears every reference to
// it, so the holder finds null instead of freed memory and draws nothing.
//
// References of one texture form a list threaded through the references
// themselves, so taking and dropping one costs no allocation. Copies name
// the same texture and join its list.
#pragma once

class simTexture;

class simTextureRef {
public:
    simTextureRef() = default;
    simTextureRef(simTexture* texture) { attach(texture); }  // implicit: stands in for the raw pointer
    simTextureRef(const simTextureRef& other) { attach(other.m_texture); }
    simTextureRef& operator=(const simTextureRef& other) { return *this = other.m_texture; }
    simTextureRef& operator=(simTexture* texture);
    ~simTextureRef() { detach(); }

    simTexture* get() const { return m_texture; }
    operator simTexture*() const { return m_texture; }
    simTexture* operator->() const { return m_texture; }

    // Called by the texture's destructor with its first reference: every
    // reference in the list lets go of the texture.
    static void forgetAll(simTextureRef* first);

private:
    void attach(simTexture* texture);
    void detach();

    simTexture* m_texture = nullptr;
    simTextureRef* m_previous = nullptr;
    simTextureRef* m_next = nullptr;
};
