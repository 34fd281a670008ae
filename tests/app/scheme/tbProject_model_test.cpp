// Model schemes on the recording device: a new scheme from a model name,
// save -> open -> save giving the same bytes, stored shapes and the UV
// selection through a file, camera records, refusals that leave the project
// as it was, and a save that fails half-way keeping the old file.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/scheme/tbModelSchemeKind.h"
#include "app/scheme/tbSchemeEditing.h"
#include "app/shell/tbCommandWindows.h"
#include "app/shell/tbErrorBox.h"
#include "app/scheme/tbMaterial.h"
#include "app/shell/tbProgress.h"
#include "app/shell/tbToolState.h"
#include "app/scheme/tbProjectFile.h"
#include "app/scheme/tbProject_model.h"
#include "app/shell/tbSceneCameras.h"
#include "app/scheme/tbTextureMap.h"
#include "app/shell/tbCamera.h"
#include "engine/graphics/simLight.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simTexture.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simResources.h"
#include "tests/app/scheme/schemeModels.h"
#include "tests/support/imageSamples.h"
#include "tests/support/modelResources.h"
#include "tests/support/recordingGraphics.h"
#include "tests/support/wholeFile.h"

using testsupport::ModelResources;
using testsupport::RecordingGraphics;

namespace {

// With TOLVANE_FUZZ_SEEDS set to a folder, real saves are kept there as
// seeds for the project-file fuzzer (fuzz/corpus/tvp).
void keepAsFuzzSeed(const std::string& path, const std::string& name) {
    if (const char* folder = std::getenv("TOLVANE_FUZZ_SEEDS"))
        std::filesystem::copy_file(path, std::string(folder) + "/" + name,
                                   std::filesystem::copy_options::overwrite_existing);
}

using testsupport::fileText;

// Two cameras whose records are patterns; loads are recorded.
class FakeCameras : public tbSceneCameras {
public:
    size_t count() const override { return 2; }
    tbToolSettings::CameraRecord save(size_t index) const override {
        tbToolSettings::CameraRecord r{};
        for (size_t i = 0; i < r.size(); ++i) r[i] = uint8_t(i + index * 7 + stamp);
        return r;
    }
    void load(size_t index, const tbToolSettings::CameraRecord& record) override {
        loaded.push_back({index, record});
    }
    uint8_t stamp = 0;
    std::vector<std::pair<size_t, tbToolSettings::CameraRecord>> loaded;
};

class ModelScheme : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(rig.complete()) << rig.engine.log();
        previousSink = tbSetErrorBoxSink([this](const std::string& title, const std::string& text) {
            boxes.push_back(title + " / " + text);
        });
        res = std::make_unique<ModelResources>(rig.engine);
        res->write("objects/aircraft/planes/trainer/trainer.bmp",
                   imagesamples::bmp24(imagesamples::pattern(8, 8, false)));
        res->writeTexture("textures/metal.bmp");
        res->writeGeo("objects/aircraft/planes/trainer/trainer.geo",
                      test::paintableModel("trainer", test::gridVertices(4, 3), 2));
        previousCameras = tbSetSceneCameras(&cameras);
    }
    void TearDown() override {
        tbSetSceneCameras(previousCameras);
        project.reset();
        res.reset();
        tbSetErrorBoxSink(previousSink);
    }

    std::unique_ptr<tbProject_model> newScheme() {
        auto p = std::make_unique<tbProject_model>();
        EXPECT_TRUE(p->onNew("trainer.tvm")) << rig.engine.log();
        return p;
    }
    std::string path(const std::string& name) const { return res->temp.file(name); }

    RecordingGraphics rig;
    std::unique_ptr<ModelResources> res;
    std::unique_ptr<tbProject_model> project;
    std::vector<std::string> boxes;
    tbErrorBoxSink previousSink;
    FakeCameras cameras;
    tbSceneCameras* previousCameras = nullptr;
};


TEST_F(ModelScheme, ANewSchemeImportsItsModel) {
    project = std::make_unique<tbProject_model>();
    EXPECT_EQ(project->getFileName(), "New Project.tvp");
    EXPECT_EQ(project->getSchemeName(), "New scheme");
    EXPECT_EQ(project->getFileVersion(), 0);
    EXPECT_EQ(tbProject::current(), project.get());
    ASSERT_TRUE(project->onNew("objects/aircraft/planes/trainer/trainer.tvm"));
    EXPECT_EQ(project->getModelName(), "trainer");
    EXPECT_EQ(project->getFileVersion(), 1);
    ASSERT_NE(project->getModel(), nullptr);
    EXPECT_EQ(project->getModel()->triangles.size(), 24u);
    EXPECT_EQ(project->windowTitle("TolvaneBuilder 2.5.a"), "TolvaneBuilder 2.5.a - New Project.tvp (trainer/New scheme)");
    EXPECT_EQ(g_resources->getCollectionName(), "");

    auto missing = std::make_unique<tbProject_model>();
    EXPECT_FALSE(missing->onNew("nowhere"));
    EXPECT_EQ(missing->getModel(), nullptr);
    EXPECT_TRUE(boxes.empty());
}

// Two models of one name in different groups: New takes the one picked, as
// the model picker names it, never the first one found.
TEST_F(ModelScheme, ANewSchemeImportsThePickedModelOfTwoWithOneName) {
    res->writeGeo("objects/aircraft/fixedWing/aerobatic/trainer/trainer.geo",
                  test::paintableModel("trainer", test::gridVertices(2, 2), 2));
    res->writeGeo("objects/aircraft/fixedWing/scale/trainer/trainer.geo",
                  test::paintableModel("trainer", test::gridVertices(3, 2), 2));
    struct Case {
        const char* picked;
        size_t triangles;  // 0: nothing imported
    };
    const Case cases[] = {
        {"fixedWing/aerobatic/trainer", 8},
        {"fixedWing/scale/trainer", 12},
        {"planes/trainer", 24},
        {"fixedWing/scale/trainer/trainer.tvm", 12},
        {"fixedWing/gliders/trainer", 0},  // no such folder
        {"fixedWing/../planes/trainer", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picked);
        project.reset();
        project = std::make_unique<tbProject_model>();
        ASSERT_EQ(project->onNew(c.picked), c.triangles != 0) << rig.engine.log();
        if (c.triangles == 0) continue;
        EXPECT_EQ(project->getModelName(), "trainer");
        ASSERT_NE(project->getModel(), nullptr);
        EXPECT_EQ(project->getModel()->triangles.size(), c.triangles);
    }
}

TEST_F(ModelScheme, SaveOpenSaveGivesTheSameBytes) {
    project = newScheme();
    project->shapes().push_back(std::make_unique<tbStoredShape>(tbStoredShape{"wave", {{1, {0, 1}, {2, 3}, {4, 5}}}}));
    project->getModel()->toolSettings.text = "G-TOLV";
    project->getModel()->roots[0]->visible = 0;
    // A part without a material must not come back as the paint material.
    project->getModel()->roots[0]->meshParts[1]->material = nullptr;
    project->getModel()->roots[0]->meshParts[1]->texture = nullptr;
    cameras.stamp = 5;
    ASSERT_TRUE(project->save(path("first.tvp")));
    EXPECT_EQ(project->getFileName(), "first.tvp");
    keepAsFuzzSeed(path("first.tvp"), "scheme.tvp");

    cameras.stamp = 0;
    project = std::make_unique<tbProject_model>();
    ASSERT_TRUE(project->open(path("first.tvp"))) << rig.engine.log();
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(project->getModelName(), "trainer");
    EXPECT_EQ(project->getFileVersion(), 1);
    ASSERT_EQ(project->getShapes().size(), 1u);
    EXPECT_EQ(project->getShapes()[0]->name, "wave");
    EXPECT_EQ(project->getModel()->toolSettings.text, "G-TOLV");
    EXPECT_EQ(project->getModel()->roots[0]->visible, 0);
    EXPECT_EQ(project->getModel()->roots[0]->meshParts[0]->material, project->getModel()->getMaterial(0));
    EXPECT_EQ(project->getModel()->roots[0]->meshParts[1]->material, nullptr);
    // Each camera got its own record back.
    ASSERT_EQ(cameras.loaded.size(), 2u);
    EXPECT_EQ(cameras.loaded[1].second[0], uint8_t(7 + 5));

    cameras.stamp = 5;
    ASSERT_TRUE(project->save(path("second.tvp")));
    EXPECT_TRUE(fileText(path("second.tvp")) == fileText(path("first.tvp")));
    EXPECT_EQ(project->windowTitle("T"), "T - second.tvp (trainer/New scheme)");
}

// A model texture other than the paint texture belongs to the opened
// project: opened after the scheme that loaded it has gone (New, Save, New,
// Open, as a modeller does), or in a run that never loaded it, it stays
// alive through the purge that follows, held by the project's collection.
TEST_F(ModelScheme, AnOpenedSchemeHoldsItsModelTextures) {
    project = newScheme();
    ASSERT_TRUE(project->save(path("metal.tvp")));
    project.reset();
    project = newScheme();
    for (const bool loadedBefore : {true, false}) {
        SCOPED_TRACE(loadedBefore ? "after New of the same model" : "in a run that never loaded it");
        project.reset();
        if (!loadedBefore) rig.engine.app().purgeSafeDeleteObjects(true);
        ASSERT_EQ(simResources::getResource("metal.bmp", false) != nullptr, loadedBefore);
        project = std::make_unique<tbProject_model>();
        ASSERT_TRUE(project->open(path("metal.tvp"))) << rig.engine.log();
        rig.engine.app().purgeSafeDeleteObjects(true);
        const simTexture* metal = project->getModel()->getMaterial(1)->texture;
        ASSERT_NE(metal, nullptr);
        EXPECT_EQ(simResources::getResource("metal.bmp", false), metal) << "freed while the project shows it";
        EXPECT_TRUE(boxes.empty());
    }
}

TEST_F(ModelScheme, AFaceSelectionComesBackWithItsCentre) {
    project = newScheme();
    tbGeometry& model = *project->getModel();
    model.selection.mode = tbUVSelection::kFaces;
    for (int i : {0, 5, 23}) model.selection.faces.push_back(model.getTriangle(i));
    ASSERT_TRUE(project->save(path("selection.tvp")));
    keepAsFuzzSeed(path("selection.tvp"), "selection.tvp");

    project = std::make_unique<tbProject_model>();
    ASSERT_TRUE(project->open(path("selection.tvp")));
    const tbUVSelection& s = project->getModel()->selection;
    ASSERT_EQ(s.mode, tbUVSelection::kFaces);
    std::vector<uint32_t> indices;
    for (const tbTriangle* t : s.faces) indices.push_back(t->index);
    EXPECT_EQ(indices, (std::vector<uint32_t>{0, 5, 23}));
    // The centre of the rectangle around the faces' centres' x and y.
    float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
    for (const tbTriangle* t : s.faces) {
        minX = std::min(minX, t->centre.x);
        maxX = std::max(maxX, t->centre.x);
        minY = std::min(minY, t->centre.y);
        maxY = std::max(maxY, t->centre.y);
    }
    EXPECT_FLOAT_EQ(s.textureCentre.x, (minX + maxX) / 2);
    EXPECT_FLOAT_EQ(s.textureCentre.y, (minY + maxY) / 2);
    EXPECT_LT(minY, maxY);
}

TEST_F(ModelScheme, ABadFileIsRefusedAndChangesNothing) {
    project = newScheme();
    tbGeometry* model = project->getModel();
    ASSERT_TRUE(project->save(path("good.tvp")));
    const std::string good = fileText(path("good.tvp"));

    const struct {
        const char* what;
        std::string bytes;
    } files[] = {
        {"empty", ""},
        {"truncated", good.substr(0, good.size() - 1)},
        {"cut in the texture", good.substr(0, kProjectHeaderSize + 40)},
        {"not a project", std::string(5000, 'x')},
    };
    for (const auto& f : files) {
        res->temp.write("bad.tvp", f.bytes);
        boxes.clear();
        EXPECT_FALSE(project->open(path("bad.tvp"))) << f.what;
        ASSERT_EQ(boxes.size(), 1u) << f.what;
        EXPECT_EQ(boxes[0], "Error opening project / The project file appears to be invalid, or has been deleted.");
        EXPECT_EQ(project->getModel(), model) << f.what;
        EXPECT_EQ(project->getFileName(), "good.tvp") << f.what;
    }
    boxes.clear();
    EXPECT_FALSE(project->open(path("missing.tvp")));
    EXPECT_EQ(boxes.size(), 1u);

    // A file whose picture is not an image: the texture fails, the project stays.
    tbProjectFileData data;
    std::string error;
    ASSERT_TRUE(readProjectFile(good.data(), good.size(), 2, data, error)) << error;
    data.geometry.texture.bmp.assign(64, 0x11);
    const std::vector<uint8_t> bytes = writeProjectFile(data);
    res->temp.write("picture.tvp", std::string(bytes.begin(), bytes.end()));
    boxes.clear();
    EXPECT_FALSE(project->open(path("picture.tvp")));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("Error opening project / The texture surface could not be created."), std::string::npos);
    EXPECT_EQ(project->getModel(), model);
}

TEST_F(ModelScheme, AFailedSaveKeepsTheOldFile) {
    project = newScheme();
    res->temp.write("kept.tvp", "the old project");
    // Writes past 4 KB fail (and do not raise the file-size signal).
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = project->save(path("kept.tvp"));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(fileText(path("kept.tvp")), "the old project");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Error saving project / The project could not be saved to ", 0), 0u);
    EXPECT_NE(boxes[0].find("\nThe file that was there is unchanged."), std::string::npos) << boxes[0];
    EXPECT_EQ(project->getFileName(), "New Project.tvp");
    // With no file there, the message claims none.
    boxes.clear();
    EXPECT_FALSE(project->save(path("missing folder/new.tvp")));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("No such file or directory"), std::string::npos) << boxes[0];
    EXPECT_EQ(boxes[0].find("unchanged"), std::string::npos) << boxes[0];
    // Nothing but the old file is left in the folder.
    EXPECT_TRUE(project->save(path("kept.tvp")));
    EXPECT_NE(fileText(path("kept.tvp")), "the old project");

    // A project without a model is not saved at all.
    tbProject_model empty;
    EXPECT_FALSE(empty.save(path("empty.tvp")));
}

TEST_F(ModelScheme, TheScenesFirstTwoCamerasTravelWithTheFile) {
    tbSetSceneCameras(nullptr);  // the scene's own cameras
    new simScene();              // owned by the graphics system, as are its cameras
    new tbCamera(kStartCameraPresets[0]);
    auto* second = new tbCamera(kStartCameraPresets[1]);
    new tbCamera(kStartCameraPresets[2]);  // only the first two are stored
    project = newScheme();
    // A new scheme turns the perspective camera to 30 and -45 degrees.
    EXPECT_FLOAT_EQ(second->angles().x, 0.5235833f);
    EXPECT_FLOAT_EQ(second->angles().y, -0.785375f);
    second->setDistance(42.0f);
    second->updateMatrices();
    ASSERT_TRUE(project->save(path("cameras.tvp")));
    const std::string bytes = fileText(path("cameras.tvp"));
    tbProjectFileData data;
    std::string error;
    EXPECT_TRUE(readProjectFile(bytes.data(), bytes.size(), 2, data, error)) << error;

    second->setDistance(7.0f);
    project = std::make_unique<tbProject_model>();
    ASSERT_TRUE(project->open(path("cameras.tvp")));
    EXPECT_FLOAT_EQ(second->distance(), 42.0f);

    // Refreshing moves the scene's first light to the active camera and turns
    // it along the camera's view.
    simColour white;
    white.set(255, 255, 255, 255);
    auto light = std::make_unique<simLight>("sun", simLight::directional, d3dx::Vector3{0, 10, 0},
                                            d3dx::Vector3{0, -1, 0}, 0.0f, 0.0f, white, white, white);
    project->refresh();
    auto* scene = dynamic_cast<simScene*>(rig.graphics().getScene());
    ASSERT_NE(scene->getActiveCamera(), nullptr);
    const d3dx::Vector3 forward = scene->getActiveCamera()->getForward();
    ASSERT_GT(std::fabs(forward.x) + std::fabs(forward.y) + std::fabs(forward.z), 0.5f);
    ASSERT_NE(-forward.y, -1.0f);  // not where the light pointed before
    EXPECT_NEAR(light->getDirection().x, -forward.x, 1e-5f);
    EXPECT_NEAR(light->getDirection().y, -forward.y, 1e-5f);
    EXPECT_NEAR(light->getDirection().z, -forward.z, 1e-5f);
    const d3dx::Vector3 eye = scene->getActiveCamera()->getPosition();
    EXPECT_NEAR(light->getPosition().x, eye.x, 1e-4f);
    EXPECT_NEAR(light->getPosition().y, eye.y, 1e-4f);
    EXPECT_NEAR(light->getPosition().z, eye.z, 1e-4f);
}

// The windows the scheme's record asks: the model picker and the
// export-scheme dialog answer from a script.
class PickingWindows : public tbCommandWindows {
public:
    std::string pickModel() override { return model; }
    std::string chooseFile(const tbFileRequest&) override { return {}; }
    std::string chooseSchemeName(const std::string& scheme, const std::string& model_) override {
        asked = scheme + " of " + model_;
        return name;
    }
    bool chooseSiteNames(std::string&, std::string&, std::string&) override { return false; }
    void showOptions() override {}
    void setTitle(const std::string&) override {}
    void quit() override {}
    void showBar(tbBar) override {}
    void refreshBrushBar() override {}
    void exchangeToolSettings(bool) override {}
    void resetToolbars() override {}
    std::string model, name, asked;
};

class ExportRecorder : public tbSchemeEditing {
public:
    bool isOpen() const override { return true; }
    void undo() override {}
    void createRestorePoint() override {}
    void revertToRestorePoint() override {}
    bool exportTexture(const std::string& path, bool withUvLayout) override {
        exported.push_back(path + (withUvLayout ? " with UV" : ""));
        return true;
    }
    bool importTexture(const std::string&) override { return false; }
    std::vector<std::string> exported;
};

// The scheme's record reaches the scheme's own factory and procedures: a
// tbProject_model made with the small brush, the model picker for New, the
// file's own check for Open, the scheme bitmap's path for Export, the
// scheme's title.
TEST_F(ModelScheme, TheSchemeKindReachesTheSchemesOwnProcedures) {
    tbToolState tools;
    tbProgress progress({});
    ExportRecorder editing;
    PickingWindows windows;
    const tbProjectKind kind = tbModelSchemeKind(tools, progress, editing);
    EXPECT_EQ(kind.mode, tbToolState::kModeScheme);
    EXPECT_EQ(kind.extension, ".tvp");
    EXPECT_EQ(kind.openTitle, "Open model scheme");
    EXPECT_TRUE(kind.showsObjectBar);
    EXPECT_TRUE(kind.exchangesToolSettings);
    EXPECT_EQ(kind.brushSize, 25.0f);
    EXPECT_FALSE(kind.newTool) << "a new scheme keeps the current tool";
    EXPECT_EQ(kind.openTool, 0);
    EXPECT_TRUE(kind.unavailable.empty());

    EXPECT_FALSE(kind.chooseNewName(windows)) << "the picker cancelled";
    windows.model = "trainer";
    EXPECT_EQ(kind.chooseNewName(windows), std::optional<std::string>("trainer"));

    project.reset(dynamic_cast<tbProject_model*>(kind.make()));
    ASSERT_NE(project, nullptr);
    EXPECT_EQ(tbProject::current(), project.get());
    EXPECT_EQ(tools.brushSize(), 5.0f) << "a scheme starts with the small brush";
    ASSERT_TRUE(project->onNew("trainer"));
    EXPECT_EQ(kind.windowTitle(*project, "T"), "T - New Project.tvp (trainer/New scheme)");

    // Open's check reads the whole file and builds nothing.
    ASSERT_TRUE(project->save(path("good.tvp")));
    tbGeometry* model = project->getModel();
    EXPECT_TRUE(kind.checkFile(path("good.tvp")));
    const std::string good = fileText(path("good.tvp"));
    res->temp.write("cut.tvp", good.substr(0, good.size() - 1));
    for (const char* name : {"cut.tvp", "missing.tvp"}) {
        boxes.clear();
        EXPECT_FALSE(kind.checkFile(path(name))) << name;
        EXPECT_EQ(boxes, std::vector<std::string>{
                             "Error opening project / The project file appears to be invalid, or has been deleted."});
    }
    EXPECT_EQ(project->getModel(), model);
    EXPECT_EQ(project->getFileName(), "good.tvp");

    EXPECT_FALSE(kind.chooseExportNames(*project, windows)) << "the name dialog cancelled";
    EXPECT_EQ(windows.asked, "New scheme of trainer");
    windows.name = "Red";
    EXPECT_TRUE(kind.chooseExportNames(*project, windows));
    EXPECT_EQ(project->getSchemeName(), "Red");
    EXPECT_TRUE(kind.exportProject(*project, "/home/u/TolvaneSim/"));
    EXPECT_EQ(editing.exported, std::vector<std::string>{"/home/u/TolvaneSim/Schemes/trainer#Red.bmp"});
    EXPECT_EQ(kind.exportFailed.title, "Export texture");
}

}  // namespace
