// Images: frames by property keys and resource names, the flip-book timing
// on the test clock, the spin by the clock, the plain rectangle without a
// frame, the render hook, and the focus delay after creation.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/core/simResources.h"
#include "engine/gui/simGuiImage.h"
#include "tests/engine/gui/guiTestBench.h"

using guitest::DrawCall;

namespace {

class GuiImageTest : public ::testing::Test {
protected:
    // Textures by name need the resource registry; it deletes them at the end.
    GuiImageTest() {
        new simResources();
        for (const char* name : {"one.png", "two.png", "three.png"})
            textures.push_back(new simTexture(nullptr, name, 8, 8, gfx::D3DFMT_A8R8G8B8, false, true, true));
    }
    ~GuiImageTest() override { delete g_resources; }
    simTexture* texture(int i) { return textures[static_cast<size_t>(i)]; }
    simGuiImage* image() { return bench.find<simGuiImage>("img"); }
    // The one quad or rectangle the image drew.
    DrawCall drawn() {
        for (const DrawCall& call : bench.render())
            if (call.kind == DrawCall::Kind::quad || call.kind == DrawCall::Kind::rect) return call;
        ADD_FAILURE() << "nothing drawn";
        return {};
    }

    guitest::GuiBench bench;
    std::vector<simTexture*> textures;
};

}  // namespace

TEST_F(GuiImageTest, FramesByNameAndAPlainRectangleWithoutOne) {
    bench.lua("createGuiImage('img', 10, 20, 64, 32, 'missing.png')");
    EXPECT_TRUE(image()->getFrames().empty());
    DrawCall call = drawn();
    EXPECT_EQ(call.kind, DrawCall::Kind::rect);
    EXPECT_EQ(call.colour, 0xFFFFFFFFu);

    bench.lua("gui_setAttribute('img', 'image', 'two.png')");  // no frames yet: added
    bench.lua("gui_setAttribute('img', 'image', 'one.png')");  // replaces the first
    bench.lua("gui_setAttribute('img', 'addFrame', 'two.png') gui_setAttribute('img', 'addFrame', 'one.png')");
    EXPECT_EQ(image()->getFrames(), (std::vector<simTexture*>{texture(0), texture(1), texture(0)}));
    image()->replaceTexture(texture(0), texture(2));
    EXPECT_EQ(image()->getFrames(), (std::vector<simTexture*>{texture(2), texture(1), texture(2)}));
    image()->setFrame(3, texture(0));
    EXPECT_EQ(image()->getFrames().size(), 3u);

    call = drawn();
    EXPECT_EQ(call.kind, DrawCall::Kind::quad);
    EXPECT_EQ(call.texture, texture(2));
    EXPECT_EQ(call.corners[2].x, 74);
    EXPECT_EQ(call.corners[2].y, 52);
    // Linear filtering around the picture, point again after it.
    const std::vector<DrawCall> filters = bench.canvas.of(DrawCall::Kind::filtering);
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_TRUE(filters[0].centred);
    EXPECT_FALSE(filters[1].centred);
}

TEST_F(GuiImageTest, FlipBookAdvancesOneFramePerIntervalAndWraps) {
    bench.lua("createGuiImage('img', 0, 0, 8, 8, 'one.png')"
              "gui_setAttribute('img', 'addFrame', 'two.png') gui_setAttribute('img', 'addFrame', 'three.png')");
    bench.update();
    const int expected[] = {0, 0, 1, 1, 2, 2, 0};
    for (const int frame : expected) {
        EXPECT_EQ(image()->getFrameIndex(), frame);
        bench.advance(500.0);
    }
    bench.lua("gui_setAttribute('img', 'frameInterval', '250.7')");
    EXPECT_EQ(image()->getFrameInterval(), 250);
    bench.lua("gui_setAttribute('img', 'frameInterval', '1e30')");
    EXPECT_EQ(image()->getFrameInterval(), 2147483647);
    bench.lua("gui_setAttribute('img', 'frameInterval', '0')");
    const int index = image()->getFrameIndex();
    bench.update();  // one frame per update, even with no time passing
    EXPECT_EQ(image()->getFrameIndex(), (index + 1) % 3);
}

TEST_F(GuiImageTest, SpinFollowsTheClock) {
    bench.lua("createGuiImage('img', 0, 0, 100, 100, 'one.png') gui_setAttribute('img', 'rotateRate', '90')");
    bench.clock.set(1000.0);  // one second: a quarter turn
    DrawCall call = drawn();
    // A quarter turn about (50, 50) takes the top-left corner to the top-right.
    EXPECT_NEAR(call.corners[0].x, 100.0, 0.05);
    EXPECT_NEAR(call.corners[0].y, 0.0, 0.05);
    bench.lua("gui_setAttribute('img', 'rotateRate', '-90')");
    call = drawn();
    EXPECT_NEAR(call.corners[0].x, 0.0, 0.05);
    EXPECT_NEAR(call.corners[0].y, 100.0, 0.05);
}

TEST_F(GuiImageTest, RenderHookRunsEachDrawAndAFailingOneIsLoggedNotFatal) {
    bench.recordCalls();
    bench.lua("createGuiImage('img', 0, 0, 8, 8, '') gui_setAttribute('img', 'onRenderFunction', 'record')");
    bench.render();
    bench.render();
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"img", "img"}));

    bench.lua("function broken(name) error('no ' .. name) end gui_setAttribute('img', 'onRenderFunction', 'broken')");
    const int top = bench.luaStackTop();
    bench.rig.engine.clearLog();
    bench.render();
    EXPECT_NE(bench.rig.engine.log().find("ERROR: simGuiElement:img: [string"), std::string::npos)
        << bench.rig.engine.log();
    EXPECT_NE(bench.rig.engine.log().find("no img"), std::string::npos);
    EXPECT_EQ(bench.luaStackTop(), top);

    // A global that is no function is run as script text, and leaves nothing on the stack.
    bench.lua("notAFunction = 5 gui_setAttribute('img', 'onRenderFunction', 'record(\"as text\")')");
    bench.render();
    EXPECT_EQ(bench.takeCalls(), (std::vector<std::string>{"as text"}));
    EXPECT_EQ(bench.luaStackTop(), top);
}

TEST_F(GuiImageTest, ClicksInItsFirstQuarterSecondGiveNoFocus) {
    bench.lua("createGuiImage('img', 10, 10, 50, 50, '')");
    bench.click(30, 30);
    EXPECT_EQ(bench.manager->focusElement, nullptr);
    bench.clock.advance(250.0);
    bench.click(30, 30);
    EXPECT_EQ(bench.manager->focusElement, image());
}
