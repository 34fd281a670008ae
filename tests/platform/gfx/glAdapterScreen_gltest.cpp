// The OpenGL adapter's desktop mode: the screen the program's view is on,
// or a large common screen when rendering has no screen at all.
#include <gtest/gtest.h>

#include <memory>

#include "platform/gfx/direct3d.h"
#include "platform/gfx/eglContext.h"

using namespace gfx;

namespace {

D3DDISPLAYMODE desktopOf(const Direct3D& d3d) {
    D3DDISPLAYMODE mode;
    EXPECT_EQ(d3d.GetAdapterDisplayMode(0, &mode), D3D_OK);
    return mode;
}

TEST(GlAdapterScreen, ReportsTheInstalledScreenElseTheHeadlessOne) {
    EglContext context;
    ASSERT_TRUE(context.valid()) << context.error();

    struct Case {
        const char* what;
        ScreenSource source;
        std::uint32_t width, height, refresh;
    } cases[] = {
        {"headless", nullptr, kHeadlessScreen.Width, kHeadlessScreen.Height, 60},
        // Larger than the old fixed 1920 x 1080, which cut such views down.
        {"a 5K display",
         [](D3DDISPLAYMODE* m) {
             *m = D3DDISPLAYMODE{5120, 2880, 144, D3DFMT_X8R8G8B8};
             return true;
         },
         5120, 2880, 144},
        {"a display that names no rate",
         [](D3DDISPLAYMODE* m) {
             *m = D3DDISPLAYMODE{2560, 1440, 0, D3DFMT_X8R8G8B8};
             return true;
         },
         2560, 1440, 60},
        {"a view that is gone", [](D3DDISPLAYMODE*) { return false; }, kHeadlessScreen.Width,
         kHeadlessScreen.Height, 60},
    };
    for (const Case& c : cases) {
        setScreenSource(c.source);
        std::unique_ptr<Direct3D> d3d = makeGlDirect3D();
        ASSERT_TRUE(d3d) << c.what;
        const D3DDISPLAYMODE mode = desktopOf(*d3d);
        EXPECT_EQ(mode.Width, c.width) << c.what;
        EXPECT_EQ(mode.Height, c.height) << c.what;
        EXPECT_EQ(mode.RefreshRate, c.refresh) << c.what;
        // The only mode listed is that screen's.
        ASSERT_EQ(d3d->GetAdapterModeCount(0, D3DFMT_X8R8G8B8), 1u) << c.what;
    }
    setScreenSource(nullptr);
}

}  // namespace
