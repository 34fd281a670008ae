#include "app/scheme/tbGeometryObject.h"

#include <algorithm>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbMaterial.h"

bool tbMeshPart::isPaintable() const { return material && material->paintFlag; }

std::span<const std::unique_ptr<tbTriangle>> tbMeshPart::triangles() const {
    const std::vector<std::unique_ptr<tbTriangle>>& all = owner->owner->triangles;
    const size_t end = std::min<size_t>(endTriangle(), all.size());
    const size_t first = std::min<size_t>(firstTriangle(), end);
    return std::span(all).subspan(first, end - first);
}

uint32_t tbGeometryObject::kindForName(const std::string& name, uint32_t storedKind) {
    uint32_t kind = storedKind;
    if (name.find("__col") != std::string::npos) kind = kCollision;
    if (name.find("__shad") != std::string::npos) kind = kShadow;
    if (name.find("__helper") != std::string::npos) kind = kHelper;
    return kind;
}
