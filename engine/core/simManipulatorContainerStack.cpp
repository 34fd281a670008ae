#include "engine/core/simManipulatorContainerStack.h"

#include <algorithm>
#include <vector>

#include "engine/core/simGlobals.h"

namespace {

std::vector<manipulatorContainer*>& stack() {
    static std::vector<manipulatorContainer*> containers;
    return containers;
}

void publishTop() {
    g_manipulatorContainer = stack().empty() ? nullptr : stack().back();
}

}  // namespace

void pushCurrentManipulatorContainer(manipulatorContainer* container) {
    if (!container) return;
    stack().push_back(container);
    publishTop();
}

void removeCurrentManipulatorContainer(manipulatorContainer* container) {
    auto& containers = stack();
    containers.erase(std::remove(containers.begin(), containers.end(), container), containers.end());
    publishTop();
}

int manipulatorContainerDepth() { return static_cast<int>(stack().size()); }
