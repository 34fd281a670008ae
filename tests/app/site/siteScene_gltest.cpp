// The flying site drawn through the editor's own frames on OpenGL: the
// sample site from the pilot's camera and from above against golden images,
// and pixel probes of the grid's extent, the second view's inset and frame,
// the sky box's faces in their slots and the right way round, read from
// their mip levels where shrunk and blended only when they have alpha, the
// water mask against world z, painting held back while a manipulator has the
// mouse, the lighting preview without its effect, which manipulators show
// under each tool, and the global wind turned by its gizmo for Save and
// Export.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/tbApplication.h"
#include "app/shell/tbCamera.h"
#include "app/shell/tbOptions.h"
#include "app/site/tbCollisionObjectRecords.h"
#include "app/site/tbCollisionObject_area.h"
#include "app/site/tbCollisionObject_heightMap.h"
#include "app/site/tbCollisionObject_marker.h"
#include "app/site/tbCollisionObject_primitive.h"
#include "app/site/tbCollisionObject_skyline.h"
#include "app/site/tbFlyingSiteFile.h"
#include "app/site/tbFlyingSitePosition.h"
#include "app/site/tbProject_flyingsite.h"
#include "app/site/tbSiteBars.h"
#include "app/site/tbSiteSelectionBars.h"
#include "app/site/tbWaterBrush.h"
#include "app/site/tbWaterMask.h"
#include "engine/core/simConsole.h"
#include "engine/core/simGlobals.h"
#include "engine/core/simInput.h"
#include "engine/core/simInputEvent.h"
#include "engine/core/simKeyboard.h"
#include "engine/core/simResource.h"
#include "engine/core/simMouse.h"
#include "engine/core/simResources.h"
#include "engine/core/utilsPicking.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/manipulatorContainer.h"
#include "engine/graphics/simCamera.h"
#include "engine/graphics/simGraphics.h"
#include "engine/graphics/simScene.h"
#include "engine/graphics/simTexture.h"
#include "engine/graphics/simWindow.h"
#include "platform/d3dx/d3dxImage.h"
#include "platform/d3dx/d3dxMath.h"
#include "platform/win/winMessages.h"
#include "tests/app/shell/editorOnGl.h"
#include "tests/app/site/recordingSiteBars.h"
#include "tests/app/site/siteTvfReader.h"
#include "tests/support/wholeFile.h"
#include "tests/support/goldenImage.h"
#include "tests/support/imageSamples.h"

namespace {

using Toggle = tbSiteBars::Toggle;

constexpr int32_t kPanorama = 8, kLighting = 9, kCollision = 10, kPositions = 11, kWeather = 12;
const std::string kSample = std::string(TOLVANE_SOURCE_DIR) + "/resources/environments/flyingField/";
// The sample's file digit for each slot (-X, +X, -Y, +Y, -Z, +Z).
constexpr int kSampleDigit[6] = {3, 1, 6, 5, 4, 2};

class Shown : public tbSiteSelectionBars {
public:
    const tbCollisionObject* collisionBarObject() const override { return object; }
    void showInCollisionBar(tbCollisionObject* o) override { object = o; }
    void showInWeatherBar(tbCollisionObject*) override {}
    const tbFlyingSitePosition* positionsBarPosition() const override { return nullptr; }
    void showInPositionsBar(tbFlyingSitePosition*) override {}
    tbCollisionObject* object = nullptr;
};

uint8_t channel(uint32_t c, int shift) { return uint8_t(c >> shift); }
int brightness(uint32_t c) { return channel(c, 16) + channel(c, 8) + channel(c, 0); }
bool near(uint32_t a, uint32_t b, int tolerance = 48) {
    for (int shift : {0, 8, 16})
        if (std::abs(int(channel(a, shift)) - int(channel(b, shift))) > tolerance) return false;
    return true;
}

class SiteFrames : public apptest::EditorOnGl {
protected:
    void SetUp() override {
        startEditor(480, 360, tbToolState::kModeFlyingSite);
        if (HasFatalFailure()) return;
        previousBars = tbBindSiteBars(&bars);
        tbSiteSelectionBars::install(&shown);
        options().showSecondView = false;
        site = std::make_unique<tbProject_flyingsite>();
        ASSERT_TRUE(site->onNew(""));
        const simWindow* window = g_graphics->getWindow();
        width = uint32_t(window->getBackBufferWidth());
        height = uint32_t(window->getBackBufferHeight());
    }
    void TearDown() override {
        site.reset();
        tbSiteSelectionBars::install(nullptr);
        tbBindSiteBars(previousBars);
        stopEditor();
    }

    tbOptions& options() { return *app->options(); }
    void use(int32_t tool, int32_t viewMode) {
        app->tools().setTool(tool);
        app->tools().setViewMode(viewMode);
    }
    void frames(int count = 2) {
        for (int i = 0; i < count; ++i) {
            app->update();
            app->purgeSafeDeleteObjects(false);
            app->redraw();
        }
    }
    std::vector<uint32_t> pixels() { return backBufferPixels(); }
    uint32_t at(const std::vector<uint32_t>& picture, int x, int y) const { return picture[size_t(y) * width + x]; }
    simCamera* camera(int index) { return dynamic_cast<simScene*>(g_graphics->getScene())->getCamera(index); }
    // Where a world point lands through a camera and its own viewport.
    d3dx::Vector2 through(int cameraIndex, const d3dx::Vector3& point) {
        const simCamera* c = camera(cameraIndex);
        d3dx::Vector2 s;
        utils::worldToScreen2D(point, &s, nullptr, &c->getViewMatrix(), &c->getProjectionMatrix(), &c->getViewport());
        return s;
    }
    void loadSamplePanorama() {
        for (int slot = 0; slot < 6; ++slot)
            site->setCubeImage(uint32_t(slot), kSample + "flyingField" + std::to_string(kSampleDigit[slot]) + ".jpg");
    }
    // One object of each kind, two positions, a wind-area, water with a
    // painted mask.
    void furnish() {
        using P = tbCollisionObject_primitive;
        site->addCollisionObject(std::make_unique<P>(P::shape_cube, "Hangar", d3dx::Vector3(300, 0, 1200),
                                                     d3dx::Vector3(0, 0.5f, 0), d3dx::Vector3(60, 40, 80)));
        site->addCollisionObject(std::make_unique<P>(P::shape_sphere, "Tree", d3dx::Vector3(-300, 0, 1600),
                                                     d3dx::Vector3(), d3dx::Vector3(50, 50, 50)));
        auto hill = std::make_unique<tbCollisionObject_heightMap>("Hill", d3dx::Vector3(0, 0, 2200), d3dx::Vector3(),
                                                                  d3dx::Vector3(2000, 1, 2000), 8);
        site->addCollisionObject(std::move(hill));
        auto area = std::make_unique<tbCollisionObject_area>(tbCollisionObject_area::subKind_area, "Runway",
                                                             d3dx::Vector3(0, 0, 1000));
        for (const d3dx::Vector3& p : {d3dx::Vector3(-100, 0, -300), {100, 0, -300}, {100, 0, 300}, {-100, 0, 300}})
            area->addPoint(p);
        site->addCollisionObject(std::move(area));
        site->addCollisionObject(std::make_unique<tbCollisionObject_marker>("Pylon", d3dx::Vector3(-150, 0, 900)));
        site->addPosition(std::make_unique<tbFlyingSitePosition>("default 1", d3dx::Vector3(0, 0, 900), 1));
        site->addPosition(std::make_unique<tbFlyingSitePosition>("Heli pad", d3dx::Vector3(250, 0, 1000), 2));
        site->setWaterEnabled(true);
        site->setBrushPoint({-400, 0, 1300});
        site->fillWaterMask(simColour::fromARGB(0xFF000000));
        site->paintWaterMask();
    }

    sitetest::RecordingSiteBars bars;
    Shown shown;
    tbSiteBars* previousBars = nullptr;
    std::unique_ptr<tbProject_flyingsite> site;
    uint32_t width = 0, height = 0;
};

// ---- Golden images

TEST_F(SiteFrames, SampleSiteFromThePilotsCameraAndFromAbove) {
    loadSamplePanorama();
    furnish();
    bars.waterEditing = true;
    options().showSecondView = true;
    use(kCollision, 0);
    frames();
    EXPECT_TRUE(testsupport::matchesGolden(pixels(), width, height, "tests/app/site/golden/sampleSite_pilot.png"));
    use(kCollision, 1);
    auto* above = dynamic_cast<tbCamera*>(camera(3));
    above->setDistance(2500.0f);
    above->setTarget({0, -1000, -1400});
    frames();
    EXPECT_TRUE(testsupport::matchesGolden(pixels(), width, height, "tests/app/site/golden/sampleSite_above.png"));
}

// ---- The grid

// Lines at -1000, -900 .. 900 on both axes, each from -1000 to 1000; none
// at +1000.
TEST_F(SiteFrames, GridRunsFromMinus1000To900OnBothAxes) {
    use(kPositions, 1);
    dynamic_cast<tbCamera*>(camera(3))->setDistance(3000.0f);
    frames();
    const std::vector<uint32_t> picture = pixels();
    // The brightest pixel within a pixel of where the point lands.
    auto lit = [&](const d3dx::Vector3& p) {
        const d3dx::Vector2 s = through(3, p);
        EXPECT_TRUE(s.x >= 1 && s.y >= 1 && s.x < width - 1 && s.y < height - 1) << p.x << ", " << p.z;
        int best = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                best = std::max(best, brightness(at(picture, int(s.x) + dx, int(s.y) + dy)));
        return best > 3 * 40;
    };
    const struct {
        d3dx::Vector3 point;
        bool line;
    } kCases[] = {
        {{-1000, 0, 50}, true}, {{900, 0, 50}, true},  {{1000, 0, 50}, false}, {{950, 0, 50}, false},
        {{50, 0, -1000}, true}, {{50, 0, 900}, true},  {{50, 0, 1000}, false}, {{50, 0, 950}, false},
        {{-1000, 0, -950}, true}, {{-1050, 0, 50}, false},
    };
    for (const auto& c : kCases) EXPECT_EQ(lit(c.point), c.line) << c.point.x << ", " << c.point.z;
}

// ---- Each kind of object, and a position, drawn where it stands

// Seen from above with every manipulator hidden (the water being edited),
// each kind draws something over where it stands and nothing far from it; a
// marker too, though its manipulator was never drawn.
TEST_F(SiteFrames, EachKindDrawsOverItsPlace) {
    using P = tbCollisionObject_primitive;
    const d3dx::Vector3 place(300, 0, 300);
    struct Kind {
        const char* name;
        std::function<std::unique_ptr<tbCollisionObject>()> make;
        bool coversView = false;  // the plane's square is 30000 units wide
    };
    const Kind kKinds[] = {
        {"plane", [&] { return std::make_unique<P>(P::shape_plane, "p", place, d3dx::Vector3(), d3dx::Vector3(1, 1, 1)); },
         true},
        {"sphere", [&] { return std::make_unique<P>(P::shape_sphere, "s", place, d3dx::Vector3(), d3dx::Vector3(40, 40, 40)); }},
        {"cube", [&] { return std::make_unique<P>(P::shape_cube, "c", place, d3dx::Vector3(), d3dx::Vector3(40, 40, 40)); }},
        {"cylinder", [&] { return std::make_unique<P>(P::shape_cylinder, "y", place, d3dx::Vector3(), d3dx::Vector3(40, 40, 40)); }},
        {"height map", [&] {
             return std::make_unique<tbCollisionObject_heightMap>("h", place, d3dx::Vector3(), d3dx::Vector3(300, 1, 300), 4);
         }},
        {"area", [&] {
             auto area = std::make_unique<tbCollisionObject_area>(tbCollisionObject_area::subKind_area, "a", place);
             for (const d3dx::Vector3& p : {d3dx::Vector3(-80, 0, -80), {80, 0, -80}, {80, 0, 80}, {-80, 0, 80}})
                 area->addPoint(p);
             return area;
         }},
        {"marker", [&] { return std::make_unique<tbCollisionObject_marker>("m", place); }},
        {"skyline", [&] {
             auto skyline = std::make_unique<tbCollisionObject_skyline>("k");
             skyline->addPoint({place + d3dx::Vector3(-80, 0, 0), place + d3dx::Vector3(-80, 300, 0)});
             skyline->addPoint({place + d3dx::Vector3(80, 0, 0), place + d3dx::Vector3(80, 300, 0)});
             return skyline;
         }},
    };
    site->setWaterEnabled(true);
    bars.waterEditing = true;
    site->fillWaterMask(simColour::fromARGB(0xFF000000));
    use(kCollision, 1);
    dynamic_cast<tbCamera*>(camera(3))->setDistance(3000.0f);
    frames();
    const std::vector<uint32_t> empty = pixels();
    for (const Kind& kind : kKinds) {
        site->addCollisionObject(kind.make());
        frames();
        const std::vector<uint32_t> picture = pixels();
        const d3dx::Vector2 centre = through(3, place);
        size_t nearby = 0, far = 0;
        for (uint32_t y = 0; y < height; ++y)
            for (uint32_t x = 0; x < width; ++x) {
                if (at(picture, int(x), int(y)) == at(empty, int(x), int(y))) continue;
                const float dx = float(x) - centre.x, dy = float(y) - centre.y;
                (dx * dx + dy * dy <= 160.0f * 160.0f ? nearby : far) += 1;
            }
        EXPECT_GT(nearby, 20u) << kind.name;
        if (kind.coversView)
            EXPECT_GT(far, size_t(width) * height / 2) << kind.name;
        else
            EXPECT_EQ(far, 0u) << kind.name;
        site->deleteCollisionObject(site->getCollisionObjects().back().get());
    }
    // A starting position under the positions tool: its heading arrow and
    // circle around where it stands.
    use(kPositions, 1);
    frames();
    const std::vector<uint32_t> noPosition = pixels();
    site->addPosition(std::make_unique<tbFlyingSitePosition>("pad", place, 1));
    frames();
    const std::vector<uint32_t> withPosition = pixels();
    const d3dx::Vector2 centre = through(3, place);
    size_t yellow = 0;
    for (int y = int(centre.y) - 40; y <= int(centre.y) + 40; ++y)
        for (int x = int(centre.x) - 40; x <= int(centre.x) + 40; ++x) {
            const uint32_t c = at(withPosition, x, y);
            yellow += c != at(noPosition, x, y) && channel(c, 16) > 200 && channel(c, 8) > 200 && channel(c, 0) < 80;
        }
    EXPECT_GT(yellow, 10u);
}

// ---- The second view

TEST_F(SiteFrames, SecondViewShowsThePilotsViewInAFramedInsetOverTheViewFromAbove) {
    loadSamplePanorama();
    use(kPositions, 1);
    frames();
    const std::vector<uint32_t> without = pixels();
    options().showSecondView = true;
    frames();
    const std::vector<uint32_t> with = pixels();
    const int w = int(float(width) / 3.5f), h = int(float(height) / 3.5f);
    // The frame: white along the top and the left, and along the right and
    // the bottom at the inset's size.
    for (const auto& [x, y] : {std::pair{w / 2, 0}, {0, h / 2}, {w, h / 2}, {w / 2, h}})
        EXPECT_EQ(at(with, x, y), 0xFFFFFFFFu) << x << ", " << y;
    // Inside it the pilot's sky; beside it, and without the inset, the view
    // from above, which shows no panorama.
    const uint32_t sky = at(with, w / 2, h / 6);
    EXPECT_GT(channel(sky, 0), channel(sky, 16)) << std::hex << sky;
    EXPECT_GT(brightness(sky), 3 * 100);
    EXPECT_NE(at(without, w / 2, h / 6), sky);
    EXPECT_EQ(at(with, w + 40, h / 6), at(without, w + 40, h / 6));
    // Past the inset the two pictures agree.
    size_t differing = 0;
    for (uint32_t y = uint32_t(h) + 2; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) differing += at(with, int(x), int(y)) != at(without, int(x), int(y));
    EXPECT_EQ(differing, 0u);
    // The main camera and its whole viewport are back for what follows.
    EXPECT_EQ(camera(3)->getViewport().Width, width);
    EXPECT_EQ(g_graphics->getCurrentCamera(), camera(3));
}

// What a point projects to between frames and the ray cast back through that
// pixel agree, with and without the inset.
TEST_F(SiteFrames, ProjectionAndRayShareOneViewportBetweenFrames) {
    for (bool inset : {false, true})
        for (int32_t mode : {0, 1}) {
            options().showSecondView = inset;
            use(kCollision, mode);
            frames();
            for (const d3dx::Vector2& pixel : {d3dx::Vector2(400, 500), d3dx::Vector2(120, 420), d3dx::Vector2(700, 580)}) {
                d3dx::Vector3 start, direction, ground;
                ASSERT_TRUE(utils::screenRay(pixel, &start, &direction));
                ASSERT_TRUE(utils::rayToPlane(&ground, d3dx::Plane(0, 1, 0, 0), start, direction));
                d3dx::Vector2 back;
                utils::worldToScreen2D(ground, &back);
                EXPECT_NEAR(back.x, pixel.x, 0.5f) << "mode " << mode << " inset " << inset;
                EXPECT_NEAR(back.y, pixel.y, 0.5f) << "mode " << mode << " inset " << inset;
            }
        }
}

// The site drives its own cameras; once it is gone the user drives the
// perspective camera again, through which the manipulators are drawn.
TEST_F(SiteFrames, CamerasGoBackWhenTheSiteGoes) {
    use(kCollision, 1);
    frames();
    EXPECT_EQ(tbCamera::viewCamera(), camera(3));
    EXPECT_EQ(dynamic_cast<simScene*>(g_graphics->getScene())->getActiveCamera(), camera(3));
    site.reset();
    EXPECT_EQ(tbCamera::viewCamera(), camera(1));
    EXPECT_EQ(g_graphics->getCurrentCamera(), camera(1));
    EXPECT_EQ(dynamic_cast<simScene*>(g_graphics->getScene())->getActiveCamera(), camera(0));
}

// ---- The sky box

// Each slot's picture has its own colour in the top-left quarter, white
// top-right, black bottom-left and grey bottom-right: looking at each face
// from the eye, the quarters must lie where the face's corners put them,
// upright and not mirrored.
TEST_F(SiteFrames, CubeFacesLieInTheirSlotsTheRightWayRound) {
    const uint32_t kSlotColours[6] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFF00u, 0xFFFF00FFu, 0xFF00FFFFu};
    for (int slot = 0; slot < 6; ++slot) {
        constexpr uint32_t n = 64;
        std::vector<uint32_t> picture(n * n);
        for (uint32_t y = 0; y < n; ++y)
            for (uint32_t x = 0; x < n; ++x)
                picture[y * n + x] = y < n / 2 ? (x < n / 2 ? kSlotColours[slot] : 0xFFFFFFFFu)
                                               : (x < n / 2 ? 0xFF000000u : 0xFF808080u);
        const std::string path = documents.path() + "/face" + std::to_string(slot) + ".png";
        ASSERT_TRUE(testsupport::writePicture(picture, n, n, path));
        site->setCubeImage(uint32_t(slot), path);
        ASSERT_NE(site->getCubeTexture(slot), nullptr);
    }
    // The corners of each slot's face as the sky box draws it: the
    // picture's top-left, top-right, bottom-right, bottom-left.
    const d3dx::Vector3 kCorners[6][4] = {
        {{-0.5f, 0.5f, 0.5f}, {-0.5f, 0.5f, -0.5f}, {-0.5f, -0.5f, -0.5f}, {-0.5f, -0.5f, 0.5f}},
        {{0.5f, 0.5f, -0.5f}, {0.5f, 0.5f, 0.5f}, {0.5f, -0.5f, 0.5f}, {0.5f, -0.5f, -0.5f}},
        {{0.5f, -0.5f, -0.5f}, {0.5f, -0.5f, 0.5f}, {-0.5f, -0.5f, 0.5f}, {-0.5f, -0.5f, -0.5f}},
        {{-0.5f, 0.5f, -0.5f}, {-0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, -0.5f}},
        {{-0.5f, 0.5f, -0.5f}, {0.5f, 0.5f, -0.5f}, {0.5f, -0.5f, -0.5f}, {-0.5f, -0.5f, -0.5f}},
        {{0.5f, 0.5f, 0.5f}, {-0.5f, 0.5f, 0.5f}, {-0.5f, -0.5f, 0.5f}, {0.5f, -0.5f, 0.5f}},
    };
    use(0, 0);
    tbCamera* pilot = dynamic_cast<tbCamera*>(camera(2));
    int seen[6] = {};
    const float quarter = 1.57075f;
    const d3dx::Vector3 kTurns[] = {{0, 0, 0}, {0, quarter, 0}, {0, 2 * quarter, 0}, {0, 3 * quarter, 0},
                                    {quarter, 0, 0}, {-quarter, 0, 0}};
    for (const d3dx::Vector3& turn : kTurns) {
        pilot->setRotation(turn);
        frames();
        const std::vector<uint32_t> picture = pixels();
        d3dx::Matrix view = pilot->getViewMatrix(), world;
        view._41 = view._42 = view._43 = 0;
        d3dx::MatrixScaling(&world, 4, 4, 4);
        for (int slot = 0; slot < 6; ++slot) {
            const d3dx::Vector3* c = kCorners[slot];
            // A point of each quarter near the face's middle.
            auto quarterAt = [&](float u, float v) { return c[0] + (c[1] - c[0]) * u + (c[3] - c[0]) * v; };
            const d3dx::Vector3 points[4] = {quarterAt(0.4f, 0.4f), quarterAt(0.6f, 0.4f), quarterAt(0.4f, 0.6f),
                                             quarterAt(0.6f, 0.6f)};
            const uint32_t expected[4] = {kSlotColours[slot], 0xFFFFFFFFu, 0xFF000000u, 0xFF808080u};
            d3dx::Vector2 s[4];
            bool inView = true;
            for (int q = 0; q < 4; ++q) {
                inView &= utils::worldToScreen2D(points[q], &s[q], &world, &view, &pilot->getProjectionMatrix(),
                                                 &pilot->getViewport());
                inView &= s[q].x >= 2 && s[q].y >= 2 && s[q].x < width - 2 && s[q].y < height - 2;
            }
            if (!inView) continue;
            ++seen[slot];
            for (int q = 0; q < 4; ++q)
                EXPECT_TRUE(near(at(picture, int(s[q].x), int(s[q].y)), expected[q]))
                    << "slot " << slot << " quarter " << q << std::hex << " got " << at(picture, int(s[q].x), int(s[q].y));
            // Upright and not mirrored as seen from the eye (side faces).
            if (slot != 2 && slot != 3) {
                EXPECT_LT(s[0].x, s[1].x) << "slot " << slot;
                EXPECT_LT(s[0].y, s[2].y) << "slot " << slot;
            }
        }
    }
    for (int slot = 0; slot < 6; ++slot) EXPECT_GT(seen[slot], 0) << "slot " << slot;
}

// A face shrunk on screen reads the mip level of its size: a picture of
// one-pixel black and white checks, seen through the pilot's widest view in
// the second view's inset, shows as even grey instead of the beat of the
// checks against the pixels that sampling the full-size picture gives.
TEST_F(SiteFrames, AFaceShrunkOnScreenShowsTheAverageOfItsPixels) {
    constexpr uint32_t n = 2048;
    std::vector<uint32_t> checks(size_t(n) * n);
    for (uint32_t y = 0; y < n; ++y)
        for (uint32_t x = 0; x < n; ++x) checks[size_t(y) * n + x] = (x + y) % 2 ? 0xFFFFFFFFu : 0xFF000000u;
    const std::string path = documents.path() + "/checks.png";
    ASSERT_TRUE(testsupport::writePicture(checks, n, n, path));
    constexpr uint32_t kPlusZ = 5;
    site->setCubeImage(kPlusZ, path);
    ASSERT_NE(site->getCubeTexture(kPlusZ), nullptr);
    dynamic_cast<tbCamera*>(camera(2))->setDistance(0.0f);
    options().showSecondView = true;
    use(0, 1);
    frames();
    const std::vector<uint32_t> picture = pixels();
    // The pilot looks along +z: the face fills the inside of the inset.
    const int w = int(float(width) / 3.5f), h = int(float(height) / 3.5f);
    size_t pixelsSeen = 0, beating = 0;
    for (int y = h / 4; y < 3 * h / 4; ++y)
        for (int x = w / 4; x < 3 * w / 4; ++x) {
            const uint32_t c = at(picture, x, y);
            ++pixelsSeen;
            beating += !near(c, 0xFF808080u, 40);
        }
    EXPECT_LT(beating, pixelsSeen / 50) << "of " << pixelsSeen;
}

// A face whose picture has alpha is blended over what lies behind it; an
// opaque face is drawn without blending.
TEST_F(SiteFrames, AFaceWithAlphaLetsTheViewBehindItShow) {
    d3dx::Bitmap halfRed(64, 64);
    std::fill(halfRed.pixels.begin(), halfRed.pixels.end(), 0x80FF0000u);
    const std::string path = documents.path() + "/halfRed.png";
    ASSERT_TRUE(d3dx::SaveImageToFile(path, d3dx::ImageFileFormat::Png, imagesamples::imageOf(halfRed)).ok());
    use(0, 0);
    frames();
    const uint32_t behind = at(pixels(), int(width) / 2, int(height) / 2);
    for (int slot = 0; slot < 6; ++slot) site->setCubeImage(uint32_t(slot), path);
    ASSERT_TRUE(site->getCubeTexture(0)->hasAlpha());
    frames();
    const uint32_t seen = at(pixels(), int(width) / 2, int(height) / 2);
    const int halfway = (255 + channel(behind, 16)) / 2;
    EXPECT_NEAR(channel(seen, 16), halfway, 12) << std::hex << seen << " over " << behind;
}

// The panorama tool marks the face the view looks towards: a red square
// with a cross, and its name far out along its axis.
TEST_F(SiteFrames, PanoramaToolMarksTheFaceInView) {
    use(0, 0);
    frames();
    const std::vector<uint32_t> plain = pixels();
    use(kPanorama, 0);
    frames();
    const std::vector<uint32_t> marked = pixels();
    // The pilot looks along +z: the +Z face's square around the middle.
    const simCamera* pilot = camera(2);
    d3dx::Matrix view = pilot->getViewMatrix();
    view._41 = view._42 = view._43 = 0;
    d3dx::Vector2 corner, middle;
    utils::worldToScreen2D({1, 1, 2}, &corner, nullptr, &view, &pilot->getProjectionMatrix(), &pilot->getViewport());
    utils::worldToScreen2D({0, 0, 2}, &middle, nullptr, &view, &pilot->getProjectionMatrix(), &pilot->getViewport());
    size_t red = 0;
    for (int y = 0; y < int(height); ++y)
        for (int x = 0; x < int(width); ++x) {
            const uint32_t c = at(marked, x, y);
            if (c == at(plain, x, y) || channel(c, 16) < 150 || channel(c, 8) > 60) continue;
            // Red only within the square's reach (its label sits in the middle).
            EXPECT_LE(std::fabs(float(x) - middle.x), std::fabs(corner.x - middle.x) + 2) << x << ", " << y;
            EXPECT_LE(std::fabs(float(y) - middle.y), std::fabs(corner.y - middle.y) + 2) << x << ", " << y;
            ++red;
        }
    // The cross through the middle at least, across the narrow pilot's view.
    EXPECT_GT(red, size_t(width));
}

TEST_F(SiteFrames, SphericalPanoramaDrawsNoFaces) {
    use(0, 0);
    frames();
    const std::vector<uint32_t> empty = pixels();
    loadSamplePanorama();
    site->setImageMode(1);
    // A spherical site keeps no cube images.
    for (int slot = 0; slot < 6; ++slot) site->setCubeImage(uint32_t(slot), tbProject_flyingsite::kNoImage);
    frames();
    EXPECT_EQ(pixels(), empty);
}

// ---- Water

// The mask's rows run along world z and its columns along x: a dab painted
// at a point shows over that point, not mirrored across the water's centre.
TEST_F(SiteFrames, WaterMaskFollowsWorldXAndZ) {
    site->setWaterEnabled(true);
    bars.waterEditing = true;
    site->fillWaterMask(simColour::fromARGB(0xFF000000));
    const d3dx::Vector3 water = site->getWaterPosition();
    site->setBrushPoint(water + d3dx::Vector3(-250, 0, 350));
    site->paintWaterMask();
    site->setBrushPoint({});  // no brush outline over the probes
    use(kCollision, 1);
    dynamic_cast<tbCamera*>(camera(3))->setDistance(3000.0f);
    frames();
    const std::vector<uint32_t> picture = pixels();
    auto shade = [&](const d3dx::Vector3& offset) {
        const d3dx::Vector2 s = through(3, water + offset);
        return brightness(at(picture, int(s.x), int(s.y)));
    };
    EXPECT_GT(shade({-250, 0, 350}), 3 * 60);
    for (const d3dx::Vector3& elsewhere : {d3dx::Vector3(-250, 0, -350), {250, 0, 350}, {250, 0, -350}})
        EXPECT_LT(shade(elsewhere), 3 * 20) << elsewhere.x << ", " << elsewhere.z;
}

// Painting waits while a manipulator has the mouse; with none it paints.
TEST_F(SiteFrames, WaterIsNotPaintedWhileAManipulatorHasTheMouse) {
    site->setWaterEnabled(true);
    bars.waterEditing = true;
    site->fillWaterMask(simColour::fromARGB(0xFF000000));
    const d3dx::Vector3 water = site->getWaterPosition();
    site->setBrushPoint(water);
    use(kCollision, 0);
    g_input->getMouse()->onButton(simMouseButton_left, 1);
    auto centreTexel = [&] {
        std::vector<uint8_t> dds;
        EXPECT_TRUE(site->waterMask().save(dds));
        const size_t texel = 128 + (size_t(tbWaterMask::kSize / 2) * tbWaterMask::kSize + tbWaterMask::kSize / 2) * 4;
        return dds.size() > texel + 4 ? brightness(uint32_t(dds[texel]) | uint32_t(dds[texel + 1]) << 8 |
                                                   uint32_t(dds[texel + 2]) << 16)
                                      : -1;
    };
    manipulatorContainer::current()->active = site->getSunManipulator();
    site->paintStopwatch().setElapsed(1000.0);
    frames();
    EXPECT_EQ(centreTexel(), 0);
    manipulatorContainer::current()->active = nullptr;
    site->paintStopwatch().setElapsed(1000.0);
    frames(1);
    EXPECT_EQ(centreTexel(), 3 * 255);
}

// The outline around the brush point circles what a dab paints.
TEST_F(SiteFrames, WaterBrushOutlineCirclesThePaintedDab) {
    for (int slider : {1, 10, 200}) {
        // A dab is 2 x radius texels of a mask 20000 units wide.
        EXPECT_FLOAT_EQ(tbWaterBrushTexelRadius(slider), 4.0f * float(slider));
        EXPECT_FLOAT_EQ(tbWaterBrushWorldRadius(slider), tbWaterBrushTexelRadius(slider) *
                                                             tbProject_flyingsite::kWaterMaskExtent /
                                                             float(tbWaterMask::kSize));
    }
    site->setWaterEnabled(true);
    bars.waterEditing = true;
    bars.brushRadius = 20;
    site->fillWaterMask(simColour::fromARGB(0xFF000000));
    const d3dx::Vector3 centre = site->getWaterPosition();
    site->setBrushPoint(centre);
    site->paintWaterMask();
    use(kCollision, 1);
    dynamic_cast<tbCamera*>(camera(3))->setDistance(3000.0f);
    frames();
    const std::vector<uint32_t> picture = pixels();
    // Red pixels of the outline lie at the dab's edge along x.
    const float radius = tbWaterBrushWorldRadius(bars.brushRadius);
    const d3dx::Vector2 middle = through(3, centre), edge = through(3, centre + d3dx::Vector3(radius, 0, 0));
    int outline = -1;
    for (int x = int(middle.x) + 2; x < int(width); ++x) {
        const uint32_t c = at(picture, x, int(middle.y));
        if (channel(c, 16) > 150 && channel(c, 8) < 80) {
            outline = x;
            break;
        }
    }
    EXPECT_NEAR(float(outline), edge.x, 2.0f);
}

// A position made by a click becomes the selected one; no manipulator is
// left holding the mouse, so every other one still takes events.
TEST_F(SiteFrames, ClickMadePositionIsSelectedNotHoldingTheMouse) {
    use(kPositions, 0);
    frames();
    bars.checked.insert(Toggle::newPosition);
    g_input->getMouse()->onMove(400, 500);
    simInputEvent release;
    release.type = simInputEvent_mouseButton;
    release.button = simMouseButton_left;
    release.buttonState = simButtonState_released;
    release.x = 400;
    release.y = 500;
    site->onEvent(&release);
    ASSERT_EQ(site->getPositions().size(), 1u);
    const manipulatorContainer* container = manipulatorContainer::current();
    EXPECT_EQ(container->selected, site->getPositions().front()->getManipulator());
    EXPECT_EQ(container->active, nullptr);
}

// ---- Lighting

// Without the lighting effect the preview draws nothing and nothing is
// reported.
TEST_F(SiteFrames, LightingPreviewWithoutItsEffectDrawsNothing) {
    use(kLighting, 1);
    frames();
    const std::vector<uint32_t> withPreview = pixels();
    simGeometry* preview = site->getPreviewGeometry();
    ASSERT_NE(preview, nullptr);
    site->setPreviewGeometry(nullptr);
    frames();
    const std::vector<uint32_t> withoutPreview = pixels();
    EXPECT_NE(withPreview, withoutPreview);
    site->setPreviewGeometry(preview);

    simCollectionItem* effect = dynamic_cast<simCollectionItem*>(simResources::getResource("lighting.fx", false));
    ASSERT_NE(effect, nullptr);
    g_resources->unindexResource(dynamic_cast<simResource*>(effect));
    ASSERT_EQ(simResources::getResource("lighting.fx", false), nullptr);
    const int logged = g_console->getHistoryCount();
    const std::string lastLine = g_console->getHistory().back();
    frames();
    EXPECT_EQ(pixels(), withoutPreview);
    EXPECT_EQ(g_console->getHistoryCount(), logged);
    EXPECT_EQ(g_console->getHistory().back(), lastLine);
}

// ---- Manipulators

// Under each tool only the manipulators it needs are enabled, and a
// manipulator that is not enabled is hidden as well, so it is neither drawn
// nor picked; an object switched invisible keeps its manipulator hidden.
TEST_F(SiteFrames, OnlyTheToolsManipulatorsShow) {
    furnish();
    auto* cube = site->getCollisionObjects().front().get();
    auto wind = std::make_unique<tbCollisionObject_area>(tbCollisionObject_area::subKind_wind, "Gust",
                                                         d3dx::Vector3(0, 0, -300));
    tbCollisionObject_area* gust = wind.get();
    site->addCollisionObject(std::move(wind));
    gust->activate();
    auto shows = [](const manipulator* m) { return m->visible != 0 && m->enabled != 0; };
    auto hidden = [](const manipulator* m) { return m->visible == 0 && m->enabled == 0; };

    const struct {
        int32_t tool;
        bool panorama, sun, preview, objects, gust, positions, wind;
    } kCases[] = {
        {kPanorama, true, false, false, false, false, false, false},
        {kLighting, false, true, true, false, false, false, false},
        {kCollision, true, false, false, true, true, false, false},
        {kPositions, false, false, false, false, false, true, false},
        {kWeather, false, false, false, false, true, false, true},
    };
    for (const auto& c : kCases) {
        use(c.tool, 0);
        frames();
        const auto check = [&](const manipulator* m, bool on, const char* what) {
            EXPECT_TRUE(on ? shows(m) : hidden(m)) << what << " under tool " << c.tool;
        };
        check(site->getPanoramaManipulator(), c.panorama, "panorama");
        check(site->getSunManipulator(), c.sun, "sun");
        check(site->getPreviewManipulator(), c.preview, "preview");
        check(site->getWindManipulator(), c.wind, "global wind");
        check(cube->getManipulator(), c.objects, "cube");
        check(gust->getManipulator(), c.gust, "wind-area");
        for (const auto& position : site->getPositions()) check(position->getManipulator(), c.positions, "position");
    }

    use(kCollision, 0);
    cube->setVisible(false);
    frames();
    EXPECT_TRUE(hidden(cube->getManipulator()));
    // While the water is edited no object's manipulator takes the mouse.
    cube->setVisible(true);
    bars.waterEditing = true;
    frames();
    EXPECT_TRUE(hidden(cube->getManipulator()));
    EXPECT_TRUE(hidden(site->getPanoramaManipulator()));
}

// A new skyline's manipulator is never shown, whatever the tool; a copy's
// behaves like any object's.
TEST_F(SiteFrames, NewSkylineKeepsItsManipulatorHidden) {
    site->addCollisionObject(std::make_unique<tbCollisionObject_skyline>("Trees"));
    tbCollisionObject* skyline = site->getCollisionObjects().back().get();
    site->addCollisionObject(skyline->clone({100, 0, 0}));
    tbCollisionObject* copy = site->getCollisionObjects().back().get();
    use(kCollision, 0);
    frames();
    EXPECT_EQ(skyline->getManipulator()->visible, 0);
    EXPECT_EQ(skyline->getManipulator()->enabled, 0);
    EXPECT_EQ(copy->getManipulator()->visible, 1);
}

// The global wind is turned by its gizmo under the weather tool: Ctrl shows
// its rings, and a drag along the level ring turns the wind round the
// vertical; the direction it is given is what Save and Export write.
TEST_F(SiteFrames, TheWeatherToolTurnsTheGlobalWindForSaveAndExport) {
    manipulator* wind = site->getWindManipulator();
    simKeyboard* keyboard = g_input->getKeyboard();
    simMouse* mouse = g_input->getMouse();
    use(kWeather, 1);
    keyboard->onKey(win::VK_CONTROL, 1);
    frames();
    ASSERT_EQ(wind->chooseMode(), manipulator::mode_rotate);
    const std::vector<d3dx::Vector2>& ring = wind->getRingScreenPoints(1);
    ASSERT_EQ(ring.size(), size_t(manipulator::kRingSegments));
    // The mouse hands its moves and presses to every listener, the gizmo
    // among them. A quarter of the ring along, in three moves, between
    // points off the axes, where the upright ring seen edge-on cannot take
    // the mouse.
    auto moveTo = [&](const d3dx::Vector2& at) { mouse->onMove(int32_t(at.x), int32_t(at.y)); };
    const d3dx::Vector2 from = ring[4], to = ring[12];
    moveTo(from);
    ASSERT_TRUE(wind->hasMouse());
    mouse->onButton(simMouseButton_left, 1);
    for (int step = 1; step <= 3; ++step) moveTo(from + (to - from) * (float(step) / 3));
    mouse->onButton(simMouseButton_left, 0);
    keyboard->onKey(win::VK_CONTROL, 0);
    const d3dx::Vector3 turned = site->getWindRotation();
    EXPECT_GT(std::fabs(turned.y), 0.5f);
    EXPECT_EQ(turned.x, 0.0f);
    EXPECT_EQ(turned.z, 0.0f);

    // Both files carry the direction; a file's wind is read only with a speed.
    site->setWindSpeed(4.0f);
    const std::string project = documents.file("windy.tvq");
    ASSERT_TRUE(site->save(project));
    const std::vector<uint8_t> saved = testsupport::fileBytes(project);
    tbFlyingSiteFileData file;
    std::string reason;
    ASSERT_TRUE(readFlyingSiteFile(saved.data(), saved.size(), tbCheckCollisionObjectRecord, file, reason)) << reason;
    EXPECT_EQ(file.windRotation, turned);

    site->setExportName("windy");
    const std::string folder = documents.file("Flying sites/windy");
    ASSERT_TRUE(site->exportScenery(folder));
    const sitetest::ReadTvf read =
        sitetest::readTvf(testsupport::fileBytes(folder + "/windy.tvf"), [](uint32_t) { return size_t(0); });
    ASSERT_TRUE(read.whole);
    EXPECT_EQ(read.data.windRotation, turned);
}

}  // namespace
