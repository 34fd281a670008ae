#include "app/scheme/tbGeometryObject.h"

#include "app/scheme/tbMaterial.h"

bool tbMeshPart::isPaintable() const { return material && material->paintFlag; }

uint32_t tbGeometryObject::kindForName(const std::string& name, uint32_t storedKind) {
    uint32_t kind = storedKind;
    if (name.find("__col") != std::string::npos) kind = kCollision;
    if (name.find("__shad") != std::string::npos) kind = kShadow;
    if (name.find("__helper") != std::string::npos) kind = kHelper;
    return kind;
}
