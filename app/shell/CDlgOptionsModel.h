// What the "System options" dialog decides, without a window: the
// antialiasing switch and the backdrop colour of the 3-D view as they were
// when it opened, the colour being edited, and what Accept changes.
//
// Cancel changes nothing, whatever colour was picked.
#pragma once

#include <cstdint>

#include "engine/core/simColour.h"

namespace shell {

// Where the dialog reads its values and where Accept puts them: the
// application settings, the engine's options, its window and its renderer.
class OptionsTarget {
public:
    virtual ~OptionsTarget() = default;
    virtual bool storedAntialiasing() const = 0;
    virtual simColour storedBackground() const = 0;
    // Into the settings and the engine options' antialiasing switch.
    virtual void storeAntialiasing(bool on) = 0;
    // Into the settings' backdrop colour.
    virtual void storeBackground(const simColour& colour) = 0;
    virtual void setWindowAntialiasing(bool on) = 0;
    // The renderer's clear colour, packed ARGB.
    virtual void setClearColour(uint32_t argb) = 0;
    virtual void applyWindowChanges() = 0;
};

class OptionsModel {
public:
    // Reads the switch and the backdrop colour from the target.
    explicit OptionsModel(OptionsTarget& target);

    bool antialiasingWas() const { return antialiasingWas_; }
    const simColour& colour() const { return colour_; }
    const simColour& colourWas() const { return colourWas_; }

    // The colour the picker gave.
    void picked(const simColour& colour) { colour_ = colour; }

    // Accept with the check box as it stands: stores both values, tells the
    // engine window of a changed switch only, sets the clear colour and
    // applies the window's pending changes.
    void accept(bool antialiasing);

private:
    OptionsTarget& target_;
    bool antialiasingWas_;
    simColour colour_;
    simColour colourWas_;
};

}  // namespace shell
