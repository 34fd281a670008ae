// The flying site's whole frame through the editor's own frame, side by
// side: a new, empty site (argument 0), and a busy one (31: the sample
// panorama, a 256 x 256 height map, 49 more objects of every kind, a
// position, water showing its painted mask, the second view on), with each
// part alone between them. Goal: the busy site's frame within 2x of the
// empty one's. A new height map is flat, and flat ground costs a view little;
// 48 and 63 shape the map with hills all over, the dearest map there is, alone
// and in the busy site. OpenGL through headless EGL (llvmpipe); every frame
// ends with glFinish, so the rasteriser's work is counted.
#include <benchmark/benchmark.h>

#include <epoxy/gl.h>

#include <cmath>
#include <memory>
#include <string>

#include "app/shell/tbOptions.h"
#include "app/site/tbCollisionObject_area.h"
#include "app/site/tbCollisionObject_heightMap.h"
#include "app/site/tbCollisionObject_marker.h"
#include "app/site/tbCollisionObject_primitive.h"
#include "app/site/tbFlyingSitePosition.h"
#include "app/site/tbProject_flyingsite.h"
#include "app/site/tbSiteBars.h"
#include "engine/core/simGlobals.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simWindow.h"
#include "tests/app/site/recordingSiteBars.h"
#include "tests/support/editor/editorOnEgl.h"

namespace {

constexpr int32_t kCollisionTool = 10;
const std::string kSample = std::string(TOLVANE_SOURCE_DIR) + "/resources/environments/flyingField/flyingField";
constexpr int kSampleDigit[6] = {3, 1, 6, 5, 4, 2};

// The editor with a new site, every bar shown and nothing checked, the
// water editor editing.
struct Editor : testsupport::EditorOnEgl {
    sitetest::RecordingSiteBars bars;
    std::unique_ptr<tbProject_flyingsite> site;

    bool init(benchmark::State& state) {
        if (!context.valid()) {
            state.SkipWithError("no OpenGL context");
            return false;
        }
        if (!startApplication("/tmp/tolvane_site_scene_bench", 800, 600)) {
            state.SkipWithError("the editor did not start");
            return false;
        }
        // The frames are timed by their work, not paced by a display's refresh.
        g_graphics->getWindow()->setVsync(false);
        g_graphics->getWindow()->applyChanges();
        app->tools().setMode(tbToolState::kModeFlyingSite);
        app->tools().setTool(kCollisionTool);
        app->options()->showSecondView = false;
        bars.waterEditing = true;
        bars.brushRadius = 20;
        bars.brushStrength = 200;
        tbBindSiteBars(&bars);
        site = std::make_unique<tbProject_flyingsite>();
        site->onNew("");
        return true;
    }
    // What a site holds, in parts, so each part's cost shows on its own.
    enum Part { panorama = 1, objects = 2, water = 4, inset = 8, heightMap = 16, hills = 32 };
    void furnish(int parts) {
        if (parts & panorama)
            for (int slot = 0; slot < 6; ++slot)
                site->setCubeImage(uint32_t(slot), kSample + std::to_string(kSampleDigit[slot]) + ".jpg");
        if (parts & heightMap) {
            auto map = std::make_unique<tbCollisionObject_heightMap>(
                "Ground", d3dx::Vector3(0, 0, 2000), d3dx::Vector3(), d3dx::Vector3(4000, 1, 4000), 256);
            if (parts & hills)
                for (uint32_t r = 0; r < 256; ++r)
                    for (uint32_t c = 0; c < 256; ++c)
                        map->setHeight(r, c, 60.0f * std::sin(float(r) * 0.07f) * std::cos(float(c) * 0.05f) +
                                                 float((r * 7 + c * 13) % 5));
            site->addCollisionObject(std::move(map));
        }
        if (parts & objects) addObjects();
        if (parts & water) {
            site->setWaterEnabled(true);
            for (int dab = 0; dab < 40; ++dab) {
                site->setBrushPoint({float(dab % 8) * 300 - 1200, 0, float(dab / 8) * 300 + 300});
                site->paintWaterMask();
            }
        }
        app->options()->showSecondView = (parts & inset) != 0;
    }
    void addObjects() {
        using P = tbCollisionObject_primitive;
        for (int i = 0; i < 49; ++i) {
            const d3dx::Vector3 at(float(i % 7) * 200 - 600, 0, 800 + float(i / 7) * 200);
            switch (i % 4) {
                case 0: site->addCollisionObject(std::make_unique<P>(P::shape_cube, "Box", at, d3dx::Vector3(), d3dx::Vector3(30, 30, 30))); break;
                case 1: site->addCollisionObject(std::make_unique<P>(P::shape_sphere, "Ball", at, d3dx::Vector3(), d3dx::Vector3(30, 30, 30))); break;
                case 2: site->addCollisionObject(std::make_unique<tbCollisionObject_marker>("Flag", at)); break;
                default: {
                    auto area = std::make_unique<tbCollisionObject_area>(tbCollisionObject_area::subKind_area, "Patch", at);
                    for (const d3dx::Vector3& p : {d3dx::Vector3(-60, 0, -60), {60, 0, -60}, {60, 0, 60}, {-60, 0, 60}})
                        area->addPoint(p);
                    site->addCollisionObject(std::move(area));
                }
            }
        }
        site->addPosition(std::make_unique<tbFlyingSitePosition>("default 1", d3dx::Vector3(0, 0, 500), 1));
    }
    void frame() {
        app->update();
        app->purgeSafeDeleteObjects(false);
        app->redraw();
        glFinish();
    }
    ~Editor() {
        site.reset();
        tbBindSiteBars(nullptr);
        stopApplication();
    }
};

void BM_SiteFrame(benchmark::State& state) {
    Editor editor;
    if (!editor.init(state)) return;
    editor.furnish(int(state.range(0)));
    for (auto _ : state) editor.frame();
}
// 0 the empty site, 31 the busy one; between them each part alone: 1 the
// panorama, 2 the 49 objects and a position, 4 the water with its mask, 8
// the second view, 16 the height map; 48 the map shaped all over, 63 the busy
// site with it.
BENCHMARK(BM_SiteFrame)
    ->Arg(0)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Arg(16)->Arg(31)->Arg(48)->Arg(63)
    ->Unit(benchmark::kMillisecond);

}  // namespace
