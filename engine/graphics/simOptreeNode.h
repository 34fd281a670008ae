// simOptreeNode: one batch of a loaded model, a run of its vertex list.
//
// A batch draws the triangles of vertices first .. end-1 of its model's
// vertex buffer with the world matrix, colour and effect it is given. The
// loader keeps only batches that cover at least one vertex; a batch of one
// or two vertices (no whole triangle) is kept but draws nothing.
#pragma once

#include <cstdint>

#include "engine/core/simBoundingBox.h"
#include "engine/graphics/simRenderableObject.h"

class simTextureLayer;

class simOptreeNode : public simRenderableObject {
public:
    simOptreeNode(const simBoundingBox& box, simTextureLayer* layer, int32_t firstVertex, int32_t endVertex);

    bool canRender() const override { return true; }
    // Nothing for an empty batch or one whose node is not drawn (kind other
    // than 0). Otherwise: the model's buffer as the current vertex buffer,
    // the world transform, then the triangles, through the effect's passes
    // when an effect is given (with "shader_geometry_colour" set from the
    // colour, white without one), else fixed-function with the colour's
    // alpha as the blend factor while it is between 1 and 254.
    void render(const d3dx::Matrix* world, const simColour* colour, simShaderEffect* effect) override;
    simBoundingBox* getBoundingBox() override { return &box; }

    // Whole triangles drawn: |end - first| / 3.
    int32_t triangleCount() const;

    simBoundingBox box;
    simTextureLayer* layer;
    int32_t firstVertex;
    int32_t endVertex;

private:
    void draw();
};
