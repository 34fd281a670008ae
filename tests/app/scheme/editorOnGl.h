// The model-scheme GL tests' editor: the editors' GL fixture in the scheme
// mode, and a fixture with an empty model to build in.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "app/scheme/tbGeometry.h"
#include "app/shell/tbToolState.h"
#include "tests/app/shell/editorOnGl.h"

namespace testsupport {

// The editor with an empty model to build in, and one frame drawn so that
// the views' cameras are set up.
class ModelOnGl : public apptest::EditorOnGl {
protected:
    void SetUp() override {
        startEditor(320, 240, tbToolState::kModeScheme);
        if (HasFatalFailure()) return;
        model = std::make_unique<tbGeometry>(nullptr);
        app->update();
        app->redraw();
    }
    void TearDown() override {
        model.reset();
        stopEditor();
    }

    std::unique_ptr<tbGeometry> model;
};

}  // namespace testsupport
