// What the painting bars of the shape, projection and text tools ask of the
// program: the model being painted, and the undo step a bar's action ends
// with. The presenters hold one of these so their tests run on a model of
// their own, or none.
#pragma once

#include <functional>

class tbGeometry;
class tbProject_model;

struct tbBarTarget {
    // The open model scheme's model; null when no model scheme with a model
    // is open (every action that needs one then does nothing).
    std::function<tbGeometry*()> model;
    // Records the step a bar's action made (the model's undo push).
    std::function<void(tbGeometry&)> pushUndo;

    tbGeometry* current() const { return model ? model() : nullptr; }
};

// The program's: the current project's model when it is a model scheme, its
// own undo history.
tbBarTarget tbCurrentModelTarget();
