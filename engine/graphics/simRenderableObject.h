// simRenderableObject: something a scene item can draw.
//
// The loaded models' nodes and batches implement it; the scene holds items
// that point at one and calls it with the item's world matrix, its colour and
// an effect. Only the scene and the model loader use it.
#pragma once

class simBoundingBox;
class simColour;
class simShaderEffect;

namespace d3dx {
struct Matrix;
}

class simRenderableObject {
public:
    // Whether the object draws anything itself (false for tree nodes, which
    // draw through their children; true for batches).
    virtual bool canRender() const = 0;
    // Draws with the world matrix (null: identity), the colour (null: white)
    // and the effect (null: fixed-function drawing).
    virtual void render(const d3dx::Matrix* world, const simColour* colour, simShaderEffect* effect) = 0;
    virtual simBoundingBox* getBoundingBox() = 0;
    virtual ~simRenderableObject() = default;
};
