// The flying site's toolbox, bars and editors on the display, over a
// headless site: each opened, its controls found by id in tab order, driven
// as a user would, checked against the site, photographed and closed.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/frame.h>

#include "app/site/bars/CDlgCollisionBar.h"
#include "app/site/bars/CDlgLightingBar.h"
#include "app/site/bars/CDlgPanoBar.h"
#include "app/site/bars/CDlgPositionsBar.h"
#include "app/site/bars/CDlgToolboxFlyingSite.h"
#include "app/site/bars/CDlgWeatherBar.h"
#include "app/site/bars/CDlg_coll_object.h"
#include "app/site/bars/CDlg_coll_water.h"
#include "app/site/bars/tbSiteBarsPresenter.h"
#include "app/site/tbCollisionObject_area.h"
#include "app/site/tbCollisionObject_heightMap.h"
#include "app/site/tbCollisionObject_primitive.h"
#include "app/site/tbFlyingSitePosition.h"
#include "app/site/tbProject_flyingsite.h"
#include "engine/graphics/manipulator.h"
#include "platform/ui/inputPreFilter.h"
#include "tests/app/site/siteObjectFixture.h"
#include "tests/support/ui/controlDriver.h"
#include "tests/support/ui/screenshot.h"
#include "tests/support/ui/wxTestApp.h"

namespace {

using namespace sitebars;
using Bar = tbSiteBars::Bar;

class SiteBarWindows : public ::testing::Test {
protected:
    void SetUp() override {
        if (!test::startWx()) GTEST_SKIP() << "no display";
        stage = std::make_unique<sitetest::SiteStage>();
        site = std::make_unique<tbProject_flyingsite>();
        PresenterSetup setup;
        setup.site = [this] { return site.get(); };
        setup.panorama.chooseFile = [this](const tbFileRequest&) { return chosen; };
        setup.panorama.tell = [this](const std::string& text) { told.push_back(text); };
        setup.lighting.pickColour = [](const simColour&) { return simColour::fromARGB(0xFF336699); };
        setup.lighting.findGeometry = [](const std::string&) { return nullptr; };
        setup.tell = setup.panorama.tell;
        bars = std::make_unique<SiteBarsPresenter>(std::move(setup));
        bars->bind();
        mainWindow = new wxFrame(nullptr, wxID_ANY, "main");
    }
    void TearDown() override {
        if (!mainWindow) return;
        // The windows go before the presenter whose models they show.
        mainWindow->Destroy();
        test::pumpEventsUntil([] { return false; }, 50);
        bars.reset();
        site.reset();
        stage.reset();
    }
    // Shows a bar in the screen's corner, waits until it is on screen, photographs it.
    static void showAndPhotograph(wxWindow* bar, const std::string& name) {
        bar->Move(0, 0);
        test::showAndPhotograph(bar, name);
    }
    // The ids of a window's controls in tab order (labels have none).
    static std::vector<int> ids(wxWindow* bar) {
        std::vector<int> out;
        for (wxWindow* child : bar->GetChildren())
            if (child->GetId() > 1000) out.push_back(child->GetId());
        return out;
    }
    // Closed as the user does; the bar hides and stays.
    static void close(wxWindow* bar) {
        bar->Close();
        test::pumpEventsUntil([bar] { return !bar->IsShown(); });
        EXPECT_FALSE(bar->IsShown());
    }
    template <class T>
    T* object(T* made) {
        site->addCollisionObject(std::unique_ptr<T>(made));
        bars->listObject(Bar::collision, made, false);
        if (made->isWindArea()) bars->listObject(Bar::weather, made, false);
        return made;
    }

    std::unique_ptr<sitetest::SiteStage> stage;
    std::unique_ptr<tbProject_flyingsite> site;
    std::unique_ptr<SiteBarsPresenter> bars;
    wxFrame* mainWindow = nullptr;
    std::string chosen;
    std::vector<std::string> told;
};

}  // namespace

TEST_F(SiteBarWindows, ToolboxChoosesTheSiteToolsAndClosingHidesTheBars) {
    std::vector<int32_t> tools;
    int hidden = 0;
    auto* toolbox = new CDlgToolboxFlyingSite(
        mainWindow, SiteToolboxModel([&](int32_t tool) { tools.push_back(tool); }, [&] { ++hidden; }));
    EXPECT_EQ(toolbox->GetTitle(), "Toolbox");
    EXPECT_EQ(ids(toolbox), (std::vector<int>{1134, 1135, 1136, 1137, 1140}));
    showAndPhotograph(toolbox, "site_toolbox");
    test::toggle(toolbox->control<wxToggleButton>(1136));
    test::toggle(toolbox->control<wxToggleButton>(1140));
    EXPECT_EQ(tools, (std::vector<int32_t>{10, 12}));
    toolbox->releaseToolButtons();
    toolbox->pressToolButton(tbToolButton::positions);
    EXPECT_TRUE(toolbox->control<wxToggleButton>(1137)->GetValue());
    EXPECT_FALSE(toolbox->control<wxToggleButton>(1136)->GetValue());
    close(toolbox);
    EXPECT_EQ(hidden, 1);
}

TEST_F(SiteBarWindows, PanoramaBarChoosesFacesAndSaysWhenAutoCannot) {
    auto* bar = new CDlgPanoBar(mainWindow, bars->panorama);
    EXPECT_EQ(ids(bar), (std::vector<int>{1135, 1136, 1138, 1017, 1012, 1156, 1157, 1137, 1188, 1189, 1192, 1190}));
    EXPECT_TRUE(bar->control<wxToggleButton>(1135)->GetValue());
    EXPECT_EQ(bar->control<wxComboBox>(1138)->GetCount(), 6u);
    EXPECT_EQ(bar->control<wxComboBox>(1138)->GetStringSelection(), "Cubic -X");
    EXPECT_EQ(bar->control<wxTextCtrl>(1017)->GetValue(), "[No image]");
    EXPECT_FALSE(bar->control<wxTextCtrl>(1017)->IsEditable());

    chosen = "/pictures/lake1.png";
    bar->clickButton(1156);
    EXPECT_EQ(site->getCubeImageName(5), "/pictures/lake2.png");
    EXPECT_EQ(bar->control<wxTextCtrl>(1017)->GetValue(), "lake3.png");
    test::choose(bar->control<wxComboBox>(1138), "Cubic +Z");
    EXPECT_EQ(bar->control<wxTextCtrl>(1017)->GetValue(), "lake2.png");
    chosen = "/pictures/lake.png";
    bar->clickButton(1156);
    EXPECT_EQ(told.size(), 1u);

    test::toggle(bar->control<wxToggleButton>(1136));
    EXPECT_FALSE(bar->control<wxToggleButton>(1135)->GetValue());
    EXPECT_EQ(bar->control<wxComboBox>(1138)->GetStringSelection(), "Spherical");
    EXPECT_EQ(site->getImageMode(), 1u);
    test::toggle(bar->control<wxToggleButton>(1137));
    EXPECT_TRUE(site->getInterior());
    bar->clickButton(1192);
    EXPECT_EQ(bar->control<wxTextCtrl>(1188)->GetValue(), "[none]");
    showAndPhotograph(bar, "site_panorama_bar");
    close(bar);
}

TEST_F(SiteBarWindows, LightingBarPicksColoursAndResetsTheSun) {
    auto* bar = new CDlgLightingBar(mainWindow, bars->lighting);
    EXPECT_EQ(ids(bar), (std::vector<int>{1141, 1062, 1063, 1142, 1012}));
    EXPECT_EQ(bar->control<wxComboBox>(1142)->GetStringSelection(), "Sphere");
    bar->clickButton(1063);
    EXPECT_EQ(site->getSpecularColour().toARGB(), 0xFF336699u);
    test::choose(bar->control<wxComboBox>(1142), "Pyramid");
    bar->clickButton(1012);
    EXPECT_EQ(bar->control<wxComboBox>(1142)->GetStringSelection(), "Sphere");
    showAndPhotograph(bar, "site_lighting_bar");
    close(bar);
}

TEST_F(SiteBarWindows, WeatherBarEditsTheWindAndItsAreas) {
    auto* bar = new CDlgWeatherBar(mainWindow, bars->weather);
    EXPECT_EQ(ids(bar), (std::vector<int>{1182, 1156, 1175, 1176, 1177, 1178, 1180, 1179, 1181}));
    EXPECT_EQ(bar->control<wxTextCtrl>(1178)->GetValue(), "[None selected]");
    test::type(bar->control<wxTextCtrl>(1182), "2.5");
    EXPECT_FLOAT_EQ(site->getWindSpeed(), 2.5f);

    auto* breeze = object(new tbCollisionObject_area(tbCollisionObject_area::subKind_wind, "Breeze", {}));
    test::choose(bar->control<wxComboBox>(1177), "Breeze");
    EXPECT_EQ(bar->control<wxTextCtrl>(1180)->GetValue(), "0.0");
    test::type(bar->control<wxTextCtrl>(1179), "1.5");
    EXPECT_FLOAT_EQ(breeze->getTurbulence(), 1.5f);
    auto* name = bar->control<wxTextCtrl>(1178);
    test::type(name, "Gust");
    test::leave(name);
    EXPECT_EQ(breeze->getName(), "Gust");
    EXPECT_EQ(bar->control<wxComboBox>(1177)->GetString(0), "Gust");
    test::toggle(bar->control<wxToggleButton>(1156));
    EXPECT_TRUE(bars->isChecked(tbSiteBars::Toggle::windArea));
    showAndPhotograph(bar, "site_weather_bar");
    bar->clickButton(1175);
    EXPECT_EQ(bar->control<wxComboBox>(1177)->GetCount(), 0u);
    EXPECT_EQ(name->GetValue(), "[None selected]");
    close(bar);
}

TEST_F(SiteBarWindows, CollisionBarAndTheEditorsFollowTheSelection) {
    auto* bar = new CDlgCollisionBar(mainWindow, bars->collision);
    auto* primitive = new CDlg_coll_primitive(mainWindow, bars->primitiveEditor);
    auto* area = new CDlg_coll_area(mainWindow, bars->areaEditor);
    auto* heightMap = new CDlg_coll_hmap(mainWindow, bars->heightMapEditor);
    auto* water = new CDlg_coll_water(mainWindow, bars->water);
    EXPECT_EQ(ids(bar), (std::vector<int>{1145, 1146, 1147, 1148, 1149, 1155, 1154, 1150, 1151, 1152, 1143, 1187,
                                          1186}));
    EXPECT_EQ(ids(primitive), (std::vector<int>{1017, 1144, 1012, 1013, 1180, 1179}));
    EXPECT_EQ(ids(heightMap), (std::vector<int>{1017, 1144, 1012, 1013, 1180, 1179, 1182, 1016, 1018, 1181, 1064,
                                                1019, 1065, 1020}));
    EXPECT_EQ(ids(water), (std::vector<int>{1184, 1182, 1016, 1018, 1185, 1191, 1192}));
    EXPECT_EQ(heightMap->GetTitle(), "Collision editor (Height-map)");
    EXPECT_EQ(heightMap->control<wxSlider>(1016)->GetMax(), 200);
    EXPECT_EQ(heightMap->control<wxSlider>(1016)->GetValue(), 10);
    EXPECT_EQ(heightMap->control<wxTextCtrl>(1019)->GetValue(), "0.0");

    test::toggle(bar->control<wxToggleButton>(1147));
    test::toggle(bar->control<wxToggleButton>(1146));
    EXPECT_FALSE(bar->control<wxToggleButton>(1147)->GetValue());
    EXPECT_TRUE(bars->isChecked(tbSiteBars::Toggle::sphere));

    auto* runway = object(new tbCollisionObject_primitive(tbCollisionObject_primitive::shape_plane, "Runway", {}, {},
                                                          {10, 1, 10}));
    object(new tbCollisionObject_heightMap("Hill", {}, {}, {100, 1, 100}, 4));
    test::choose(bar->control<wxComboBox>(1143), "Hill");
    test::pumpEventsUntil([heightMap] { return heightMap->IsShown(); });
    EXPECT_TRUE(heightMap->IsShown());
    EXPECT_FALSE(primitive->IsShown());
    test::slide(heightMap->control<wxSlider>(1016), 120);
    test::check(heightMap->control<wxCheckBox>(1064), true);
    test::type(heightMap->control<wxTextCtrl>(1019), "-3.5");
    EXPECT_EQ(bars->brushRadius(), 120);
    EXPECT_EQ(bars->minimumHeight(), std::optional<float>(-3.5f));
    showAndPhotograph(heightMap, "site_heightmap_editor");

    test::choose(bar->control<wxComboBox>(1143), "Runway");
    test::pumpEventsUntil([primitive] { return primitive->IsShown(); });
    EXPECT_FALSE(heightMap->IsShown());
    test::choose(primitive->control<wxComboBox>(1144), "Gravel");
    EXPECT_EQ(runway->getMaterial(), 4u);
    auto* name = primitive->control<wxTextCtrl>(1017);
    test::type(name, "Strip");
    test::leave(name);
    EXPECT_EQ(bar->control<wxComboBox>(1143)->GetString(0), "Strip");
    showAndPhotograph(primitive, "site_primitive_editor");
    showAndPhotograph(bar, "site_collision_bar");
    primitive->clickButton(1012);
    EXPECT_EQ(bar->control<wxComboBox>(1143)->GetStringSelection(), "Hill");

    test::toggle(bar->control<wxToggleButton>(1152));
    test::pumpEventsUntil([water] { return water->IsShown(); });
    EXPECT_TRUE(water->IsShown());
    test::toggle(water->control<wxToggleButton>(1185));
    EXPECT_TRUE(bars->waterBrushClears());
    test::toggle(water->control<wxToggleButton>(1184));
    EXPECT_TRUE(site->getWaterEnabled());
    showAndPhotograph(water, "site_water_editor");
    showAndPhotograph(area, "site_area_editor");
    for (wxWindow* window : std::vector<wxWindow*>{water, area, heightMap, bar}) close(window);
}

TEST_F(SiteBarWindows, PositionsBarNamesAndKindsPositions) {
    auto* bar = new CDlgPositionsBar(mainWindow, bars->positions);
    EXPECT_EQ(ids(bar), (std::vector<int>{1169, 1013, 1015, 1167, 1017, 1168}));
    EXPECT_EQ(bar->control<wxComboBox>(1168)->GetStringSelection(), "All");
    EXPECT_EQ(bar->control<wxTextCtrl>(1017)->GetValue(), "[None selected]");
    auto made = std::make_unique<tbFlyingSitePosition>("New position", d3dx::Vector3(), 5);
    tbFlyingSitePosition* pad = made.get();
    site->addPosition(std::move(made));
    bars->listPosition(pad, true);
    auto* name = bar->control<wxTextCtrl>(1017);
    test::type(name, "default 1");
    test::leave(name);
    EXPECT_EQ(pad->getManipulator()->getLabel(), "default 1 (All)");
    test::choose(bar->control<wxComboBox>(1168), "Fixed Wing");
    EXPECT_EQ(pad->getName(), "default 1");
    EXPECT_EQ(pad->getKind(), 1u);
    EXPECT_EQ(pad->getManipulator()->getLabel(), "default 1 (Fixed Wing)") << "the label follows the kind at once";
    EXPECT_EQ(bar->control<wxComboBox>(1167)->GetStringSelection(), "default 1");
    bar->clickButton(1015);
    EXPECT_EQ(bar->control<wxComboBox>(1167)->GetCount(), 2u);
    test::toggle(bar->control<wxToggleButton>(1169));
    EXPECT_TRUE(bars->isChecked(tbSiteBars::Toggle::newPosition));
    showAndPhotograph(bar, "site_positions_bar");
    close(bar);
}

// A Space pressed in a bar reaches only the edits that take text with
// spaces ("default 1"); on a button or a list the view keeps it. The wheel
// never reaches a bar.
TEST_F(SiteBarWindows, SpaceReachesTheNameBoxesAndTheWheelNoBar) {
    auto* positions = new CDlgPositionsBar(mainWindow, bars->positions);
    auto* weather = new CDlgWeatherBar(mainWindow, bars->weather);
    auto* pano = new CDlgPanoBar(mainWindow, bars->panorama);
    auto* heightMap = new CDlg_coll_hmap(mainWindow, bars->heightMapEditor);
    auto* primitive = new CDlg_coll_primitive(mainWindow, bars->primitiveEditor);
    auto* water = new CDlg_coll_water(mainWindow, bars->water);
    const struct {
        ui::TemplateDialog* bar;
        int id;
        bool takesSpace;
    } cases[] = {
        {positions, 1017, true},  {positions, 1169, false}, {positions, 1167, false}, {weather, 1178, true},
        {weather, 1182, true},    {weather, 1175, false},   {pano, 1017, true},       {pano, 1012, false},
        {heightMap, 1019, true},  {heightMap, 1017, true},  {heightMap, 1016, false}, {primitive, 1017, true},
        {primitive, 1013, false}, {water, 1184, false},     {water, 1016, false},
    };
    for (const auto& c : cases) {
        wxWindow* control = c.bar->control<wxWindow>(c.id);
        ASSERT_NE(control, nullptr) << c.id;
        wxKeyEvent space(wxEVT_KEY_DOWN);
        space.m_keyCode = WXK_SPACE;
        space.SetEventObject(control);
        EXPECT_EQ(ui::isSwallowed(space), !c.takesSpace) << c.bar->GetTitle() << " " << c.id;
        wxMouseEvent wheel(wxEVT_MOUSEWHEEL);
        wheel.SetEventObject(control);
        EXPECT_TRUE(ui::isSwallowed(wheel)) << c.id;
    }
}
