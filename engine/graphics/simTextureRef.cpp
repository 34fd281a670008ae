#include "engine/graphics/simTextureRef.h"

#include "engine/graphics/simTexture.h"

simTextureRef& simTextureRef::operator=(simTexture* texture) {
    if (texture != m_texture) {
        detach();
        attach(texture);
    }
    return *this;
}

void simTextureRef::attach(simTexture* texture) {
    m_texture = texture;
    if (!texture) return;
    m_next = texture->m_references;
    if (m_next) m_next->m_previous = this;
    texture->m_references = this;
}

void simTextureRef::detach() {
    if (!m_texture) return;
    if (m_previous) {
        m_previous->m_next = m_next;
    } else {
        m_texture->m_references = m_next;
    }
    if (m_next) m_next->m_previous = m_previous;
    m_texture = nullptr;
    m_previous = m_next = nullptr;
}

void simTextureRef::forgetAll(simTextureRef* first) {
    while (first) {
        simTextureRef* next = first->m_next;
        first->m_texture = nullptr;
        first->m_previous = first->m_next = nullptr;
        first = next;
    }
}
