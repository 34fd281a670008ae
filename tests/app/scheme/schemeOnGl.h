// A new model scheme on the OpenGL device for the painting tools' tests:
// the engine's graphics on the OpenGL adapter, resources in a folder of the
// test's own, and a model written through the .geo writer with a picture
// of its own as its paint texture.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbProject_model.h"
#include "app/scheme/tbTextureMap.h"
#include "platform/d3dx/d3dxImage.h"
#include "tests/app/scheme/mapSurface.h"
#include "tests/app/scheme/schemeModels.h"
#include "tests/support/imageSamples.h"
#include "tests/support/modelResources.h"
#include "tests/app/shell/appOnGl.h"

namespace test {

class SchemeOnGl : public apptest::AppOnGl {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(AppOnGl::SetUp());
        res = std::make_unique<testsupport::ModelResources>(rig->engine);
        res->writeTexture("textures/metal.bmp");
    }
    void TearDown() override {
        project.reset();
        res.reset();
        EXPECT_TRUE(boxes.empty()) << boxes.front();
        AppOnGl::TearDown();
    }

    // A new scheme on the model `name` made of `vertices` (one paintable
    // part of one object) with `picture` as its paint texture.
    void open(const std::string& name, std::vector<simVertex> vertices, const d3dx::Bitmap& picture) {
        const std::string folder = "objects/aircraft/planes/" + name + "/" + name;
        res->write(folder + ".bmp", imagesamples::bmp24(picture));
        res->writeGeo(folder + ".geo", paintableModel(name, std::move(vertices)));
        project = std::make_unique<tbProject_model>();
        ASSERT_TRUE(project->onNew(name + ".tvm")) << rig->engine.log();
        model = project->getModel();
        ASSERT_NE(model, nullptr);
        ASSERT_EQ(model->getTextureMap()->getWidth(), picture.width);
        ASSERT_EQ(model->getTextureMap()->getHeight(), picture.height);
    }
    // The paint surface, every pixel opaque.
    std::vector<uint32_t> paint() {
        return testsupport::mapSurface(*model->getTextureMap(), model->getTextureMap()->getPaintSurface()).pixels;
    }

    std::unique_ptr<testsupport::ModelResources> res;
    std::unique_ptr<tbProject_model> project;
    tbGeometry* model = nullptr;
};

}  // namespace test
