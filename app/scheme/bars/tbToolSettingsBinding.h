// The painting bars' values against the open model's tool settings.
//
// A bar's values belong to the program: they last while it runs (the flood
// fill's axis and gradient stay as they were when another scheme is opened).
// The tools, though, read them from the open model's `toolSettings`, which
// the project file also keeps. So each bar presenter holds its own values and
// takes part here: after each change every participant writes into the open
// model's settings; a new model takes the bars' values; an opened model's
// values go into the bars, which show them.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "app/scheme/tbToolSettings.h"

// A bar presenter whose values the tool settings keep.
class tbToolSettingsParticipant {
public:
    virtual ~tbToolSettingsParticipant() = default;
    // Writes the presenter's values into `settings`.
    virtual void store(tbToolSettings& settings) const = 0;
    // Takes the values of `settings` and shows them.
    virtual void show(const tbToolSettings& settings) = 0;
    // A new model is about to take the bars' values (after New): a bar whose
    // values name things of the old model forgets them here.
    virtual void madeNew() {}
};

class tbToolSettingsBinding {
public:
    // `current` gives the open model's settings, or null when no model
    // scheme is open.
    explicit tbToolSettingsBinding(std::function<tbToolSettings*()> current) : current_(std::move(current)) {}

    void add(tbToolSettingsParticipant* participant);
    void remove(tbToolSettingsParticipant* participant);

    // A participant's value changed: every participant stores into the open
    // model's settings (nothing without one).
    void changed() const;
    // After New: every participant hears of the new model, then the model
    // takes the bars' values.
    void afterNew() const;
    // After Open: the bars take the file's values, and the model takes back
    // what the bars show.
    void afterOpen() const;

private:
    std::function<tbToolSettings*()> current_;
    std::vector<tbToolSettingsParticipant*> participants_;
};

// The program's binding, on the current model scheme's model.
tbToolSettingsBinding& tbBarSettings();
