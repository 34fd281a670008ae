// The paint texture out to an image editor and back on the OpenGL device:
// every format read back by our readers and by ImageMagick's identify, the
// names that are refused, the UV layout image, opaque exports from a
// reopened project, failures that report false and leave no file behind,
// the import's snapshot, and the scheme bitmap.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/tbErrorBox.h"
#include "app/scheme/tbGeometry.h"
#include "app/scheme/tbGeometryUndo.h"
#include "app/scheme/tbProject_model.h"
#include "app/scheme/tbTextureMap.h"
#include "platform/d3dx/d3dxImage.h"
#include "platform/gfx/device.h"
#include "tests/app/scheme/mapSurface.h"
#include "tests/app/scheme/schemeModels.h"
#include "tests/support/graphicsOnGl.h"
#include "tests/support/imageSamples.h"
#include "tests/support/modelResources.h"

using testsupport::ModelResources;
namespace fs = std::filesystem;

namespace {

constexpr uint32_t kSize = 64;

// identify's "<format> <width>x<height> <opaque>" for a file, empty when it fails.
std::string identify(const std::string& path) {
    const std::string command = "identify -format '%m %wx%h %[opaque]' '" + path + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {};
    std::string out;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
    return pclose(pipe) == 0 ? out : std::string{};
}

d3dx::Bitmap readBack(const std::string& path) {
    d3dx::Image image;
    const d3dx::ImageResult result = d3dx::LoadImageFromFile(path, {}, &image);
    EXPECT_TRUE(result.ok()) << path << ": " << result.reason;
    return result.ok() ? imagesamples::bitmapOf(image) : d3dx::Bitmap{};
}

std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class GlTextureExchange : public testsupport::GraphicsOnGl {
protected:
    GlTextureExchange() : GraphicsOnGl(64, 48) {}
    void SetUp() override {
        GraphicsOnGl::SetUp();
        if (HasFatalFailure()) return;
        previousSink = tbSetErrorBoxSink([this](const std::string& title, const std::string&) { boxes.push_back(title); });
        res = std::make_unique<ModelResources>(rig->engine);
        picture = imagesamples::pattern(kSize, kSize, false);
        res->write("objects/aircraft/planes/trainer/trainer.bmp", imagesamples::bmp24(picture));
        res->writeTexture("textures/metal.bmp");
        res->writeGeo("objects/aircraft/planes/trainer/trainer.geo",
                      test::paintableModel("trainer", test::gridVertices(4, 3), 2));
        project = std::make_unique<tbProject_model>();
        ASSERT_TRUE(project->onNew("trainer.tvm")) << rig->engine.log();
        out = res->temp.file("out");
        fs::create_directory(out);
    }
    void TearDown() override {
        project.reset();
        res.reset();
        rig.reset();
        tbSetErrorBoxSink(previousSink);
    }

    tbTextureMap& map() { return *project->getModel()->getTextureMap(); }
    d3dx::Bitmap surface(gfx::SurfaceHandle handle) { return testsupport::mapSurface(map(), handle); }
    std::string file(const std::string& name) const { return out + "/" + name; }

    std::unique_ptr<ModelResources> res;
    std::unique_ptr<tbProject_model> project;
    d3dx::Bitmap picture;
    std::string out;
    std::vector<std::string> boxes;
    tbErrorBoxSink previousSink;
};

TEST_F(GlTextureExchange, EveryFormatIsWrittenWithItsLayoutAndReadsBack) {
    const struct {
        const char* name;
        const char* identified;
        bool lossless;
    } cases[] = {
        {"scheme.bmp", "BMP3", true}, {"scheme.png", "PNG", true}, {"scheme.tga", "TGA", true},
        {"scheme.dds", "DDS", true}, {"SCHEME.PNG", "PNG", true}, {"scheme.jpg", "JPEG", false},
        {"a.b/scheme.tga", "TGA", true},
    };
    fs::create_directory(file("a.b"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(project->exportTexture(file(c.name), true));
        const std::string name = file(c.name);
        const std::string layout = name.substr(0, name.size() - 4) + "_UVs" + name.substr(name.size() - 4);
        for (const std::string& written : {name, layout}) {
            EXPECT_EQ(identify(written), std::string(c.identified) + " 64x64 true") << written;
            const d3dx::Bitmap back = readBack(written);
            ASSERT_EQ(back.width, kSize);
            for (uint32_t p : back.pixels) ASSERT_EQ(p >> 24, 0xFFu);
        }
        if (c.lossless) {
            EXPECT_EQ(readBack(name).pixels, picture.pixels);
        }
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(GlTextureExchange, NamesWithoutAKnownExtensionAreRefusedAndWriteNothing) {
    for (const char* name : {"picture.Png", "picture.jpeg", "picture", "picture.gif", "picture."}) {
        EXPECT_FALSE(project->exportTexture(file(name), true)) << name;
    }
    EXPECT_TRUE(filesIn(out).empty());
    tbProject_model empty;
    EXPECT_FALSE(empty.exportTexture(file("none.bmp"), false));
    EXPECT_FALSE(empty.importTexture(file("none.bmp")));
}

TEST_F(GlTextureExchange, TheLayoutOutlinesEveryPaintableTriangleAndLeavesThePictureAlone) {
    // Hidden and disabled objects are still in the layout.
    project->getModel()->roots[0]->enabled = 0;
    project->getModel()->roots[0]->visible = 0;
    ASSERT_TRUE(project->exportTexture(file("scheme.png"), true));
    const d3dx::Bitmap layout = readBack(file("scheme_UVs.png"));
    ASSERT_EQ(layout.width, kSize);
    size_t white = 0;
    for (uint32_t p : layout.pixels) {
        ASSERT_TRUE(p == 0xFF000000u || p == 0xFFFFFFFFu) << std::hex << p;
        white += p == 0xFFFFFFFFu;
    }
    EXPECT_GT(white, 0u);
    for (const auto& t : project->getModel()->triangles) {
        for (const d3dx::Vector2& uv : t->uvs) {
            const uint32_t x = std::min(kSize - 1, uint32_t(uv.x * kSize)), y = std::min(kSize - 1, uint32_t(uv.y * kSize));
            EXPECT_EQ(layout.at(x, y), 0xFFFFFFFFu) << x << "," << y;
        }
        const d3dx::Vector2 c = (t->uvs[0] + t->uvs[1] + t->uvs[2]) / 3.0f;
        EXPECT_EQ(layout.at(uint32_t(c.x * kSize), uint32_t(c.y * kSize)), 0xFF000000u);
    }
    EXPECT_EQ(surface(map().getPaintSurface()).pixels, picture.pixels);
    EXPECT_EQ(surface(map().getDrawingSurface()).pixels, picture.pixels);
    EXPECT_EQ(surface(map().getSnapshotSurface()).pixels, picture.pixels);

    // A model without a paintable part gives an all-black layout.
    for (auto& part : project->getModel()->roots[0]->meshParts) part->material = nullptr;
    ASSERT_TRUE(project->exportTexture(file("bare.png"), true));
    for (uint32_t p : readBack(file("bare_UVs.png")).pixels) ASSERT_EQ(p, 0xFF000000u);
}

TEST_F(GlTextureExchange, AReopenedProjectExportsOpaque) {
    ASSERT_TRUE(project->save(file("scheme.tvp")));
    project = std::make_unique<tbProject_model>();
    ASSERT_TRUE(project->open(file("scheme.tvp"))) << rig->engine.log();
    // Paint that left partial alpha in the drawing surface, as blended strokes do.
    map().beginDrawing();
    rig->device().Clear(0, nullptr, gfx::D3DCLEAR_TARGET, 0x80FF0000, 1.0f, 0);
    map().endDrawing();
    for (const char* name : {"open.png", "open.tga", "open.dds", "open.bmp"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(project->exportTexture(file(name), false));
        EXPECT_TRUE(identify(file(name)).ends_with(" 64x64 true")) << identify(file(name));
        for (uint32_t p : readBack(file(name)).pixels) ASSERT_EQ(p, 0xFFFF0000u);
    }
}

TEST_F(GlTextureExchange, FailedWritesReportFalseAndLeaveNoFileBehind) {
    EXPECT_FALSE(project->exportTexture(file("missing/scheme.png"), true));
    EXPECT_TRUE(boxes.empty());

    // The picture is written; its layout cannot replace a folder of that name.
    fs::create_directory(file("scheme_UVs.png"));
    EXPECT_FALSE(project->exportTexture(file("scheme.png"), true));
    EXPECT_EQ(boxes, std::vector<std::string>{"Error exporting UV mapping"});
    EXPECT_EQ(filesIn(out), (std::vector<std::string>{"scheme.png", "scheme_UVs.png"}));
    EXPECT_EQ(surface(map().getPaintSurface()).pixels, picture.pixels);
}

TEST_F(GlTextureExchange, AnImportReplacesThePictureAndTheSnapshot) {
    const d3dx::Bitmap green = imagesamples::solid(kSize / 2, kSize / 2, 0xFF00FF00);
    res->temp.write("green.bmp", std::string(reinterpret_cast<const char*>(imagesamples::bmp24(green).data()),
                                             imagesamples::bmp24(green).size()));
    ASSERT_TRUE(project->importTexture(res->temp.file("green.bmp")));
    const d3dx::Bitmap scaled = imagesamples::solid(kSize, kSize, 0xFF00FF00);
    EXPECT_EQ(surface(map().getPaintSurface()).pixels, scaled.pixels);
    EXPECT_EQ(surface(map().getDrawingSurface()).pixels, scaled.pixels);
    // The next undo step saves the imported picture as its "before", not the old one.
    EXPECT_EQ(surface(map().getSnapshotSurface()).pixels, scaled.pixels);

    // Files that are missing or no picture fail and change nothing.
    res->temp.write("junk.png", std::string(100, 'x'));
    EXPECT_FALSE(project->importTexture(res->temp.file("junk.png")));
    EXPECT_FALSE(project->importTexture(res->temp.file("nowhere.png")));
    EXPECT_EQ(surface(map().getPaintSurface()).pixels, scaled.pixels);
    EXPECT_EQ(surface(map().getSnapshotSurface()).pixels, scaled.pixels);

    // The import is one undo step: undoing it brings back the exact picture
    // from before it, on every surface, and only the successful import made a step.
    tbGeometryUndo& undo = project->getModel()->getUndo();
    EXPECT_EQ(undo.count(), 1u);
    undo.undo();
    EXPECT_EQ(undo.count(), 0u);
    EXPECT_EQ(surface(map().getPaintSurface()).pixels, picture.pixels);
    EXPECT_EQ(surface(map().getDrawingSurface()).pixels, picture.pixels);
    EXPECT_EQ(surface(map().getSnapshotSurface()).pixels, picture.pixels);
}

TEST_F(GlTextureExchange, TheSchemeBitmapIsTheEditorsBitmapWithoutALayout) {
    EXPECT_EQ(project->schemeBitmapPath("/home/pilot/TolvaneSim/"),
              "/home/pilot/TolvaneSim/Schemes/trainer#New scheme.bmp");
    fs::create_directory(file("Schemes"));
    const std::string scheme = project->schemeBitmapPath(out + "/");
    ASSERT_TRUE(project->exportTexture(scheme, false));
    ASSERT_TRUE(project->exportTexture(file("editor.bmp"), true));
    EXPECT_EQ(res->temp.read("out/Schemes/trainer#New scheme.bmp"), res->temp.read("out/editor.bmp"));
    EXPECT_EQ(filesIn(file("Schemes")), std::vector<std::string>{"trainer#New scheme.bmp"});
}

}  // namespace
