// Textures that widgets draw but do not own: a script loads a texture into a
// collection of its own, gives it to a widget and destroys the collection.
// Once the deferred deletion has freed the texture, every widget that used
// it draws without it (no freed memory is read; ASan would stop here) and
// goes on working.
#include <gtest/gtest.h>

#include <cstdint>

#include "engine/core/simResources.h"
#include "engine/core/simSystemLinks.h"
#include "engine/graphics/simTexture.h"
#include "tests/engine/gui/guiTestBench.h"

using guitest::DrawCall;

namespace {

class GuiTextureLifetimeTest : public ::testing::Test {
protected:
    GuiTextureLifetimeTest() {
        simLinkResourceSystem(systemLinks());
        new simResources();
        bench.manager->fonts[2] = bench.font.get();  // the dialog-title font
    }
    ~GuiTextureLifetimeTest() override { delete g_resources; }

    // Whether any draw of the last render used the texture that had this address.
    bool drawnWith(uintptr_t texture) const {
        for (const DrawCall& call : bench.canvas.calls)
            if (reinterpret_cast<uintptr_t>(call.texture) == texture) return true;
        return false;
    }

    guitest::GuiBench bench;
};

}  // namespace

TEST_F(GuiTextureLifetimeTest, WidgetsDrawWithoutATextureWhoseCollectionWasDestroyed) {
    struct Case {
        const char* widget;
        const char* make;  // Lua that gives the widget named "w" the texture "icon.png"
    };
    const Case cases[] = {
        {"button", "createGuiButton('w', 10, 10, 100, 30, '', '') gui_setAttribute('w', 'image', 'icon.png')"},
        {"check box", "createGuiCheckBox('w', 10, 10, 100, 30, '', '') gui_setAttribute('w', 'image', 'icon.png')"},
        {"image", "createGuiImage('w', 10, 10, 64, 64, 'icon.png') gui_setAttribute('w', 'addFrame', 'icon.png')"},
        {"dialog icon", "createGuiDialogBox('w', 10, 10, 300, 200, 'Title', 'floating', 'icon.png')"},
    };
    for (const Case& c : cases) {
        bench.lua("setCollection('icons')");
        const auto texture = reinterpret_cast<uintptr_t>(
            new simTexture(nullptr, "icon.png", 16, 16, gfx::D3DFMT_A8R8G8B8, false, true, true));
        bench.lua("setCollection('') ");
        bench.lua(c.make);
        bench.render();
        EXPECT_TRUE(drawnWith(texture)) << c.widget;

        bench.lua("destroyCollection('icons')");
        bench.advance(simSafeDeleteObject::kDelayMs + 100.0);  // past the resources' delay: the texture goes
        ASSERT_EQ(simResources::getResource("icon.png", false), nullptr) << c.widget;
        bench.render();
        EXPECT_FALSE(drawnWith(texture)) << c.widget;
        bench.advance(16.0);  // the flip-book and the rest of the frame go on
        bench.render();
        bench.lua("destroyGuiElement('w')");
        bench.update();
    }
}
