#include "app/scheme/bars/CDlgMirrorBarModel.h"

namespace bars {

void MirrorBarModel::directionSelected(int index) {
    if (index < 0 || index >= static_cast<int>(kDirectionNames.size())) return;
    direction_ = index;
}

void MirrorBarModel::performMirror() const {
    if (perform_) perform_(direction_);
}

}  // namespace bars
