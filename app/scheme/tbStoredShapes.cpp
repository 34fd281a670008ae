#include "app/scheme/tbStoredShapes.h"

#include <algorithm>
#include <string_view>

#include "app/scheme/tbTextFields.h"

tbStoredShape* tbStoreShape(tbStoredShapeList& shapes, const std::string& name,
                            const std::vector<tbShapePoint>& outline) {
    if (name.empty()) return nullptr;
    // One pass over the list in order is not enough: in ["a copy", "a"] the
    // match on "a" would give "a copy" again, a name already taken.
    auto taken = [&](const std::string& candidate) {
        return std::any_of(shapes.begin(), shapes.end(), [&](const auto& s) { return s->name == candidate; });
    };
    // Every name fits the file's field, so a saved name reads back whole and
    // stays apart from the others: the copies' " copy" cuts the name, not
    // the suffix.
    constexpr std::string_view kCopy = " copy";
    std::string candidate = tbFitText(name, kStoredShapeNameBytes);
    for (size_t copies = 1; taken(candidate); ++copies) {
        if (copies * kCopy.size() > kStoredShapeNameBytes) return nullptr;
        candidate = tbFitText(name, kStoredShapeNameBytes - copies * kCopy.size());
        for (size_t i = 0; i < copies; ++i) candidate += kCopy;
    }
    shapes.push_back(std::make_unique<tbStoredShape>(tbStoredShape{std::move(candidate), outline}));
    return shapes.back().get();
}

bool tbDeleteStoredShape(tbStoredShapeList& shapes, const tbStoredShape* shape) {
    const auto it = std::find_if(shapes.begin(), shapes.end(), [&](const auto& s) { return s.get() == shape; });
    if (it == shapes.end()) return false;
    shapes.erase(it);
    return true;
}
