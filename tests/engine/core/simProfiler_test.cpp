// The profiler's named sections on the manual clock.
#include <gtest/gtest.h>

#include <memory>

#include "engine/core/simGlobals.h"
#include "engine/core/simProfiler.h"

TEST(SimProfiler, SectionsAreUniqueNamedExactlyAndAccumulate) {
    sys::ManualClock clock;
    auto profiler = std::make_unique<simProfiler>();
    EXPECT_EQ(g_profiler, profiler.get());
    for (const char* name : {"Update", "Redraw", "Fixed timesteps", "Physics", "Graphics", "Network", "Graphics", ""})
        profiler->addSection(name);
    ASSERT_EQ(profiler->getSections().size(), 6u);
    EXPECT_EQ(profiler->getSections()[4]->name, "Graphics");
    EXPECT_EQ(profiler->find(""), nullptr);
    EXPECT_EQ(profiler->find("graphics"), nullptr);

    profiler->start("graphics");  // names compare exactly: nothing runs
    EXPECT_FALSE(profiler->find("Graphics")->timer.running);
    profiler->stop("nothing");

    for (double frame : {5.0, 7.0}) {
        profiler->start("Graphics");
        clock.advance(frame);
        profiler->stop("Graphics");
        clock.advance(100);
    }
    EXPECT_DOUBLE_EQ(profiler->find("Graphics")->timer.getElapsed(), 12.0);
    EXPECT_EQ(profiler->find("Update")->timer.getElapsed(), 0.0);

    profiler.reset();
    EXPECT_EQ(g_profiler, nullptr);
}
