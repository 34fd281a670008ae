// tbGeometryObject and tbMeshPart: the model's tree of named sub-objects.
//
// Each object has a kind (0 ordinary, 3 collision, 4 shadow, 5 helper, or
// what the file said), the two switches of the object bar and its mesh
// parts; a mesh part is a run of the model's triangle list drawn with one
// material. Only objects of kind 0 take part in painting.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/core/simBoundingBox.h"

class simTexture;
class tbGeometry;
class tbGeometryObject;
class tbMaterial;
class tbTriangle;
class tbUVSelection;
struct tbUVPointer;

class tbMeshPart {
public:
    explicit tbMeshPart(tbGeometryObject* owner_) : owner(owner_) {}

    simBoundingBox box;
    tbGeometryObject* owner;
    tbMaterial* material = nullptr;  // not owned; none allowed
    simTexture* texture = nullptr;   // the material's texture; not owned
    uint32_t firstVertex = 0;        // inclusive
    uint32_t endVertex = 0;          // exclusive

    // Triangles firstVertex / 3 up to endVertex / 3 - 1.
    uint32_t firstTriangle() const { return firstVertex / 3; }
    uint32_t endTriangle() const { return endVertex / 3; }
    bool isPaintable() const;
    // The part's run of the model's triangle list (none past its end).
    std::span<const std::unique_ptr<tbTriangle>> triangles() const;

    // The UV selection's hit tests (tbGeometrySelect.cpp): the part's faces
    // or corners as the texture view shows them, or as the 3-D view seen
    // from `eye` shows them, offered to the click under way.
    void selectInTextureView(const tbUVPointer& pointer, tbUVSelection& selection) const;
    void selectIn3DView(const tbUVPointer& pointer, const d3dx::Vector3& eye, tbUVSelection& selection) const;

    // Draws the part from its vertex buffer with `texture`, or its own when
    // null (tbGeometryRender.cpp).
    void draw(simTexture* texture) const;
};

class tbGeometryObject {
public:
    static constexpr uint32_t kOrdinary = 0, kCollision = 3, kShadow = 4, kHelper = 5;

    explicit tbGeometryObject(tbGeometry* owner_) : owner(owner_) {}

    std::string name;
    uint32_t kind = kOrdinary;
    uint8_t enabled = 1;  // check state for the object bar's "Enabled" tree
    uint8_t visible = 1;  // check state for its "Visible" tree
    simBoundingBox box;
    std::vector<std::unique_ptr<tbGeometryObject>> children;
    std::vector<std::unique_ptr<tbMeshPart>> meshParts;
    tbGeometry* owner;

    // The kind a name gives: "__col" 3, then "__shad" 4, then "__helper" 5,
    // later matches winning; otherwise the stored kind.
    static uint32_t kindForName(const std::string& name, uint32_t storedKind);

    // Kind 0, enabled and visible: the walks of the painting tools act on it.
    bool takesPart() const { return kind == kOrdinary && enabled && visible; }

    // Appends every triangle of the paintable mesh parts when the object
    // takes part; with `recurse`, then the same for each child, whatever
    // this object is (tbGeometryPick.cpp).
    void collectTriangles(bool recurse, std::vector<tbTriangle*>& out) const;
    bool isVisible() const { return visible != 0; }
    bool isEnabled() const { return enabled != 0; }

    // Draws the object's parts when it is of kind 0 and visible (a disabled
    // one greyed), then, with `recurse`, its children whatever this object
    // is (tbGeometryRender.cpp).
    void render(bool recurse, simTexture* texture) const;
};

// Calls `visit(part)` for each paintable mesh part of the object and its
// descendants that take part, depth first: an object's own parts, then its
// children, which are visited whatever the object is.
template <class Visit>
void tbForEachPaintablePart(const tbGeometryObject& object, const Visit& visit) {
    if (object.takesPart())
        for (const auto& part : object.meshParts)
            if (part->isPaintable()) visit(*part);
    for (const auto& child : object.children) tbForEachPaintablePart(*child, visit);
}

// The same for each object of a list (the model's roots) in turn.
template <class Visit>
void tbForEachPaintablePart(const std::vector<std::unique_ptr<tbGeometryObject>>& objects, const Visit& visit) {
    for (const auto& object : objects) tbForEachPaintablePart(*object, visit);
}
