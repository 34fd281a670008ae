// Texture references: every reference to a texture, copies and assignments
// included, reads null once the texture is destroyed; references that go
// first leave the others intact.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/graphics/simTexture.h"
#include "engine/graphics/simTextureRef.h"
#include "tests/support/recordingGraphics.h"

namespace {

std::unique_ptr<simTexture> makeTexture(const char* name) {
    return std::make_unique<simTexture>(nullptr, name, 8, 8, gfx::D3DFMT_A8R8G8B8, false, true, true);
}

}  // namespace

TEST(SimTextureRef, EveryReferenceForgetsADestroyedTexture) {
    testsupport::RecordingGraphics rig;
    auto first = makeTexture("first.png");
    auto second = makeTexture("second.png");

    simTextureRef plain(first.get());
    std::vector<simTextureRef> copies(5, plain);  // copied into the vector, then moved as it grows
    copies.push_back(plain);
    copies.reserve(64);
    simTextureRef assigned;
    assigned = copies.back();
    simTextureRef moved = second.get();
    moved = first.get();  // leaves the second texture's list
    {
        simTextureRef shortLived(first.get());  // goes before the texture
        EXPECT_EQ(shortLived.get(), first.get());
    }
    copies.erase(copies.begin() + 2);  // one from the middle of the list
    simTextureRef onSecond = second.get();

    first.reset();
    EXPECT_EQ(plain.get(), nullptr);
    EXPECT_EQ(assigned.get(), nullptr);
    EXPECT_EQ(moved.get(), nullptr);
    for (const simTextureRef& copy : copies) EXPECT_EQ(copy.get(), nullptr);
    EXPECT_EQ(onSecond.get(), second.get()) << "another texture's references are untouched";

    // A forgotten reference takes a texture again.
    plain = second.get();
    second.reset();
    EXPECT_EQ(plain.get(), nullptr);
    EXPECT_EQ(onSecond.get(), nullptr);
}
