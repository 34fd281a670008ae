// Device loss on the recording device: the hook order, the lost-device frame
// step, the window's device update, and objects that hold the user's work.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/graphics/simDeviceDependantObject.h"
#include "engine/graphics/simRendererState.h"
#include "platform/gfx/device.h"
#include "tests/engine/graphics/userWorkTexture.h"
#include "tests/support/recordingGraphics.h"

using namespace gfx;
using graphicstest::UserWorkTexture;
using testsupport::RecordingGraphics;

namespace {

// Writes every hook it receives into a shared journal.
class HookJournal : public simDeviceDependantObject {
public:
    HookJournal(std::vector<std::string>& journal, std::string name, bool unregistered = false)
        : simDeviceDependantObject(unregistered), m_journal(journal), m_name(std::move(name)) {}
    void onDeviceRelease() override { note("release"); }
    void onDeviceReset() override { note("reset"); }
    void onDeviceResetEnd() override { note("resetEnd"); }
    void onDeviceRestoreBegin() override { note("restoreBegin"); }
    void onDeviceRestore() override { note("restore"); }
    void onDeviceRecreate() override { note("recreate"); }

private:
    void note(const char* hook) { m_journal.push_back(m_name + "." + hook); }
    std::vector<std::string>& m_journal;
    std::string m_name;
};

size_t occurrences(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

class DeviceLoss : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(rig.complete()); }
    // One frame of the engine: the graphics system's default frame.
    void frame() { rig.graphics().renderFrameDefault(); }

    RecordingGraphics rig;
    std::vector<std::string> journal;
};

TEST_F(DeviceLoss, EachObjectSeesTheSixHooksInOrderAndTheLogSaysSo) {
    HookJournal a(journal, "a"), b(journal, "b");
    rig.device().SimulateDeviceLoss();
    frame();  // Present reports the loss
    EXPECT_FALSE(rig.state().isValid());
    rig.engine.clearLog();
    rig.recorder->clear();
    frame();  // recovers, then draws
    EXPECT_TRUE(rig.state().isValid());
    EXPECT_FALSE(rig.renderer().areResourcesReleased());
    const std::vector<std::string> expected = {"a.release", "b.release", "a.reset", "b.reset",
                                               "a.resetEnd", "b.resetEnd", "a.restoreBegin", "b.restoreBegin",
                                               "a.restore", "b.restore", "a.recreate", "b.recreate"};
    EXPECT_EQ(journal, expected);
    EXPECT_EQ(rig.engine.log().substr(0, 180),
              std::string("Handling lost device:\n  Resetting resources...  done\n  Changing display mode...  done\n"
                          "  Restoring resources...simGraphics::onCamerasChanged>>>>>>>>>>>>\n  done\n"
                          "Lost device handled\n")
                  .substr(0, 180));
    EXPECT_EQ(rig.recorder->count("Reset"), 1u);
    EXPECT_EQ(rig.recorder->count("Present"), 1u);
}

TEST_F(DeviceLoss, FailingResetsReleaseOnceAndRetryEveryFrame) {
    HookJournal a(journal, "a");
    rig.device().SimulateDeviceLoss();
    frame();
    rig.recorder->failNext(Recorder::Failure::Reset, D3DERR_DEVICELOST, 2);
    rig.engine.clearLog();
    rig.recorder->clear();
    frame();
    frame();
    EXPECT_EQ(rig.recorder->count("Reset"), 2u);
    EXPECT_EQ(rig.recorder->count("Present"), 0u);  // both frames skipped
    EXPECT_EQ(occurrences(rig.engine.log(), "Resetting resources..."), 1u);
    EXPECT_EQ(occurrences(rig.engine.log(), "  Changing display mode...failed\n"), 2u);
    EXPECT_EQ(journal, (std::vector<std::string>{"a.release", "a.reset", "a.resetEnd"}));
    EXPECT_TRUE(rig.renderer().areResourcesReleased());
    EXPECT_FALSE(rig.state().isValid());
    frame();  // the Reset works now
    EXPECT_TRUE(rig.state().isValid());
    EXPECT_EQ(journal.size(), 6u);
    EXPECT_EQ(rig.recorder->count("Present"), 1u);
}

TEST_F(DeviceLoss, UnregisteredObjectsAreNeverCalledAndLeaveTheListAlone) {
    const size_t before = rig.renderer().deviceDependantObjectCount();
    {
        HookJournal loner(journal, "loner", true);
        EXPECT_EQ(rig.renderer().deviceDependantObjectCount(), before);
        rig.device().SimulateDeviceLoss();
        frame();
        frame();
        EXPECT_TRUE(journal.empty());
    }
    EXPECT_EQ(rig.renderer().deviceDependantObjectCount(), before);
    {
        HookJournal member(journal, "member");
        EXPECT_EQ(rig.renderer().deviceDependantObjectCount(), before + 1);
    }
    EXPECT_EQ(rig.renderer().deviceDependantObjectCount(), before);
}

TEST_F(DeviceLoss, AfterAResetEveryCachedStateIsOnTheDeviceAgain) {
    rig.state().setState(simRenderState_zFunction, D3DCMP_GREATER);
    rig.state().setState(simRenderState_fogColour, 0xFF405060u);
    rig.state().setState(simRenderState_backfaceCullMode, 2);
    rig.state().setFogRange(5.0f, 50.0f);
    const float plane[4] = {1, 0, 0, 3};
    rig.state().setState(simRenderState_clipPlane, plane);
    rig.renderer().setViewport(10, 10, 20, 20);
    rig.device().SimulateDeviceLoss();
    frame();
    frame();
    ASSERT_TRUE(rig.state().isValid());
    uint32_t value = 0;
    rig.device().GetRenderState(D3DRS_ZFUNC, &value);
    EXPECT_EQ(value, uint32_t{D3DCMP_GREATER});
    rig.device().GetRenderState(D3DRS_FOGCOLOR, &value);
    EXPECT_EQ(value, 0xFF405060u);
    rig.device().GetRenderState(D3DRS_CULLMODE, &value);
    EXPECT_EQ(value, uint32_t{D3DCULL_CCW});
    rig.device().GetRenderState(D3DRS_FOGSTART, &value);
    EXPECT_EQ(stateFloat(value), 5.0f);
    rig.device().GetRenderState(D3DRS_FOGEND, &value);
    EXPECT_EQ(stateFloat(value), 50.0f);
    EXPECT_EQ(rig.device().state().clipPlane0[3], 3.0f);
    D3DVIEWPORT9 viewport;
    rig.device().GetViewport(&viewport);
    EXPECT_EQ(viewport.Width, 800u);
    EXPECT_EQ(viewport.Height, 600u);
}

TEST_F(DeviceLoss, TheUsersWorkComesBackUnchanged) {
    UserWorkTexture work(64, 32);
    ASSERT_TRUE(work.valid());
    work.paint(0x12345678u);
    const std::vector<uint32_t> before = work.read();
    rig.device().SimulateDeviceLoss();
    frame();
    frame();
    ASSERT_TRUE(rig.state().isValid()) << rig.engine.log();
    ASSERT_TRUE(work.valid());
    EXPECT_EQ(work.read(), before);
    EXPECT_EQ(work.releases, 1);
    EXPECT_EQ(work.restores, 1);
}

TEST_F(DeviceLoss, AnObjectThatKeepsItsResourceBlocksTheReset) {
    // A default-pool resource alive at Reset makes it fail, as on Direct3D:
    // the protocol goes on retrying each frame, never drawing.
    TextureHandle leaked;
    ASSERT_EQ(rig.device().CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &leaked), D3D_OK);
    rig.device().SimulateDeviceLoss();
    frame();
    frame();
    EXPECT_FALSE(rig.state().isValid());
    rig.device().Release(leaked);
    frame();
    EXPECT_TRUE(rig.state().isValid());
}

TEST_F(DeviceLoss, AntialiasingChangeUpdatesTheDeviceThroughTheProtocol) {
    HookJournal a(journal, "a");
    UserWorkTexture work(8, 8);
    work.paint(0xFF00FF00u);
    rig.window().setAntialiasing(true);
    rig.engine.clearLog();
    rig.recorder->clear();
    rig.window().applyChanges();
    EXPECT_EQ(rig.recorder->count("Reset"), 1u);
    EXPECT_EQ(journal.size(), 6u);
    EXPECT_TRUE(rig.state().isValid());
    const std::string log = rig.engine.log();
    EXPECT_NE(log.find("Altering window...Updating rendering device:\n  Resetting resources...  done\n"
                       "  800x600 @ 60Hz\n  windowed mode\n  Vsync: Off\n  Antialiasing: On\n"
                       "  Restoring resources..."),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("Rendering device updated\ndone\n"), std::string::npos) << log;
    EXPECT_EQ(rig.device().state().renderStates[D3DRS_MULTISAMPLEANTIALIAS], 1u);
    EXPECT_EQ(work.read(), std::vector<uint32_t>(64, 0xFF00FF00u));
}

TEST_F(DeviceLoss, VsyncAndResizeUpdateTheDeviceToo) {
    rig.window().setVsync(true);
    d3dx::Vector2 size(640, 480);
    rig.window().setWindowSize(size);
    rig.recorder->clear();
    rig.window().applyChanges();
    EXPECT_EQ(rig.recorder->count("Reset"), 1u);  // one update for both changes
    D3DSURFACE_DESC desc;
    rig.device().GetDesc(rig.renderer().getBackBuffer(), &desc);
    EXPECT_EQ(desc.Width, 640u);
    EXPECT_EQ(desc.Height, 480u);
}

TEST_F(DeviceLoss, AFailedUpdateIsRetriedByTheNextFrameWithoutReleasingAgain) {
    HookJournal a(journal, "a");
    rig.window().setAntialiasing(true);
    rig.recorder->failNext(Recorder::Failure::Reset, D3DERR_NOTAVAILABLE);
    rig.engine.clearLog();
    rig.window().applyChanges();
    EXPECT_NE(rig.engine.log().find("  Resolution change failed\n"), std::string::npos);
    EXPECT_FALSE(rig.state().isValid());
    EXPECT_EQ(journal.size(), 3u);
    rig.engine.clearLog();
    frame();
    EXPECT_TRUE(rig.state().isValid());
    EXPECT_EQ(journal.size(), 6u);
    EXPECT_EQ(rig.engine.log().find("Resetting resources"), std::string::npos);
}

TEST_F(DeviceLoss, AMinimisedWindowNeverTriesToRecover) {
    rig.device().SimulateDeviceLoss();
    frame();
    rig.window().setWindowState(0);
    rig.recorder->clear();
    frame();
    EXPECT_EQ(rig.recorder->calls().size(), 0u) << rig.recorder->text();
    EXPECT_FALSE(rig.state().isValid());
}

}  // namespace
