// What the editors' OpenGL tests stand on: the engine's graphics on the
// OpenGL device through EGL (a 64 x 48 back buffer), and the error boxes
// recorded as "title / text" instead of shown. A fixture deriving from it
// calls SetUp first and TearDown last, after it has let go of its own
// device objects.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/shell/tbErrorBox.h"
#include "tests/support/graphicsOnGl.h"

namespace apptest {

class AppOnGl : public testsupport::GraphicsOnGl {
protected:
    AppOnGl() : GraphicsOnGl(64, 48) {}
    void SetUp() override {
        GraphicsOnGl::SetUp();
        if (HasFatalFailure()) return;
        previousSink = tbSetErrorBoxSink(
            [this](const std::string& title, const std::string& text) { boxes.push_back(title + " / " + text); });
    }
    void TearDown() override {
        tbSetErrorBoxSink(previousSink);
        GraphicsOnGl::TearDown();
    }

    std::vector<std::string> boxes;
    tbErrorBoxSink previousSink;
};

}  // namespace apptest
