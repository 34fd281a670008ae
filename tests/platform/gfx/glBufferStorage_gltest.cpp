// Vertex buffer storage on the OpenGL device: a discarding lock of a few
// vertices gives the buffer new storage only as long as the locked range, so
// a later lock further in without discard, and an indexed draw, must find
// the storage grown back to what they reach.
#include "tests/platform/gfx/glDeviceFixture.h"

namespace gfx::gltest {
namespace {

// A rectangle's two triangles in screen vertices, corners at x - 0.5, y - 0.5.
std::vector<ScreenVertex> rectangle(float x0, float y0, float x1, float y1, D3DCOLOR colour) {
    x0 -= 0.5f, y0 -= 0.5f, x1 -= 0.5f, y1 -= 0.5f;
    return {{x0, y0, 0.1f, 10, colour, 0, 0}, {x1, y0, 0.1f, 10, colour, 1, 0}, {x1, y1, 0.1f, 10, colour, 1, 1},
            {x0, y0, 0.1f, 10, colour, 0, 0}, {x1, y1, 0.1f, 10, colour, 1, 1}, {x0, y1, 0.1f, 10, colour, 0, 1}};
}

class GlBufferStorageTest : public GlDeviceTest {
protected:
    void SetUp() override {
        GlDeviceTest::SetUp();
        if (HasFatalFailure()) return;
        device->SetFVF(kFvfScreenVertex);
        device->SetStreamSource(0, vb, 0, sizeof(ScreenVertex));
        clear(kBlack);
    }
    void TearDown() override {
        if (device && ib) device->Release(ib);
        GlDeviceTest::TearDown();
    }

    // Writes `vertices` from vertex `at` on with the given lock flags.
    void write(const std::vector<ScreenVertex>& vertices, std::uint32_t at, std::uint32_t flags) {
        void* p = nullptr;
        const auto bytes = std::uint32_t(vertices.size() * sizeof(ScreenVertex));
        ASSERT_EQ(device->Lock(vb, at * std::uint32_t(sizeof(ScreenVertex)), bytes, &p, flags), D3D_OK);
        std::memcpy(p, vertices.data(), bytes);
        ASSERT_EQ(device->Unlock(vb), D3D_OK);
    }

    IndexBufferHandle ib;
};

// The immediate drawing pattern: a few vertices discarded in at the start,
// then more appended behind them without discard, each range drawn.
TEST_F(GlBufferStorageTest, VerticesAppendedAfterADiscardedFewAreDrawnWithThem) {
    write(rectangle(1, 1, 6, 6, kRed), 0, D3DLOCK_DISCARD);
    ASSERT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2), D3D_OK);
    write(rectangle(9, 9, 15, 15, kGreen), 6, D3DLOCK_NOOVERWRITE);
    ASSERT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 6, 2), D3D_OK);
    // Both ranges at once: the first survives the growth of the storage.
    clear(kBlack);
    ASSERT_EQ(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 4), D3D_OK);
    EXPECT_EQ(pixel(3, 3), kRed);
    EXPECT_EQ(pixel(12, 12), kGreen);
    EXPECT_EQ(pixel(12, 3), kBlack);
}

// Direct3D leaves what lies outside a discarded range undefined; this
// device keeps what was written there, and a draw that reaches past the
// discarded range, by vertex or by index, reads it instead of reading past
// the end of the shortened storage.
TEST_F(GlBufferStorageTest, DrawsPastADiscardedRangeReadTheVerticesWrittenThereBefore) {
    ASSERT_EQ(device->CreateIndexBuffer(6 * 2, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &ib), D3D_OK);
    void* p = nullptr;
    ASSERT_EQ(device->Lock(ib, 0, 0, &p, 0), D3D_OK);
    const std::uint16_t indices[6] = {0, 1, 2, 3, 4, 5};
    std::memcpy(p, indices, sizeof indices);
    ASSERT_EQ(device->Unlock(ib), D3D_OK);
    ASSERT_EQ(device->SetIndices(ib), D3D_OK);
    for (const bool indexed : {false, true}) {
        SCOPED_TRACE(indexed ? "indexed" : "by vertex");
        clear(kBlack);
        write(rectangle(9, 2, 15, 8, kBlue), 6, 0);
        write(rectangle(1, 1, 6, 6, kRed), 0, D3DLOCK_DISCARD);
        ASSERT_EQ(indexed ? device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 6, 0, 6, 0, 2)
                          : device->DrawPrimitive(D3DPT_TRIANGLELIST, 6, 2),
                  D3D_OK);
        EXPECT_EQ(pixel(12, 5), kBlue);
        EXPECT_EQ(pixel(3, 3), kBlack);
    }
}

}  // namespace
}  // namespace gfx::gltest
