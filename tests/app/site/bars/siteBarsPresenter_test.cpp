// The site's bars and editors without a window, over a real flying site on a
// headless stage: which toggle stays checked, what the lists hold and
// select, which editor shows the selection and what it writes back, names,
// materials and kinds, deleting down to nothing, the weather's numbers, the
// panorama's pictures and the lighting, and the answers the project and the
// objects read.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/shell/CDlgFileBrowserModel.h"
#include "app/shell/tbToolState.h"
#include "app/shell/tbToolbarHost.h"
#include "app/site/bars/CDlgToolboxFlyingSiteModel.h"
#include "app/site/bars/tbSiteBarsPresenter.h"
#include "app/site/tbCollisionObject_area.h"
#include "app/site/tbCollisionObject_heightMap.h"
#include "app/site/tbCollisionObject_primitive.h"
#include "app/site/tbCollisionObject_skyline.h"
#include "app/site/tbFlyingSitePosition.h"
#include "app/site/tbProject_flyingsite.h"
#include "tests/app/site/siteObjectFixture.h"
#include "tests/support/tempFolder.h"

namespace {

using namespace sitebars;
using Toggle = tbSiteBars::Toggle;
using Bar = tbSiteBars::Bar;

class SiteBars : public ::testing::Test {
protected:
    SiteBars() { bars.bind(); }

    PresenterSetup setup() {
        PresenterSetup s;
        s.site = [this] { return siteOpen ? site.get() : nullptr; };
        s.panorama.chooseFile = [this](const tbFileRequest& request) {
            requests.push_back(request);
            return chosen;
        };
        s.panorama.tell = [this](const std::string& text) { told.push_back(text); };
        s.lighting.pickColour = [this](const simColour&) { return picked; };
        s.lighting.findGeometry = [this](const std::string& name) {
            looked.push_back(name);
            return nullptr;
        };
        s.pictureFolder = "/program/resources/environments";
        s.tell = [this](const std::string& text) { told.push_back(text); };
        return s;
    }

    // An object made by the site and listed as the project lists it.
    template <class T, class... Args>
    T* add(bool select, Args&&... args) {
        auto made = std::make_unique<T>(std::forward<Args>(args)...);
        T* object = made.get();
        site->addCollisionObject(std::move(made));
        bars.listObject(Bar::collision, object, select);
        if (object->isWindArea()) bars.listObject(Bar::weather, object, select);
        return object;
    }
    tbCollisionObject_primitive* plane(const std::string& name, bool select = true) {
        return add<tbCollisionObject_primitive>(select, tbCollisionObject_primitive::shape_plane, name,
                                                d3dx::Vector3(0, 0, 0), d3dx::Vector3(), d3dx::Vector3(10, 1, 10));
    }
    tbCollisionObject_area* windArea(const std::string& name) {
        return add<tbCollisionObject_area>(true, tbCollisionObject_area::subKind_wind, name, d3dx::Vector3());
    }
    tbFlyingSitePosition* position(const std::string& name, uint32_t kind) {
        auto made = std::make_unique<tbFlyingSitePosition>(name, d3dx::Vector3(), kind);
        tbFlyingSitePosition* p = made.get();
        site->addPosition(std::move(made));
        bars.listPosition(p, true);
        return p;
    }
    std::vector<std::string> names(const auto& list) const {
        std::vector<std::string> out;
        for (const auto& entry : list.entries()) out.push_back(entry.name);
        return out;
    }
    std::vector<bool> editorsShown() const {
        return {bars.primitiveEditor.shown(), bars.areaEditor.shown(), bars.heightMapEditor.shown(),
                bars.skylineEditor.shown()};
    }

    sitetest::SiteStage stage;
    std::unique_ptr<tbProject_flyingsite> site = std::make_unique<tbProject_flyingsite>();
    bool siteOpen = true;
    std::vector<tbFileRequest> requests;
    std::string chosen;
    std::vector<std::string> told, looked;
    std::optional<simColour> picked;
    SiteBarsPresenter bars{setup()};
};

}  // namespace

// ---- Collision bar

TEST_F(SiteBars, ATypeToggleChecksAloneAndDeselectsTheObject) {
    tbCollisionObject* first = plane("Runway");
    first->activate();
    bars.collision.typeClicked(1147, true);  // cube
    bars.collision.typeClicked(1146, true);  // sphere
    for (const TypeToggle& toggle : CollisionBarModel::kTypeToggles)
        EXPECT_EQ(bars.isChecked(toggle.toggle), toggle.toggle == Toggle::sphere) << toggle.caption;
    EXPECT_EQ(bars.collision.selected(), nullptr);
    EXPECT_EQ(bars.collision.list().selection(), -1);
    EXPECT_FALSE(first->isSelected());

    // A click that unchecks it does nothing more: a selection made since stays.
    bars.collision.listSelected(0);
    bars.collision.typeClicked(1146, false);
    EXPECT_FALSE(bars.isChecked(Toggle::sphere));
    EXPECT_EQ(bars.collision.selected(), first);
}

TEST_F(SiteBars, TheSelectionShowsOnlyTheEditorOfItsKind) {
    plane("Runway", false);
    auto* hill = add<tbCollisionObject_heightMap>(false, "Hill", d3dx::Vector3(), d3dx::Vector3(),
                                                  d3dx::Vector3(100, 1, 100), 4);
    add<tbCollisionObject_skyline>(false, "Trees");
    EXPECT_EQ(editorsShown(), (std::vector<bool>{false, false, false, false}));

    const struct {
        int entry;
        std::vector<bool> shown;
    } cases[] = {{0, {true, false, false, false}}, {1, {false, false, true, false}}, {2, {false, false, false, true}}};
    for (const auto& c : cases) {
        bars.collision.listSelected(c.entry);
        EXPECT_EQ(editorsShown(), c.shown) << c.entry;
    }
    bars.collision.listSelected(1);
    EXPECT_EQ(bars.heightMapEditor.nameText(), "Hill");
    EXPECT_TRUE(hill->isSelected());
    bars.showInCollisionBar(nullptr);
    EXPECT_EQ(editorsShown(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(bars.heightMapEditor.nameText(), ObjectEditorModel::kNoneSelected);
}

TEST_F(SiteBars, TheEditorsGoWithTheCollisionTool) {
    constexpr int32_t kToolCollision = 10, kToolPositions = 11;
    // The tool state reaches the editors through the tool-bar host, as in the program.
    tbToolbarHost host({});
    host.addToolBarFollower(&bars);
    tbToolState tools;
    tools.setView(&host);
    tools.setTool(kToolCollision);
    bars.collision.waterClicked(true);  // (deselects)
    add<tbCollisionObject_heightMap>(true, "Hill", d3dx::Vector3(), d3dx::Vector3(), d3dx::Vector3(100, 1, 100), 4);

    const std::vector<bool> hillShown = {false, false, true, false}, noneShown(4, false);
    const struct {
        const char* step;
        std::function<void()> change;
        bool shown;
    } steps[] = {
        {"the collision tool", [] {}, true},
        {"the positions tool", [&] { tools.setTool(kToolPositions); }, false},
        {"the collision tool again", [&] { tools.setTool(kToolCollision); }, true},
        {"another project's tool", [&] { tools.setTool(kToolBrush); }, false},
        {"the collision tool once more", [&] { tools.setTool(kToolCollision); }, true},
        {"no project", [&] { tools.setMode(tbToolState::kModeNone); }, false},
    };
    for (const auto& step : steps) {
        step.change();
        EXPECT_EQ(editorsShown(), step.shown ? hillShown : noneShown) << step.step;
        EXPECT_EQ(bars.water.shown(), step.shown) << step.step;
    }
    tools.setView(nullptr);
}

TEST_F(SiteBars, WithNoSiteOpenTheEditorsShowNothingAndTheListSelectsNothing) {
    plane("Runway");
    siteOpen = false;
    bars.collision.selectObject(bars.collision.selected());
    EXPECT_FALSE(bars.primitiveEditor.shown());
    bars.collision.selectObject(nullptr);
    bars.collision.listSelected(0);
    EXPECT_EQ(bars.collision.selected(), nullptr);
}

TEST_F(SiteBars, TheEditorShowsAndWritesTheObjectsSettings) {
    tbCollisionObject* runway = plane("Runway");
    runway->setMaterial(3);  // no such surface kind: no selection
    runway->setDraw(false);
    bars.collision.selectObject(nullptr);
    bars.collision.selectObject(runway);
    ObjectEditorModel& editor = bars.primitiveEditor;
    EXPECT_EQ(editor.materialIndex(), -1);
    EXPECT_FALSE(editor.draw());
    EXPECT_TRUE(editor.visible());

    editor.materialSelected("Gravel");
    EXPECT_EQ(runway->getMaterial(), 4u);
    EXPECT_EQ(editor.materialIndex(), 3);
    editor.materialSelected("Tarmac");  // not in the table: kept
    EXPECT_EQ(runway->getMaterial(), 4u);
    editor.drawClicked(true);
    editor.visibleClicked(false);
    EXPECT_TRUE(runway->getDraw());
    EXPECT_FALSE(runway->isVisible());
}

TEST_F(SiteBars, RenamingChangesTheNameInEveryListAtItsPlace) {
    plane("Runway");
    tbCollisionObject_area* wind = windArea("Breeze");
    plane("Hangar");
    bars.collision.listSelected(1);
    ASSERT_EQ(bars.areaEditor.object(), wind);

    for (const char* unchanged : {"[none selected]", "Breeze"}) {
        bars.areaEditor.nameEdited(unchanged);
        EXPECT_EQ(wind->getName(), "Breeze");
    }
    bars.areaEditor.nameEdited("Gust");
    EXPECT_EQ(wind->getName(), "Gust");
    EXPECT_EQ(names(bars.collision.list()), (std::vector<std::string>{"Runway", "Gust", "Hangar"}));
    EXPECT_EQ(names(bars.weather.list()), (std::vector<std::string>{"Gust"}));
    EXPECT_EQ(bars.collision.list().selection(), 1);

    // The weather bar's rename shows in the collision bar too.
    bars.weather.nameEdited("Squall");
    EXPECT_EQ(names(bars.collision.list())[1], "Squall");
    EXPECT_TRUE(told.empty());

    bars.weather.nameEdited(std::string(64, 'w'));
    EXPECT_EQ(wind->getName(), "Squall");
    EXPECT_EQ(bars.weather.nameText(), "Squall");
    ASSERT_EQ(told.size(), 1u);
}

TEST_F(SiteBars, DeletingSelectsTheLastEntryAndDeletingTheOnlyOneSelectsNone) {
    plane("Runway");
    tbCollisionObject* hangar = plane("Hangar");
    plane("Tower");
    bars.collision.listSelected(0);
    bars.primitiveEditor.deleteClicked();
    EXPECT_EQ(names(bars.collision.list()), (std::vector<std::string>{"Hangar", "Tower"}));
    EXPECT_EQ(bars.collision.list().selection(), 1);
    EXPECT_EQ(bars.primitiveEditor.nameText(), "Tower");
    EXPECT_EQ(site->getCollisionObjects().size(), 2u);
    EXPECT_TRUE(site->getCollisionObjects().back()->isSelected());

    bars.collision.deleteClicked();
    bars.collision.selectObject(hangar);
    bars.collision.deleteClicked();
    EXPECT_TRUE(bars.collision.list().empty());
    EXPECT_EQ(bars.collision.selected(), nullptr);
    EXPECT_EQ(editorsShown(), (std::vector<bool>{false, false, false, false}));
    EXPECT_TRUE(site->getCollisionObjects().empty());
    bars.collision.deleteClicked();  // nothing left: nothing happens
}

TEST_F(SiteBars, CopyingListsTheCopyBesideTheOriginalAndSelectsIt) {
    tbCollisionObject* runway = plane("Runway");
    runway->setPosition({10, 0, 20});
    bars.primitiveEditor.copyClicked();
    ASSERT_EQ(site->getCollisionObjects().size(), 2u);
    const tbCollisionObject* copy = site->getCollisionObjects().back().get();
    EXPECT_FLOAT_EQ(copy->getPosition().x, 110.0f);
    EXPECT_EQ(bars.collision.selected(), copy);
    EXPECT_TRUE(copy->isSelected());

    windArea("Breeze");
    bars.weather.copyClicked();
    EXPECT_EQ(bars.weather.list().entries().size(), 2u);
    EXPECT_EQ(bars.collision.list().entries().size(), 4u);
    EXPECT_EQ(bars.weather.selected(), site->getCollisionObjects().back().get());
}

TEST_F(SiteBars, TheWaterToggleShowsTheWaterEditorOnlyWithASite) {
    plane("Runway");
    bars.collision.waterClicked(true);
    EXPECT_TRUE(bars.water.shown());
    EXPECT_EQ(bars.collision.selected(), nullptr);
    bars.water.editClicked(true);
    EXPECT_TRUE(bars.isWaterEditing());
    bars.collision.waterClicked(false);
    EXPECT_FALSE(bars.water.shown());
    EXPECT_FALSE(bars.isWaterEditing());

    siteOpen = false;
    bars.collision.waterClicked(true);
    EXPECT_FALSE(bars.water.shown());
}

// The next click in the view paints the water or puts an object down, never
// both: the placing click would leave a dab in the mask under the object,
// and a stroke's release would put an object down where it ended.
TEST_F(SiteBars, ChoosingAnObjectTypeEndsWaterEditingAndEditingUnchoosesTheType) {
    int editorShows = 0;
    bars.water.changed = [&] { ++editorShows; };
    bars.collision.waterClicked(true);
    bars.water.editClicked(true);
    bars.collision.typeClicked(1145, true);  // plane
    EXPECT_TRUE(bars.isChecked(Toggle::plane));
    EXPECT_FALSE(bars.water.editing());
    EXPECT_FALSE(bars.isWaterEditing());
    EXPECT_TRUE(bars.water.shown()) << "the editor stays for the next stroke";
    EXPECT_EQ(editorShows, 2) << "shown, then its Edit unchecked";

    bars.water.editClicked(true);
    EXPECT_TRUE(bars.isWaterEditing());
    for (const TypeToggle& toggle : CollisionBarModel::kTypeToggles)
        EXPECT_FALSE(bars.isChecked(toggle.toggle)) << toggle.caption;
    EXPECT_TRUE(bars.isChecked(Toggle::water));

    // Unchecking a type, or unchecking Edit, leaves the other as it is.
    bars.collision.typeClicked(1150, true);  // h-map
    bars.water.editClicked(false);
    EXPECT_TRUE(bars.isChecked(Toggle::heightMap));
    bars.water.editClicked(true);
    bars.collision.typeClicked(1150, false);
    EXPECT_TRUE(bars.isWaterEditing());
}

TEST_F(SiteBars, ANewSiteShowsItsWaterOff) {
    bars.collision.waterClicked(true);
    bars.water.enabledClicked(true);
    site = std::make_unique<tbProject_flyingsite>();
    EXPECT_FALSE(site->getWaterEnabled());
    EXPECT_FALSE(bars.isChecked(Toggle::water));
    EXPECT_FALSE(bars.water.enabled());
}

// ---- What the project and the objects read

TEST_F(SiteBars, TogglesReachTheBarThatHoldsThem) {
    for (Toggle toggle : {Toggle::plane, Toggle::marker, Toggle::water, Toggle::windArea, Toggle::newPosition,
                          Toggle::areaEdit, Toggle::skylineEdit, Toggle::heightMapEdit}) {
        bars.setChecked(toggle, true);
        EXPECT_TRUE(bars.isChecked(toggle)) << int(toggle);
        bars.setChecked(toggle, false);
        EXPECT_FALSE(bars.isChecked(toggle)) << int(toggle);
    }
    bars.weather.areaClicked(true);
    bars.positions.newClicked(true);
    bars.areaEditor.ownToggleClicked(true);
    EXPECT_TRUE(bars.isChecked(Toggle::windArea));
    EXPECT_TRUE(bars.isChecked(Toggle::newPosition));
    EXPECT_TRUE(bars.areaEditPoints());
    EXPECT_FALSE(bars.skylineEditPoints());
}

TEST_F(SiteBars, TheHeightMapBrushAndLimitsAreTheEditorsControls) {
    EXPECT_EQ(bars.brushRadius(), 10);
    EXPECT_EQ(bars.brushStrength(), 10);
    EXPECT_FALSE(bars.minimumHeight());
    bars.heightMapEditor.minimumEdited("-2.5");
    EXPECT_FALSE(bars.minimumHeight());  // not checked
    bars.heightMapEditor.minimumChecked(true);
    bars.heightMapEditor.maximumChecked(true);
    bars.heightMapEditor.radiusMoved(150);
    bars.heightMapEditor.depressClicked(true);
    EXPECT_EQ(bars.minimumHeight(), std::optional<float>(-2.5f));
    EXPECT_EQ(bars.maximumHeight(), std::optional<float>(0.0f));
    EXPECT_EQ(bars.brushRadius(), 150);
    EXPECT_TRUE(bars.depress());
}

TEST_F(SiteBars, TheWaterBrushClearsWithItsClearCheckAndTheButtonsFillTheMask) {
    EXPECT_FALSE(bars.waterBrushClears());
    bars.water.clearBrushClicked(true);
    EXPECT_TRUE(bars.waterBrushClears());
    bars.water.radiusMoved(40);
    EXPECT_EQ(bars.waterBrushRadius(), 40);
    bars.water.enabledClicked(true);
    EXPECT_TRUE(site->getWaterEnabled());
    bars.showWaterEnabled(false);
    EXPECT_FALSE(bars.water.enabled());
}

TEST_F(SiteBars, TheViewHasTheKeyboardUnlessTheWindowsSayOtherwise) {
    EXPECT_TRUE(bars.viewHasKeyboard());
    bool inView = false;
    bars.keyboardInView = [&] { return inView; };
    EXPECT_FALSE(bars.viewHasKeyboard());
    EXPECT_FALSE(bars.isVisible(Bar::collision));
    bars.isShown = [](Bar bar) { return bar == Bar::collision; };
    EXPECT_TRUE(bars.isVisible(Bar::collision));
    EXPECT_FALSE(bars.isVisible(Bar::weather));
}

TEST_F(SiteBars, ThePresenterAnswersTheProjectAndTheObjectsWhileItLives) {
    EXPECT_EQ(tbCurrentSiteBars(), &bars);
    EXPECT_EQ(tbSiteEditorSettings::installed(), &bars);
    EXPECT_EQ(tbSiteSelectionBars::installed(), &bars);
    {
        SiteBarsPresenter inner(setup());
        inner.bind();
        EXPECT_EQ(tbCurrentSiteBars(), &inner);
    }
    EXPECT_EQ(tbCurrentSiteBars(), &bars);
    EXPECT_EQ(tbSiteEditorSettings::installed(), &bars);

    // An object picked in the view reaches the bar.
    tbCollisionObject* runway = plane("Runway", false);
    runway->onSelected(runway->getManipulator(), 0);
    EXPECT_EQ(bars.collision.selected(), runway);
    // The project's delete takes it out of every list and selection.
    site->deleteCollisionObject(runway);
    EXPECT_TRUE(bars.collision.list().empty());
    EXPECT_EQ(bars.collision.selected(), nullptr);
}

// ---- Weather bar

TEST_F(SiteBars, TheGlobalWindReadsADecimalAndOtherTextAsZero) {
    bars.weather.globalWindEdited("2.5");
    EXPECT_FLOAT_EQ(site->getWindSpeed(), 2.5f);
    bars.weather.globalWindEdited("calm");
    EXPECT_FLOAT_EQ(site->getWindSpeed(), 0.0f);
    siteOpen = false;
    bars.weather.globalWindEdited("4");
    EXPECT_FLOAT_EQ(site->getWindSpeed(), 0.0f);
}

TEST_F(SiteBars, TheSelectedWindAreaShowsAndTakesItsValues) {
    tbCollisionObject_area* breeze = windArea("Breeze");
    breeze->setWindSpeed(3.25f);
    bars.weather.selectArea(nullptr);
    EXPECT_EQ(bars.weather.nameText(), WeatherBarModel::kNoneSelected);
    bars.weather.listSelected(0);
    EXPECT_EQ(bars.weather.nameText(), "Breeze");
    EXPECT_EQ(bars.weather.windSpeedText(), "3.2");
    EXPECT_EQ(bars.weather.thermalsText(), "0.0");
    EXPECT_TRUE(breeze->isSelected());  // the selected one, so its editing works

    bars.weather.windSpeedEdited("5.5");
    bars.weather.turbulenceEdited("0.5");
    bars.weather.thermalsEdited("x");
    EXPECT_FLOAT_EQ(breeze->getWindSpeed(), 5.5f);
    EXPECT_FLOAT_EQ(breeze->getTurbulence(), 0.5f);
    EXPECT_FLOAT_EQ(breeze->getThermals(), 0.0f);
}

TEST_F(SiteBars, DeletingTheLastWindAreaLeavesNoneSelected) {
    windArea("Breeze");
    windArea("Gust");
    bars.weather.listSelected(0);
    bars.weather.deleteClicked();
    EXPECT_EQ(names(bars.weather.list()), (std::vector<std::string>{"Gust"}));
    EXPECT_EQ(bars.weather.nameText(), "Gust");
    bars.weather.deleteClicked();
    EXPECT_TRUE(bars.weather.list().empty());
    EXPECT_EQ(bars.weather.selected(), nullptr);
    EXPECT_EQ(bars.weather.list().selection(), -1);
    EXPECT_EQ(bars.weather.nameText(), "[None selected]");
    EXPECT_TRUE(bars.collision.list().empty());
}

// ---- Positions bar

TEST_F(SiteBars, APositionShowsItsNameAndKindAndTakesNewOnes) {
    EXPECT_EQ(bars.positions.nameText(), "[None selected]");
    EXPECT_EQ(bars.positions.kindIndex(), 0);  // "All"
    tbFlyingSitePosition* pad = position("Heli pad", 0);
    EXPECT_EQ(bars.positions.nameText(), "Heli pad");
    EXPECT_EQ(bars.positions.kindIndex(), 2);  // "Helicopter"
    position("Odd", 42);
    EXPECT_EQ(bars.positions.kindIndex(), -1);

    bars.positions.listSelected(0);
    EXPECT_EQ(manipulatorContainer::current()->selected, pad->getManipulator());
    bars.positions.kindSelected("Fixed Wing");
    EXPECT_EQ(pad->getKind(), 1u);
    bars.positions.nameEdited("default 1");
    EXPECT_EQ(pad->getName(), "default 1");
    EXPECT_EQ(names(bars.positions.list()), (std::vector<std::string>{"default 1", "Odd"}));
    std::string message;
    EXPECT_TRUE(site->validate(message)) << message;
}

TEST_F(SiteBars, PositionsAreCopiedAndDeletedDownToNone) {
    tbFlyingSitePosition* pad = position("Pad", 1);
    pad->setPosition({0, 0, 50});
    bars.positions.copyClicked();
    ASSERT_EQ(site->getPositions().size(), 2u);
    EXPECT_FLOAT_EQ(site->getPositions().back()->getPosition().x, 100.0f);
    EXPECT_EQ(bars.positions.list().selection(), 1);
    bars.positions.deleteClicked();
    EXPECT_EQ(bars.positions.selected(), pad);
    bars.positions.deleteClicked();
    EXPECT_TRUE(site->getPositions().empty());
    EXPECT_EQ(bars.positions.selected(), nullptr);
    EXPECT_EQ(bars.positions.nameText(), "[None selected]");
}

// ---- Panorama bar

TEST_F(SiteBars, AutoNamesTheSixFacesFromOneAndSaysSoWhenItCannot) {
    chosen = "/pictures/site1.bmp";
    bars.panorama.autoClicked();
    const char* expected[] = {"site3.bmp", "site1.bmp", "site6.bmp", "site5.bmp", "site4.bmp", "site2.bmp"};
    for (int slot = 0; slot < 6; ++slot) EXPECT_EQ(site->getCubeImageName(slot), std::string("/pictures/") + expected[slot]);
    EXPECT_EQ(bars.panorama.faceIndex(), 0);
    EXPECT_EQ(bars.panorama.imageText(), "site3.bmp");
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].folder, "/program/resources/environments");
    EXPECT_EQ(requests[0].title, "Select image");

    chosen = "/pictures/x.jpeg";
    bars.panorama.autoClicked();
    EXPECT_EQ(site->getCubeImageName(0), "/pictures/site3.bmp");
    ASSERT_EQ(told.size(), 1u);
}

TEST_F(SiteBars, ThePictureBrowserOpensOnEveryPictureTheReaderOpensAndNoOther) {
    bars.panorama.browseClicked();
    ASSERT_EQ(requests.size(), 1u);
    testsupport::TempFolder folder;
    for (const char* name : {"a.bmp", "b.jpg", "c.dds", "d.png", "e.tif", "f.wav"}) folder.write(name, "x");
    std::string result;
    shell::FileBrowserModel browser(&result, requests[0].filters, folder.path(), false);
    browser.open();
    std::vector<std::string> listed;
    for (const shell::FileRow& row : browser.rows()) listed.push_back(row.name);
    EXPECT_EQ(listed, (std::vector<std::string>{"a.bmp", "b.jpg", "c.dds", "d.png"}))
        << browser.fileTypes()[size_t(browser.selectedFileType())];
}

TEST_F(SiteBars, CubeAndSphereChangeTheFaceListAndTheImageMode) {
    chosen = "/pictures/face.png";
    bars.panorama.faceSelected("Cubic +Y");
    bars.panorama.browseClicked();
    EXPECT_EQ(site->getCubeImageName(3), "/pictures/face.png");
    EXPECT_EQ(bars.panorama.imageText(), "face.png");
    bars.panorama.faceSelected("Cubic -X");
    EXPECT_EQ(bars.panorama.imageText(), "[No image]");

    bars.panorama.sphereClicked();
    EXPECT_EQ(site->getImageMode(), 1u);
    EXPECT_EQ(bars.panorama.faces(), (std::vector<std::string>{"Spherical"}));
    chosen = "/pictures/round.jpg";
    bars.panorama.browseClicked();
    EXPECT_EQ(site->getSphereImageName(), "/pictures/round.jpg");
    bars.panorama.cubeClicked();
    EXPECT_EQ(site->getImageMode(), 0u);
    EXPECT_EQ(bars.panorama.faces().size(), 6u);
    EXPECT_EQ(bars.panorama.faceIndex(), 0);
}

TEST_F(SiteBars, WithNoSiteOpenThePanoramaAndLightingButtonsDoNothing) {
    siteOpen = false;
    chosen = "/pictures/site1.bmp";
    picked = simColour::fromARGB(0xFF102030);
    bars.panorama.sphereClicked();
    bars.panorama.autoClicked();
    bars.panorama.browseClicked();
    bars.panorama.interiorClicked(true);
    bars.lighting.swatchClicked(LightingBarModel::Light::diffuse);
    bars.lighting.previewSelected("Cube");
    EXPECT_FALSE(bars.panorama.sphere());
    EXPECT_FALSE(bars.panorama.interior());
    EXPECT_TRUE(requests.empty());
    EXPECT_TRUE(looked.empty());
    EXPECT_EQ(site->getImageMode(), 0u);
    EXPECT_EQ(site->getCubeImageName(0), "[No image]");
}

TEST_F(SiteBars, TheAmbientSoundIsChosenAndCleared) {
    chosen = "/sounds/birds.wav";
    bars.panorama.browseSoundClicked();
    EXPECT_EQ(site->getAmbientSound(), "/sounds/birds.wav");
    EXPECT_EQ(bars.panorama.soundText(), "/sounds/birds.wav");
    EXPECT_EQ(requests.at(0).filters, (std::vector<std::string>{"*.wav"}));
    bars.panorama.noSoundClicked();
    EXPECT_EQ(site->getAmbientSound(), "");
    EXPECT_EQ(bars.panorama.soundText(), "[none]");
    bars.showPanorama(1, true, true, "");
    EXPECT_TRUE(bars.panorama.sphere());
    EXPECT_TRUE(bars.panorama.interior());
    EXPECT_EQ(bars.panorama.soundText(), "[none]");
}

// ---- Lighting bar and toolbox

TEST_F(SiteBars, LightingPicksColoursAndPreviewShapesByName) {
    picked = simColour::fromARGB(0xFF102030);
    bars.lighting.swatchClicked(LightingBarModel::Light::specular);
    EXPECT_EQ(site->getSpecularColour().toARGB(), 0xFF102030u);
    picked.reset();  // Cancel
    bars.lighting.swatchClicked(LightingBarModel::Light::ambient);
    EXPECT_NE(site->getAmbientColour().toARGB(), 0xFF102030u);

    for (const char* name : {"Cylinder", "Pyramid", "Cone", "Sphere", "Cube"}) bars.lighting.previewSelected(name);
    EXPECT_EQ(looked, (std::vector<std::string>{"shinyCylinder.geo", "shinyPyramid.geo", "shinySphere.geo",
                                                 "shinyCube.geo"}));
    EXPECT_EQ(bars.lighting.previewIndex(), 1);
    bars.lighting.resetClicked();
    EXPECT_EQ(bars.lighting.previewIndex(), 0);
    EXPECT_FLOAT_EQ(site->getSunPosition().y, 250.0f);
}

TEST(SiteToolbox, EachButtonChoosesItsToolAndClosingHidesTheBars) {
    std::vector<int32_t> tools;
    int hidden = 0;
    SiteToolboxModel toolbox([&](int32_t tool) { tools.push_back(tool); }, [&] { ++hidden; });
    for (int id : {1134, 1135, 1136, 1137, 1140, 1999}) toolbox.toolClicked(id);
    EXPECT_EQ(tools, (std::vector<int32_t>{8, 9, 10, 11, 12}));
    toolbox.closed();
    EXPECT_EQ(hidden, 1);
    EXPECT_EQ(SiteToolboxModel::buttonOf(tbToolButton::weather)->id, 1140);
    EXPECT_EQ(SiteToolboxModel::buttonOf(tbToolButton::brush), nullptr);
}
