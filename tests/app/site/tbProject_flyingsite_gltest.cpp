// Flying sites on the OpenGL device: a new site and its header's bytes, save
// -> open -> save giving the same bytes with one object of each kind, the
// version-1 and wind-flag migrations, opened objects hidden until a frame
// shows them, damaged files refused with the site
// left as it was, a mask that cannot be read opening white with the rest
// kept, a failed write keeping the old file, and the bars' lists kept clean
// when objects and positions go.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/shell/tbErrorBox.h"
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
#include "app/site/tbWaterMask.h"
#include "engine/graphics/manipulator.h"
#include "engine/graphics/manipulatorContainer.h"
#include "engine/graphics/simSurfaceFile.h"
#include "engine/graphics/simTexture.h"
#include "tests/app/site/recordingSiteBars.h"
#include "tests/app/site/siteOnGl.h"
#include "tests/support/imageSamples.h"
#include "tests/support/tempFolder.h"

namespace {

std::vector<uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

template <class T>
void put(std::vector<uint8_t>& bytes, size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

class GlFlyingSite : public sitetest::SiteOnGl {
protected:
    void SetUp() override {
        SiteOnGl::SetUp();
        previousBars = tbBindSiteBars(&bars);
    }
    void TearDown() override {
        site.reset();
        tbBindSiteBars(previousBars);
        SiteOnGl::TearDown();
    }

    std::unique_ptr<tbProject_flyingsite> newSite() {
        auto s = std::make_unique<tbProject_flyingsite>();
        EXPECT_TRUE(s->onNew(""));
        return s;
    }
    // One object of each kind, two positions, a painted mask, wind and a sound.
    std::unique_ptr<tbProject_flyingsite> busySite() {
        auto s = newSite();
        using P = tbCollisionObject_primitive;
        s->addCollisionObject(std::make_unique<P>(P::shape_cube, "Hangar", d3dx::Vector3(100, 0, 200),
                                                  d3dx::Vector3(0, 0.5f, 0), d3dx::Vector3(10, 20, 30)));
        s->addCollisionObject(std::make_unique<tbCollisionObject_heightMap>(
            "Hill", d3dx::Vector3(0, 0, 0), d3dx::Vector3(), d3dx::Vector3(10000, 1, 10000), 4));
        auto wind = std::make_unique<tbCollisionObject_area>(tbCollisionObject_area::subKind_wind, "Gust",
                                                             d3dx::Vector3(500, 0, 500));
        wind->addPoint({0, 0, 0});
        wind->addPoint({300, 0, 0});
        wind->addPoint({0, 0, 300});
        s->addCollisionObject(std::move(wind));
        s->addCollisionObject(std::make_unique<tbCollisionObject_marker>("Pylon", d3dx::Vector3(-50, 0, 70)));
        s->addCollisionObject(std::make_unique<tbCollisionObject_skyline>("Trees"));
        s->addPosition(std::make_unique<tbFlyingSitePosition>("default 1", d3dx::Vector3(0, 0, -500), 1));
        s->addPosition(std::make_unique<tbFlyingSitePosition>("Heli pad", d3dx::Vector3(300, 0, 0), 2));
        s->fillWaterMask(simColour::fromARGB(0xFF000000));
        s->waterMask().dab(700, 1300, 40, 0xFFFFFFFF, nullptr);
        s->setWaterEnabled(true);
        s->setWindSpeed(4.5f);
        s->setAmbientSound("/sounds/birds.wav");
        s->setReverb(true);
        s->setSiteName("Hilltop");
        s->setDiffuseColour(simColour::fromARGB(0xFFC0B0A0));
        return s;
    }
    std::string save(tbProject_flyingsite& s, const std::string& name) {
        EXPECT_TRUE(s.save(temp.file(name))) << (boxes.empty() ? "" : boxes.front());
        const std::string bytes = temp.read(name);
        keepAsFuzzSeed(bytes, name);
        return bytes;
    }
    // With TOLVANE_FUZZ_SEEDS set to a folder, real saves are kept there as
    // seeds for the site-file fuzzer (fuzz/corpus/tvq), their 16 MiB water
    // mask swapped for an 8 x 8 one so the fuzzer's inputs stay small.
    static void keepAsFuzzSeed(const std::string& bytes, const std::string& name) {
        const char* folder = std::getenv("TOLVANE_FUZZ_SEEDS");
        if (!folder) return;
        tbFlyingSiteFileData file;
        std::string reason;
        ASSERT_TRUE(readFlyingSiteFile(bytes.data(), bytes.size(), tbCheckCollisionObjectRecord, file, reason));
        file.waterMask.clear();
        d3dx::SaveImageToFileInMemory(&file.waterMask, d3dx::ImageFileFormat::Dds,
                                      imagesamples::imageOf(imagesamples::solid(8, 8, 0xFFFFFFFF),
                                                            d3dx::Format::X8R8G8B8));
        const std::vector<uint8_t> seed = writeFlyingSiteFile(file);
        std::ofstream(std::string(folder) + "/" + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(seed.data()), std::streamsize(seed.size()));
    }
    d3dx::Bitmap mask(const tbProject_flyingsite& s) {
        d3dx::Image picture;
        EXPECT_TRUE(simReadSurface(rig->device(), s.getWaterMaskSurface(), picture));
        return imagesamples::bitmapOf(picture);
    }
    bool maskIsWhite(const tbProject_flyingsite& s) {
        const d3dx::Bitmap m = mask(s);
        return std::all_of(m.pixels.begin(), m.pixels.end(), [](uint32_t p) { return (p & 0xFFFFFF) == 0xFFFFFF; });
    }

    testsupport::TempFolder temp;
    sitetest::RecordingSiteBars bars;
    tbSiteBars* previousBars = nullptr;
    std::unique_ptr<tbProject_flyingsite> site;
};

}  // namespace

TEST_F(GlFlyingSite, ANewSiteStartsEmptyWithAWhiteMask) {
    site = newSite();
    EXPECT_EQ(tbProject_flyingsite::current(), site.get());
    EXPECT_EQ(site->getFileName(), "New Project.tvq");
    EXPECT_EQ(site->getFileVersion(), 0u);
    for (int slot = 0; slot < 6; ++slot) EXPECT_EQ(site->getCubeImageName(slot), "[No image]");
    EXPECT_EQ(site->getSphereImageName(), "[No image]");
    EXPECT_EQ(site->getImageMode(), 0u);
    EXPECT_FALSE(site->getWaterEnabled());
    EXPECT_EQ(site->getAmbientColour(), simColour::fromARGB(0xFF3C3C3C));
    EXPECT_EQ(site->getSpecularColour(), simColour::fromARGB(0xFFFFFFFF));
    EXPECT_TRUE(maskIsWhite(*site));
    EXPECT_NE(site->getReflectionCubemap(), gfx::TextureHandle{});
    EXPECT_EQ(bars.windSpeed, "0.0");
    EXPECT_EQ(site->windowTitle("TolvaneBuilder 2.5.a"), "TolvaneBuilder 2.5.a");
    site.reset();
    EXPECT_EQ(tbProject_flyingsite::current(), nullptr);
}

TEST_F(GlFlyingSite, ANewSitesHeaderHasTheseBytes) {
    site = newSite();
    const std::vector<uint8_t> file = bytesOf(save(*site, "new.tvq"));
    std::vector<uint8_t> expected(kFlyingSiteHeaderSize, 0);
    std::memcpy(expected.data(), "TOLVANEBUILDER PROJECT", 22);
    put<uint32_t>(expected, 32, 2);
    for (size_t slot = 0; slot < 7; ++slot) std::memcpy(expected.data() + 809 + slot * 256, "[No image]", 10);
    put<float>(expected, 2613 + 8, 400.0f);
    for (size_t i = 0; i < 4; ++i) put<float>(expected, 2625 + i * 20, 1.0f);
    const int32_t colours[3][4] = {{255, 60, 60, 60}, {255, 255, 255, 255}, {255, 255, 255, 255}};
    for (size_t c = 0; c < 3; ++c)
        for (size_t i = 0; i < 4; ++i) put<int32_t>(expected, 2689 + c * 16 + i * 4, colours[c][i]);
    put<float>(expected, 2737 + 4, 1000.0f);
    ASSERT_GT(file.size(), kFlyingSiteHeaderSize);
    EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + kFlyingSiteHeaderSize), expected);
    // Then no objects: the water (off, at (0, 0, 250)) and a 2048 x 2048 DDS mask.
    EXPECT_EQ(file[kFlyingSiteHeaderSize], 0);
    uint32_t maskBytes = 0;
    std::memcpy(&maskBytes, file.data() + kFlyingSiteHeaderSize + 13, 4);
    EXPECT_EQ(maskBytes, 128u + 2048u * 2048u * 4u);
    EXPECT_EQ(site->getFileName(), "new.tvq");
    EXPECT_EQ(site->windowTitle("TolvaneBuilder 2.5.a"), "TolvaneBuilder 2.5.a - new.tvq");
}

TEST_F(GlFlyingSite, SaveOpenSaveGivesTheSameBytes) {
    site = busySite();
    const std::string first = save(*site, "busy.tvq");
    const d3dx::Bitmap painted = mask(*site);
    site.reset();

    site = std::make_unique<tbProject_flyingsite>();
    ASSERT_TRUE(site->open(temp.file("busy.tvq"))) << (boxes.empty() ? rig->engine.log() : boxes.front());
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(site->getCollisionObjects().size(), 5u);
    EXPECT_EQ(site->getPositions().size(), 2u);
    EXPECT_EQ(site->getWindSpeed(), 4.5f);
    EXPECT_EQ(site->getSiteName(), "Hilltop");
    EXPECT_EQ(site->getDiffuseColour(), simColour::fromARGB(0xFFC0B0A0));
    EXPECT_TRUE(mask(*site).pixels == painted.pixels);
    std::string message;
    EXPECT_TRUE(site->validate(message)) << message;
    // The bars list what the file holds; the wind-area in both its bars.
    EXPECT_EQ(bars.collision.size(), 5u);
    EXPECT_EQ(bars.weather.size(), 1u);
    EXPECT_EQ(bars.positions.size(), 2u);
    EXPECT_EQ(bars.windSpeed, "4.5");
    EXPECT_EQ(bars.ambientSound, "/sounds/birds.wav");
    EXPECT_TRUE(bars.reverb && bars.waterEnabled);
    EXPECT_TRUE(save(*site, "again.tvq") == first);
}

// Frames drawn while the open's progress box repaints drew the objects read
// so far, labels and all, before the site had set up its cameras for the
// view (a label at a position no camera projected: NaN to an integer).
TEST_F(GlFlyingSite, OpenedObjectsAndPositionsStayHiddenUntilTheFrameShowsThem) {
    site = busySite();
    save(*site, "busy.tvq");
    site = std::make_unique<tbProject_flyingsite>();
    ASSERT_TRUE(site->open(temp.file("busy.tvq")));
    ASSERT_EQ(site->getCollisionObjects().size(), 5u);
    for (const auto& object : site->getCollisionObjects())
        EXPECT_FALSE(object->getManipulator()->visible) << object->getName();
    for (const auto& position : site->getPositions())
        EXPECT_FALSE(position->getManipulator()->visible) << position->getName();
}

TEST_F(GlFlyingSite, VersionOneFilesAndAZeroWindFlagOpenAsTheyWereMeant) {
    site = busySite();
    const std::vector<uint8_t> saved = bytesOf(save(*site, "busy.tvq"));
    tbFlyingSiteFileData file;
    std::string reason;
    ASSERT_TRUE(readFlyingSiteFile(saved.data(), saved.size(), tbCheckCollisionObjectRecord, file, reason));
    file.version = 1;
    file.waterPosition = {1200, 330, -800};
    file.windFlag = 0;
    file.windSpeed = {7, 7, 7};
    file.windRotation = {0.5f, 0.5f, 0};
    file.windPosition = {10, 20, 30};
    const std::vector<uint8_t> v1 = writeFlyingSiteFile(file);
    temp.write("v1.tvq", std::string(v1.begin(), v1.end()));

    site = std::make_unique<tbProject_flyingsite>();
    ASSERT_TRUE(site->open(temp.file("v1.tvq")));
    EXPECT_EQ(site->getFileVersion(), 1u);
    EXPECT_EQ(site->getWaterPosition().x, 0.0f);
    EXPECT_EQ(site->getWaterPosition().y, 330.0f);
    EXPECT_EQ(site->getWaterPosition().z, 0.0f);
    EXPECT_EQ(site->getWindSpeed(), 0.0f);
    EXPECT_EQ(site->getWindRotation().x, 0.0f);
    EXPECT_EQ(site->getWindPosition().z, 0.0f);
    // Sound and reverb keep a new site's values.
    EXPECT_EQ(site->getAmbientSound(), "");
    EXPECT_FALSE(site->getReverb());
    EXPECT_EQ(site->getCollisionObjects().size(), 5u);
}

TEST_F(GlFlyingSite, DamagedFilesAreRefusedAndLeaveTheSiteAsItWas) {
    site = busySite();
    const std::vector<uint8_t> good = bytesOf(save(*site, "busy.tvq"));
    tbFlyingSiteFileData file;
    std::string reason;
    ASSERT_TRUE(readFlyingSiteFile(good.data(), good.size(), tbCheckCollisionObjectRecord, file, reason));
    // The height map is the second object; its cells-a-side count follows
    // its common record and its box.
    const size_t heightMapAt = kFlyingSiteHeaderSize + 4 + file.objects[0].record.size() + 4;
    const size_t cellsAt = heightMapAt + 239 + 24;
    size_t maskSizeAt = kFlyingSiteHeaderSize + 13;
    for (const auto& o : file.objects) maskSizeAt += 4 + o.record.size();
    auto patched = [&](size_t offset, uint32_t value) {
        std::vector<uint8_t> b = good;
        put(b, offset, value);
        return b;
    };
    auto cut = [&](size_t size) { return std::vector<uint8_t>(good.begin(), good.begin() + size); };
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"height map of 0 cells a side", patched(cellsAt, 0)},
        {"height map of 1 cell a side", patched(cellsAt, 1)},
        {"height map of 100000 cells a side", patched(cellsAt, 100000)},
        {"huge object count", patched(2749, 0x7FFFFFFF)},
        {"unknown tag", patched(kFlyingSiteHeaderSize, 9)},
        {"mask longer than the file", patched(maskSizeAt, 0x10000000)},
        {"cut in the header", cut(1000)},
        {"cut in the objects", cut(heightMapAt + 300)},
        {"cut in the mask", cut(maskSizeAt + 5000)},
        {"cut in the positions", cut(good.size() - 600)},
        {"cut in the wind", cut(good.size() - 530)},
        {"cut in the sound", cut(good.size() - 10)},
    };
    site = std::make_unique<tbProject_flyingsite>();
    ASSERT_TRUE(site->open(temp.file("busy.tvq")));
    for (const auto& c : cases) {
        temp.write("bad.tvq", std::string(c.bytes.begin(), c.bytes.end()));
        boxes.clear();
        EXPECT_FALSE(site->open(temp.file("bad.tvq"))) << c.what;
        ASSERT_EQ(boxes.size(), 1u) << c.what;
        EXPECT_EQ(boxes[0], "Error opening project / The project file appears to be invalid, or has been deleted.");
        EXPECT_EQ(site->getCollisionObjects().size(), 5u) << c.what;
        EXPECT_EQ(site->getFileName(), "busy.tvq") << c.what;
    }
    boxes.clear();
    EXPECT_FALSE(site->open(temp.file("no such file.tvq")));
    EXPECT_EQ(boxes.size(), 1u);
}

TEST_F(GlFlyingSite, AMaskThatCannotBeReadOpensWhiteAndKeepsTheRest) {
    site = busySite();
    std::vector<uint8_t> bytes = bytesOf(save(*site, "busy.tvq"));
    tbFlyingSiteFileData file;
    std::string reason;
    ASSERT_TRUE(readFlyingSiteFile(bytes.data(), bytes.size(), tbCheckCollisionObjectRecord, file, reason));
    file.waterMask.assign(5000, 0x5A);
    bytes = writeFlyingSiteFile(file);
    temp.write("badmask.tvq", std::string(bytes.begin(), bytes.end()));

    site = std::make_unique<tbProject_flyingsite>();
    ASSERT_TRUE(site->open(temp.file("badmask.tvq")));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("white water mask"), std::string::npos) << boxes[0];
    EXPECT_TRUE(maskIsWhite(*site));
    EXPECT_EQ(site->getCollisionObjects().size(), 5u);
    EXPECT_EQ(site->getPositions().size(), 2u);
    EXPECT_EQ(site->getWindSpeed(), 4.5f);
}

TEST_F(GlFlyingSite, AFailedSaveKeepsTheOldFile) {
    site = busySite();
    temp.write("kept.tvq", "the old site");
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 64 * 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = site->save(temp.file("kept.tvq"));
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(saved);
    EXPECT_EQ(temp.read("kept.tvq"), "the old site");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rfind("Error saving project / The project could not be saved to ", 0), 0u) << boxes[0];
    EXPECT_EQ(site->getFileName(), "New Project.tvq");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.path()), {}), 1);
}

TEST_F(GlFlyingSite, ADeletedObjectLeavesEveryListAndSelection) {
    site = busySite();
    ASSERT_TRUE(site->save(temp.file("busy.tvq")));
    site = std::make_unique<tbProject_flyingsite>();
    ASSERT_TRUE(site->open(temp.file("busy.tvq")));
    tbCollisionObject* wind = nullptr;
    for (const auto& o : site->getCollisionObjects())
        if (o->isWindArea()) wind = o.get();
    ASSERT_NE(wind, nullptr);
    bars.selectedObject = wind;
    wind->activate();
    ASSERT_EQ(manipulatorContainer::current()->selected, wind->getManipulator());

    site->deleteCollisionObject(wind);
    EXPECT_EQ(std::count(bars.collision.begin(), bars.collision.end(), wind), 0);
    EXPECT_TRUE(bars.weather.empty());
    EXPECT_EQ(bars.selectedObject, nullptr);
    EXPECT_EQ(manipulatorContainer::current()->selected, nullptr);
    EXPECT_EQ(site->getCollisionObjects().size(), 4u);

    tbFlyingSitePosition* pad = site->getPositions().back().get();
    bars.selectedPosition = pad;
    site->deletePosition(pad);
    EXPECT_EQ(bars.positions.size(), 1u);
    EXPECT_EQ(bars.selectedPosition, nullptr);

    // Opening another site and closing this one empty the lists.
    ASSERT_TRUE(site->open(temp.file("busy.tvq")));
    EXPECT_EQ(bars.collision.size(), 5u);
    site.reset();
    EXPECT_TRUE(bars.collision.empty() && bars.weather.empty() && bars.positions.empty());
}

TEST_F(GlFlyingSite, AMaskThatCannotBeReadBackStopsTheSaveAndKeepsTheOldFile) {
    site = busySite();
    temp.write("kept.tvq", "the old site");
    // The mask's texture gone behind the site's back: its surface reads nothing.
    rig->device().Release(site->getWaterMaskTexture()->getTexture());
    EXPECT_FALSE(site->save(temp.file("kept.tvq")));
    EXPECT_EQ(temp.read("kept.tvq"), "the old site");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Error saving project / The water mask could not be read back; the project was not saved.");
}

TEST_F(GlFlyingSite, ImagesOfOneNameInTwoFoldersStayApart) {
    std::filesystem::create_directories(temp.file("A"));
    std::filesystem::create_directories(temp.file("B"));
    const auto red = imagesamples::bmp24(imagesamples::solid(16, 16, 0xFFFF0000));
    const auto blue = imagesamples::bmp24(imagesamples::solid(16, 16, 0xFF0000FF));
    temp.write("A/pano1.bmp", std::string(red.begin(), red.end()));
    temp.write("B/pano1.bmp", std::string(blue.begin(), blue.end()));
    site = newSite();
    site->setCubeImage(0, temp.file("A/pano1.bmp"));
    site->setCubeImage(1, temp.file("B/pano1.bmp"));
    site->setCubeImage(2, temp.file("A/pano1.bmp"));
    ASSERT_NE(site->getCubeTexture(0), nullptr);
    ASSERT_NE(site->getCubeTexture(1), nullptr);
    EXPECT_NE(site->getCubeTexture(0), site->getCubeTexture(1));
    EXPECT_EQ(site->getCubeTexture(0), site->getCubeTexture(2)) << "one path is loaded once";
    EXPECT_EQ(site->getCubeTexture(1)->getFilePath(), temp.file("B/pano1.bmp"));
    // A path that holds no picture leaves its slot empty, written as "[No image]".
    site->setCubeImage(3, temp.file("C/missing.png"));
    EXPECT_EQ(site->getCubeTexture(3), nullptr);
    EXPECT_EQ(site->getCubeImageName(3), temp.file("C/missing.png"));
    const std::string file = save(*site, "images.tvq");
    EXPECT_STREQ(file.c_str() + 809 + 3 * 256, "[No image]");
    EXPECT_EQ(file.substr(809 + 256, temp.file("B/pano1.bmp").size()), temp.file("B/pano1.bmp"));
}

TEST_F(GlFlyingSite, ThePaintedMaskAndTheCubeMapSurviveALostDevice) {
    site = busySite();
    const d3dx::Bitmap painted = mask(*site);
    rig->device().SimulateDeviceLoss();
    rig->graphics().renderFrameDefault();
    rig->graphics().renderFrameDefault();
    ASSERT_TRUE(rig->state().isValid());
    ASSERT_TRUE(site->getWaterMaskSurface());
    EXPECT_TRUE(mask(*site).pixels == painted.pixels);
    EXPECT_NE(site->getReflectionCubemap(), gfx::TextureHandle{});
    // And it still saves.
    EXPECT_TRUE(site->save(temp.file("after.tvq")));
}
