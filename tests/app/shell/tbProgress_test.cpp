// The progress box: one at a time, whole-percent steps, destroyed on hide.
#include "app/shell/tbProgress.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

struct BoxLog {
    std::vector<std::string> opened;
    std::vector<int> positions;
    int alive = 0;
};

class FakeBox : public tbProgressBox {
public:
    explicit FakeBox(BoxLog& log) : m_log(log) { ++m_log.alive; }
    ~FakeBox() override { --m_log.alive; }
    void setPosition(int percent) override { m_log.positions.push_back(percent); }

private:
    BoxLog& m_log;
};

tbProgress makeProgress(BoxLog& log) {
    return tbProgress([&log](const std::string& title, const std::string& text) {
        log.opened.push_back(title + "|" + text);
        return std::make_unique<FakeBox>(log);
    });
}

TEST(Progress, StepsOfLessThanOnePercentAreNotShown) {
    BoxLog log;
    tbProgress progress = makeProgress(log);
    progress.set(50.0f);  // no box: nothing
    progress.show("Exporting project", "Please wait...");
    progress.show("Second", "ignored while one is open");
    EXPECT_EQ(log.opened, std::vector<std::string>{"Exporting project|Please wait..."});
    for (float value : {0.9f, 1.0f, 1.5f, 1.99f, 2.0f, 57.8f, 57.0f, 99.9f, 100.0f})
        progress.set(value);
    // 0.9 is less than a step from 0; 1.5 and 1.99 from 1; 57.0 from 57.8;
    // 100 from 99.9. Values are truncated toward zero.
    EXPECT_EQ(log.positions, (std::vector<int>{1, 2, 57, 99}));
    EXPECT_FLOAT_EQ(progress.value(), 99.9f);
}

TEST(Progress, HideDestroysTheBoxAndTheNextOperationGetsAFreshOne) {
    BoxLog log;
    tbProgress progress = makeProgress(log);
    for (int operation = 0; operation < 3; ++operation) {
        progress.show("Importing new model", "Please wait");
        progress.set(40.0f);
        progress.hide();
        EXPECT_EQ(log.alive, 0) << "a hidden box must not stay alive";
        EXPECT_FALSE(progress.isOpen());
        EXPECT_EQ(progress.value(), 0.0f);
    }
    EXPECT_EQ(log.opened.size(), 3u);
    progress.hide();  // nothing open: nothing happens
}

TEST(Progress, ValuesThatAreNotPercentagesNeverReachTheBar) {
    BoxLog log;
    tbProgress progress = makeProgress(log);
    progress.show("t", "x");
    progress.set(std::numeric_limits<float>::quiet_NaN());
    progress.set(1e30f);
    progress.set(-50.0f);
    EXPECT_EQ(log.positions, (std::vector<int>{100, 0}));
}

}  // namespace
