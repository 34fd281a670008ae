// The editor's application object started on EGL for the editors' GL tests
// (the shared headless start in tests/support/editor): the engine on a
// virtual window of the given size behind a window host, the settings in a
// folder of the test's own, the mouse gate open, the given mode on, and
// every error box collected (a test ends with none unless it reads them).
//
// A fixture derives from it, calls startEditor() first in its SetUp (and
// returns when it failed fatally) and stopEditor() last in its TearDown,
// after it let go of its models and projects.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/shell/tbToolState.h"
#include "platform/gfx/results.h"
#include "tests/support/editor/editorOnEgl.h"
#include "tests/support/tempFolder.h"
#include "tests/support/virtualWindowHost.h"

namespace apptest {

class EditorOnGl : public ::testing::Test, protected testsupport::EditorOnEgl {
protected:
    void startEditor(int width, int height, int32_t mode) {
        ASSERT_TRUE(context.valid()) << context.error();
        ASSERT_TRUE(startApplication(documents.path(), width, height)) << app->getStatusReason();
        app->tools().setMode(mode);
    }
    // The back buffer as the last frame left it: 0xFFRRGGBB, rows top first.
    std::vector<uint32_t> backBufferPixels() {
        std::vector<uint32_t> pixels;
        EXPECT_EQ(readBackBuffer(pixels), gfx::D3D_OK);
        return pixels;
    }
    void stopEditor() {
        stopApplication();
        EXPECT_TRUE(boxes.empty()) << boxes.front();
    }

    testsupport::VirtualWindowHost host{desktop};
    testsupport::TempFolder documents;
};

}  // namespace apptest
