#include "app/scheme/tbStoredShapes.h"

#include <algorithm>

tbStoredShape* tbStoreShape(tbStoredShapeList& shapes, std::string name, const std::vector<tbShapePoint>& outline) {
    if (name.empty()) return nullptr;
    // One pass over the list in order is not enough: in ["a copy", "a"] the
    // match on "a" would give "a copy" again, a name already taken.
    auto taken = [&](const std::string& candidate) {
        return std::any_of(shapes.begin(), shapes.end(), [&](const auto& s) { return s->name == candidate; });
    };
    while (taken(name)) name += " copy";
    shapes.push_back(std::make_unique<tbStoredShape>(tbStoredShape{std::move(name), outline}));
    return shapes.back().get();
}

bool tbDeleteStoredShape(tbStoredShapeList& shapes, const tbStoredShape* shape) {
    const auto it = std::find_if(shapes.begin(), shapes.end(), [&](const auto& s) { return s.get() == shape; });
    if (it == shapes.end()) return false;
    shapes.erase(it);
    return true;
}
