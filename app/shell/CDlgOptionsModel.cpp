#include "app/shell/CDlgOptionsModel.h"

namespace shell {

OptionsModel::OptionsModel(OptionsTarget& target)
    : target_(target),
      antialiasingWas_(target.storedAntialiasing()),
      colour_(target.storedBackground()),
      colourWas_(colour_) {}

void OptionsModel::accept(bool antialiasing) {
    target_.storeAntialiasing(antialiasing);
    if (antialiasing != antialiasingWas_) target_.setWindowAntialiasing(antialiasing);
    target_.storeBackground(colour_);
    target_.setClearColour(colour_.toARGB());
    target_.applyWindowChanges();
}

}  // namespace shell
