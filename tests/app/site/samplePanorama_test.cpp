// The sample panorama that ships with the program: six cube faces named as
// the panorama bar's "Auto" rule finds them and one spherical image, all
// readable by the image loader at 2048 x 2048, and faces that meet without a
// seam when the site draws them as its sky box.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/d3dx/d3dxImage.h"
#include "platform/d3dx/d3dxImageFilter.h"

namespace {

const std::string kFolder = std::string(TOLVANE_SOURCE_DIR) + "/resources/environments/flyingField/";
constexpr uint32_t kSize = 2048;

struct Point {
    double x, y, z;
};
Point add(Point a, Point b, double s) { return {a.x + b.x * s, a.y + b.y * s, a.z + b.z * s}; }
Point sub(Point a, Point b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double dot(Point a, Point b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The sky box's faces by slot (-X, +X, -Y, +Y, -Z, +Z): the digit "Auto"
// gives the slot's file, and the unit-cube corners where the picture's
// top-left, top-right and bottom-left corners are drawn.
struct Face {
    int digit;
    Point topLeft, topRight, bottomLeft;
};
const std::array<Face, 6> kFaces{{
    {3, {-0.5, 0.5, 0.5}, {-0.5, 0.5, -0.5}, {-0.5, -0.5, 0.5}},
    {1, {0.5, 0.5, -0.5}, {0.5, 0.5, 0.5}, {0.5, -0.5, -0.5}},
    {6, {0.5, -0.5, -0.5}, {0.5, -0.5, 0.5}, {-0.5, -0.5, -0.5}},
    {5, {-0.5, 0.5, -0.5}, {-0.5, 0.5, 0.5}, {0.5, 0.5, -0.5}},
    {4, {-0.5, 0.5, -0.5}, {0.5, 0.5, -0.5}, {-0.5, -0.5, -0.5}},
    {2, {0.5, 0.5, 0.5}, {-0.5, 0.5, 0.5}, {0.5, -0.5, 0.5}},
}};

d3dx::Bitmap load(const std::string& name) {
    d3dx::ImageLoadDesc desc;
    desc.mipLevels = 1;
    desc.format = d3dx::Format::X8R8G8B8;
    d3dx::Image image;
    d3dx::ImageInfo info;
    const d3dx::ImageResult result = d3dx::LoadImageFromFile(kFolder + name, desc, &image, &info);
    EXPECT_TRUE(result.ok()) << name << ": " << result.reason;
    EXPECT_EQ(info.imageFileFormat, d3dx::ImageFileFormat::Jpg) << name;
    d3dx::Bitmap bitmap(image.width, image.height);
    if (result.ok()) std::memcpy(bitmap.pixels.data(), image.surfaces[0].bytes.data(), bitmap.pixels.size() * 4);
    return bitmap;
}

// The slot and pixel where a point of the cube's surface is drawn.
struct Texel {
    int slot;
    uint32_t x, y;
};
Texel texelOf(Point p) {
    const double ax = std::fabs(p.x), ay = std::fabs(p.y), az = std::fabs(p.z);
    const double m = std::fmax(ax, std::fmax(ay, az));
    p = {p.x * 0.5 / m, p.y * 0.5 / m, p.z * 0.5 / m};
    const int slot = ax >= ay && ax >= az ? (p.x < 0 ? 0 : 1) : ay >= az ? (p.y < 0 ? 2 : 3) : (p.z < 0 ? 4 : 5);
    const Face& f = kFaces[slot];
    const Point across = sub(f.topRight, f.topLeft), down = sub(f.bottomLeft, f.topLeft);
    const double u = dot(sub(p, f.topLeft), across), v = dot(sub(p, f.topLeft), down);
    auto pixel = [](double t) { return static_cast<uint32_t>(std::fmin(std::fmax(t * kSize, 0.0), kSize - 1.0)); };
    return {slot, pixel(u), pixel(v)};
}

int channelDifference(uint32_t a, uint32_t b) {
    int sum = 0;
    for (int shift = 0; shift < 24; shift += 8) sum += std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
    return sum;
}

TEST(SamplePanorama, FacesAndSphereLoadAtFullSize) {
    for (const Face& face : kFaces) {
        const d3dx::Bitmap bitmap = load("flyingField" + std::to_string(face.digit) + ".jpg");
        EXPECT_EQ(bitmap.width, kSize);
        EXPECT_EQ(bitmap.height, kSize);
    }
    const d3dx::Bitmap sphere = load("flyingFieldSphere.jpg");
    EXPECT_EQ(sphere.width, kSize);
    EXPECT_EQ(sphere.height, kSize);
}

// Every pixel along every edge of every face is compared with the pixel just
// across the edge on the neighbouring face. Across a seam they differ no more
// than neighbouring pixels inside a face do; a face turned or mirrored puts
// sky beside grass and fails by far.
TEST(SamplePanorama, FacesMeetWithoutSeamsAsTheSkyBoxDrawsThem) {
    std::array<d3dx::Bitmap, 6> faces;
    for (int slot = 0; slot < 6; ++slot)
        faces[slot] = load("flyingField" + std::to_string(kFaces[slot].digit) + ".jpg");
    ASSERT_FALSE(HasFailure());
    for (int slot = 0; slot < 6; ++slot) {
        const Face& f = kFaces[slot];
        const Point across = sub(f.topRight, f.topLeft), down = sub(f.bottomLeft, f.topLeft);
        // Per edge: where it starts, the direction along it and the step out of the face.
        const struct {
            double u, v, du, dv, outU, outV;
        } edges[4] = {{0, 0, 1, 0, 0, -1}, {0, 1, 1, 0, 0, 1}, {0, 0, 0, 1, -1, 0}, {1, 0, 0, 1, 1, 0}};
        for (const auto& edge : edges) {
            long seam = 0, inside = 0;
            int samples = 0;
            for (uint32_t i = 8; i + 8 < kSize; i += 7) {
                // The pixel centre on the edge, one pixel inside it and one beyond.
                const double t = (i + 0.5) / kSize, half = 0.5 / kSize;
                const double uu = edge.du ? t : (edge.u ? 1 - half : half);
                const double vv = edge.dv ? t : (edge.v ? 1 - half : half);
                const Texel here = texelOf(add(add(f.topLeft, across, uu), down, vv));
                const Texel inner = texelOf(add(add(f.topLeft, across, uu - edge.outU * 2 * half), down,
                                                vv - edge.outV * 2 * half));
                const Texel beyond = texelOf(add(add(f.topLeft, across, uu + edge.outU * 2 * half), down,
                                                 vv + edge.outV * 2 * half));
                ASSERT_EQ(here.slot, slot);
                ASSERT_NE(beyond.slot, slot);
                const uint32_t c = faces[slot].at(here.x, here.y);
                seam += channelDifference(c, faces[beyond.slot].at(beyond.x, beyond.y));
                inside += channelDifference(c, faces[slot].at(inner.x, inner.y));
                ++samples;
            }
            EXPECT_LT(double(seam) / samples, 2.0 * double(inside) / samples + 6.0)
                << "slot " << slot << " edge (" << edge.u << ", " << edge.v << ")";
        }
    }
}

}  // namespace
