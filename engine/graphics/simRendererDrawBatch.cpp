// The renderer's shared vertex buffers and the drawing of a caller's batch.
#include "engine/core/simGlobals.h"
#include "engine/core/simVertex.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simRenderer.h"
#include "engine/graphics/simVertexBuffer.h"

void simRenderer::createSharedVertexBuffers() {
    m_vertexBuffer3D = std::make_unique<simVertexBuffer>(kSharedBufferVertices, int32_t(sizeof(simVertex)),
                                                         simVertex::kFormat, true, false);
    m_vertexBuffer2D = std::make_unique<simVertexBuffer>(kSharedBufferVertices, int32_t(sizeof(simScreenVertex)),
                                                         simScreenVertex::kFormat, true, false);
}

void simRenderer::drawBatch(const simPrimitiveBatch& batch, Texture texture) {
    // A batch kept past the graphics system's end draws nothing.
    if (!g_graphics || g_graphics->getRenderer() != this) return;
    if (!batch.screenLines.empty()) drawLines2D(batch.screenLines, texture);
    if (!batch.worldLines.empty()) drawLines3D(batch.worldLines, texture);
    if (!batch.screenTriangles.empty()) drawTriangles2D(batch.screenTriangles, texture);
    if (!batch.worldTriangles.empty()) drawTriangles3D(batch.worldTriangles, texture);
}
