// Two push-like buttons that act as a pair, so exactly one is pressed: the
// solid and gradient buttons of the painting bars, the object bar's
// "Enabled" and "Visible" pages. Clicking the pressed one again releases it,
// which presses the other.
#pragma once

namespace bars {

class ButtonPair {
public:
    // A click on the second or the first button, which is `nowPressed`
    // after the click; gives whether the second is the pressed one now.
    bool clicked(bool secondButton, bool nowPressed) {
        second_ = secondButton ? nowPressed : !nowPressed;
        return second_;
    }
    void pressSecond(bool second) { second_ = second; }

    bool firstPressed() const { return !second_; }
    bool secondPressed() const { return second_; }

private:
    bool second_ = false;
};

}  // namespace bars
