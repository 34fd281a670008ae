// The three parts of a widget's vertical scroll bar as the mouse works them:
// the up arrow, the down arrow and the thumb, each 0 normal, 1 under the
// mouse or 2 pressed.
//
// Every scrolling widget (text box, list box, combo box, table, tree view)
// drives its parts the same way and differs only in where the parts lie and
// what a step scrolls: a left press presses the part under the mouse, a left
// release lets go of a pressed part (an arrow then asks for one step), and a
// part that is not pressed follows the mouse on every move and button event.
#pragma once

#include <array>
#include <cstdint>

#include "engine/gui/simGuiSkin.h"

struct simInputEvent;

// The row a released Up key (one row back) or Down key (one row on) moves a
// selection held as `selected` to among `count` rows; -1 when the event is no
// such key or the selection is already at that end.
int32_t simGuiRowAfterArrowKey(const simInputEvent& event, float selected, int32_t count);

// A vertical band from `top` to `bottom`, both edges outside.
struct simGuiScrollBand {
    int32_t top = 0, bottom = 0;
    bool contains(int32_t y) const { return top < y && y < bottom; }
};

class simGuiScrollParts {
public:
    enum Part { up = 0, down = 1, thumb = 2 };
    enum State : int32_t { normal = 0, hovered = 1, pressed = 2 };

    // Where the parts are: the bar's column (both edges outside) and each
    // part's band, in the order up, down, thumb.
    struct Layout {
        int32_t columnLeft = 0, columnRight = 0;
        std::array<simGuiScrollBand, 3> bands{};
    };
    // What one event did.
    struct Outcome {
        bool pressed = false;  // a part was pressed: the widget keeps its scroll position
        int32_t step = 0;      // -1 the up arrow or +1 the down arrow was released
    };

    Outcome onEvent(const simInputEvent& event, const Layout& layout);

    int32_t state(Part part) const { return m_states[part]; }
    bool isThumbPressed() const { return m_states[thumb] == pressed; }
    // Whether either arrow is pressed or under the mouse.
    bool isArrowActive() const { return m_states[up] != normal || m_states[down] != normal; }
    simGuiScrollBarStates skinStates() const;

private:
    std::array<int32_t, 3> m_states{};
};

// A thumb edge on the screen: trunc(origin + track x fraction), 0 fractions
// for an empty list (no division by zero, no cast of a non-finite number).
int32_t simGuiThumbEdge(double origin, double track, double position, double count);
