// What Accept and Cancel of the "System options" dialog change.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/shell/CDlgOptionsModel.h"
#include "app/shell/CDlgOptionsTarget.h"
#include "app/shell/tbOptions.h"
#include "app/shell/tbToolState.h"
#include "tests/support/colourRecords.h"

namespace {

using testsupport::rgb;

// Records every call in order.
class RecordingTarget : public shell::OptionsTarget {
public:
    bool storedAntialiasing() const override { return antialiasing; }
    simColour storedBackground() const override { return background; }
    void storeAntialiasing(bool on) override { calls.push_back(on ? "store aa on" : "store aa off"); }
    void storeBackground(const simColour& c) override {
        background = c;
        calls.push_back("store backdrop");
    }
    void setWindowAntialiasing(bool on) override { calls.push_back(on ? "window aa on" : "window aa off"); }
    void setClearColour(uint32_t argb) override {
        clear = argb;
        calls.push_back("clear colour");
    }
    void applyWindowChanges() override { calls.push_back("apply"); }

    bool antialiasing = false;
    simColour background = rgb(1, 2, 3);
    uint32_t clear = 0;
    std::vector<std::string> calls;
};

}  // namespace

TEST(OptionsDialog, AcceptTable) {
    using Calls = std::vector<std::string>;
    struct Case {
        bool was, checked;
        Calls calls;
    } cases[] = {
        {false, false, {"store aa off", "store backdrop", "clear colour", "apply"}},
        {true, true, {"store aa on", "store backdrop", "clear colour", "apply"}},
        {false, true, {"store aa on", "window aa on", "store backdrop", "clear colour", "apply"}},
        {true, false, {"store aa off", "window aa off", "store backdrop", "clear colour", "apply"}},
    };
    for (const Case& c : cases) {
        RecordingTarget target;
        target.antialiasing = c.was;
        shell::OptionsModel model(target);
        EXPECT_EQ(model.antialiasingWas(), c.was);
        model.picked(rgb(200, 100, 50, 128));
        model.accept(c.checked);
        EXPECT_EQ(target.calls, c.calls) << c.was << " -> " << c.checked;
        EXPECT_EQ(target.background, rgb(200, 100, 50, 128)) << "the backdrop colour, not another colour";
        EXPECT_EQ(target.clear, 0x80c86432u);
    }
}

TEST(OptionsDialog, CancelAfterPickingChangesNothing) {
    RecordingTarget target;
    {
        shell::OptionsModel model(target);
        model.picked(rgb(9, 9, 9));
        EXPECT_EQ(model.colourWas(), rgb(1, 2, 3));
    }
    EXPECT_TRUE(target.calls.empty());
    EXPECT_EQ(target.background, rgb(1, 2, 3));
}

TEST(OptionsDialog, TheProgramsTargetEditsTheSettingsBackdropWithoutAnEngine) {
    tbToolState tools;
    tbOptions options(tools);
    options.backdropColour = rgb(10, 20, 30);
    const simColour second = tools.secondColour();
    tbOptionsTarget target(options);
    shell::OptionsModel model(target);
    EXPECT_EQ(model.colour(), rgb(10, 20, 30));
    model.picked(rgb(40, 50, 60, 70));
    model.accept(true);
    EXPECT_TRUE(options.antialiasing);
    EXPECT_EQ(options.backdropColour, rgb(40, 50, 60, 70));
    EXPECT_EQ(tools.secondColour(), second) << "the second paint colour is not the backdrop";
}
