// The flying site asks for the next frame whenever a change made away from
// the view (a bar, a menu command) alters what the view shows, so no stale
// picture waits for the mouse to move.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "app/site/bars/tbSiteCopy.h"
#include "app/site/tbCollisionObject_marker.h"
#include "app/site/tbFlyingSitePosition.h"
#include "app/site/tbProject_flyingsite.h"
#include "engine/core/simApplication.h"
#include "tests/app/site/recordingSiteBars.h"
#include "tests/app/site/siteObjectFixture.h"

namespace {

// The engine application with its drawing left out: a frame only takes the
// request.
class UndrawnApplication : public simApplication {
public:
    UndrawnApplication() : simApplication(simVersion(2, 5, 'a'), "siteRedraw", nullptr, true) {}
    void redraw() override {}
};

class SiteRedraw : public ::testing::Test {
public:
    tbCollisionObject& object() { return *site->getCollisionObjects().front(); }
    tbFlyingSitePosition& position() { return *site->getPositions().front(); }

protected:
    void SetUp() override {
        previous = tbBindSiteBars(&bars);
        site = std::make_unique<tbProject_flyingsite>();
        site->addCollisionObject(std::make_unique<tbCollisionObject_marker>("Pylon", d3dx::Vector3(10, 0, 20)));
        site->addPosition(std::make_unique<tbFlyingSitePosition>("default 1", d3dx::Vector3(), 1));
    }
    void TearDown() override {
        site.reset();
        tbBindSiteBars(previous);
    }

    UndrawnApplication application;
    sitetest::SiteStage stage;
    sitetest::RecordingSiteBars bars;
    tbSiteBars* previous = nullptr;
    std::unique_ptr<tbProject_flyingsite> site;
};

struct Change {
    std::string name;
    std::function<void(SiteRedraw&, tbProject_flyingsite&)> make;
};

}  // namespace

TEST_F(SiteRedraw, EveryChangeToWhatTheSiteShowsAsksForTheNextFrame) {
    const simColour grey = simColour::fromARGB(0xFF808080);
    const Change changes[] = {
        {"new site", [](SiteRedraw&, tbProject_flyingsite& s) { s.onNew(""); }},
        {"cube image", [](SiteRedraw&, tbProject_flyingsite& s) { s.setCubeImage(2, "missing.jpg"); }},
        {"sphere image", [](SiteRedraw&, tbProject_flyingsite& s) { s.setSphereImage("missing.jpg"); }},
        {"image mode", [](SiteRedraw&, tbProject_flyingsite& s) { s.setImageMode(1); }},
        {"ambient colour", [grey](SiteRedraw&, tbProject_flyingsite& s) { s.setAmbientColour(grey); }},
        {"diffuse colour", [grey](SiteRedraw&, tbProject_flyingsite& s) { s.setDiffuseColour(grey); }},
        {"specular colour", [grey](SiteRedraw&, tbProject_flyingsite& s) { s.setSpecularColour(grey); }},
        {"preview model", [](SiteRedraw&, tbProject_flyingsite& s) { s.setPreviewGeometry(nullptr); }},
        {"sun reset", [](SiteRedraw&, tbProject_flyingsite& s) { s.resetSunPosition(); }},
        {"panorama reset", [](SiteRedraw&, tbProject_flyingsite& s) { s.resetPanoramaOrientation(); }},
        {"water on", [](SiteRedraw&, tbProject_flyingsite& s) { s.setWaterEnabled(true); }},
        {"wind speed", [](SiteRedraw&, tbProject_flyingsite& s) { s.setWindSpeed(4.5f); }},
        {"object added",
         [](SiteRedraw&, tbProject_flyingsite& s) {
             s.addCollisionObject(std::make_unique<tbCollisionObject_marker>("Cone", d3dx::Vector3()));
         }},
        {"object copied", [](SiteRedraw& t, tbProject_flyingsite& s) { tbCopyCollisionObject(s, t.object()); }},
        {"object renamed", [](SiteRedraw& t, tbProject_flyingsite&) { t.object().setName("Tower"); }},
        {"object deleted", [](SiteRedraw& t, tbProject_flyingsite& s) { s.deleteCollisionObject(&t.object()); }},
        {"position added",
         [](SiteRedraw&, tbProject_flyingsite& s) {
             s.addPosition(std::make_unique<tbFlyingSitePosition>("default 2", d3dx::Vector3(), 2));
         }},
        {"position copied", [](SiteRedraw& t, tbProject_flyingsite& s) { tbCopyPosition(s, t.position()); }},
        {"position renamed", [](SiteRedraw& t, tbProject_flyingsite&) { t.position().setName("east"); }},
        {"position kind", [](SiteRedraw& t, tbProject_flyingsite&) { t.position().setKind(3); }},
        {"position deleted", [](SiteRedraw& t, tbProject_flyingsite& s) { s.deletePosition(&t.position()); }},
    };
    for (const Change& change : changes) {
        application.redrawIfNeeded();
        ASSERT_FALSE(application.isRedrawNeeded()) << "before " << change.name;
        change.make(*this, *site);
        EXPECT_TRUE(application.isRedrawNeeded()) << change.name;
    }
}
