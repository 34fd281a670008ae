#include "app/scheme/bars/CDlgMirrorBarModel.h"

namespace bars {

void MirrorBarModel::directionSelected(int index) {
    if (index < 0 || index >= static_cast<int>(kDirectionNames.size())) return;
    direction_ = index;
    binding_.changed();
}

void MirrorBarModel::reset() {
    direction_ = 0;
    binding_.changed();
}

void MirrorBarModel::performMirror() const {
    if (perform_) perform_(direction_);
}

}  // namespace bars
