// Indexed drawing on the OpenGL device: the same triangles drawn by index
// give the same pixels as drawn vertex by vertex, with either index size and
// a base vertex; flat shading takes each triangle's first corner's colour.
#include "tests/platform/gfx/glDeviceFixture.h"

namespace gfx::gltest {
namespace {

class GlIndexedDrawTest : public GlDeviceTest {
protected:
    void TearDown() override {
        if (device && ib) device->Release(ib);
        GlDeviceTest::TearDown();
    }

    // Fills the vertex buffer with `vertices` from vertex `at` on.
    void fill(const std::vector<ScreenVertex>& vertices, std::uint32_t at = 0) {
        void* p = nullptr;
        ASSERT_EQ(device->Lock(vb, at * 28, std::uint32_t(vertices.size() * 28), &p, 0), D3D_OK);
        std::memcpy(p, vertices.data(), vertices.size() * 28);
        device->Unlock(vb);
        device->SetFVF(kFvfScreenVertex);
        device->SetStreamSource(0, vb, 0, 28);
    }

    template <class Index>
    void drawIndexed(const std::vector<Index>& indices, std::int32_t base, std::uint32_t vertices) {
        if (ib) device->Release(ib);
        const D3DFORMAT format = sizeof(Index) == 2 ? D3DFMT_INDEX16 : D3DFMT_INDEX32;
        ASSERT_EQ(device->CreateIndexBuffer(std::uint32_t(indices.size() * sizeof(Index)), 0, format, D3DPOOL_MANAGED,
                                            &ib),
                  D3D_OK);
        void* p = nullptr;
        ASSERT_EQ(device->Lock(ib, 0, 0, &p, 0), D3D_OK);
        std::memcpy(p, indices.data(), indices.size() * sizeof(Index));
        device->Unlock(ib);
        ASSERT_EQ(device->SetIndices(ib), D3D_OK);
        ASSERT_EQ(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, base, 0, vertices, 0,
                                               std::uint32_t(indices.size() / 3)),
                  D3D_OK);
    }

    IndexBufferHandle ib;
};

// Corners of a quad from (2, 3) to (13, 11), each its own colour.
const std::vector<ScreenVertex> kCorners = {{1.5f, 2.5f, 0.1f, 1, kRed, 0, 0},
                                            {12.5f, 2.5f, 0.1f, 1, kGreen, 1, 0},
                                            {12.5f, 10.5f, 0.1f, 1, kBlue, 1, 1},
                                            {1.5f, 10.5f, 0.1f, 1, 0xFFFFFFFF, 0, 1}};

std::vector<ScreenVertex> unshared(const std::vector<std::uint32_t>& order) {
    std::vector<ScreenVertex> out;
    for (std::uint32_t i : order) out.push_back(kCorners[i]);
    return out;
}

TEST_F(GlIndexedDrawTest, AnIndexedQuadDrawsTheSamePixelsAsTheUnindexedOne) {
    const std::vector<std::uint32_t> order = {0, 1, 2, 0, 2, 3};
    for (const D3DSHADEMODE shade : {D3DSHADE_GOURAUD, D3DSHADE_FLAT}) {
        SCOPED_TRACE(shade == D3DSHADE_FLAT ? "flat" : "gouraud");
        device->SetRenderState(D3DRS_SHADEMODE, shade);
        clear(kBlack);
        draw<ScreenVertex>(D3DPT_TRIANGLELIST, unshared(order), 2);
        const std::vector<D3DCOLOR> expected = pixels();
        ASSERT_NE(expected[5 * kSize + 5], kBlack);

        clear(kBlack);
        fill(kCorners);
        drawIndexed(std::vector<std::uint16_t>(order.begin(), order.end()), 0, 4);
        EXPECT_EQ(pixels(), expected) << "16-bit indices";

        // The corners further into the buffer, reached through the base vertex.
        clear(kBlack);
        fill(kCorners, 5);
        drawIndexed(order, 5, 4);
        EXPECT_EQ(pixels(), expected) << "32-bit indices from base vertex 5";
    }
}

TEST_F(GlIndexedDrawTest, FlatShadingColoursEachTriangleByItsFirstCorner) {
    device->SetRenderState(D3DRS_SHADEMODE, D3DSHADE_FLAT);
    clear(kBlack);
    fill(kCorners);
    // The first triangle starts at the red corner, the second at the blue.
    drawIndexed(std::vector<std::uint16_t>{0, 1, 2, 2, 3, 0}, 0, 4);
    EXPECT_EQ(pixel(10, 4), kRed);
    EXPECT_EQ(pixel(3, 9), kBlue);
}

}  // namespace
}  // namespace gfx::gltest
