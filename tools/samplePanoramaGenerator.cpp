// Writes the sample panorama of a flying field into a resources folder:
//   environments/flyingField/flyingField1.jpg ... flyingField6.jpg   six cube faces
//   environments/flyingField/flyingFieldSphere.jpg                   one spherical image
// Usage: samplePanoramaGenerator <resources folder> [size]. Size defaults to
// 2048; the output depends only on this program and the size, so running it
// again gives the same bytes.
//
// Every picture samples one function of the view direction (sky with clouds,
// a horizon of hills and trees, mown grass), so the six faces meet without a
// seam wherever the site draws them as a cube.
//
// The digit in each face's name is the number the panorama bar's "Auto" rule
// gives that face: 1 +X, 2 +Z, 3 -X, 4 -Z, 5 +Y, 6 -Y. The corners of each face
// are those of the site's sky box (the corner of the picture's top-left,
// top-right and bottom-left pixels on the unit cube), with y up and seen from
// inside. The spherical picture is longitude across (-Z in the middle, +X a
// quarter turn to its right, +Z at both edges) and latitude down (straight up
// along the top row).
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/d3dx/d3dxImage.h"
#include "platform/d3dx/d3dxImageThreads.h"

namespace {

struct Vec3 {
    double x, y, z;
};
Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator*(Vec3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }

struct Rgb {
    double r, g, b;
};
Rgb mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Rgb scale(Rgb c, double s) { return {c.r * s, c.g * s, c.b * s}; }

double clamp01(double v) { return std::fmin(std::fmax(v, 0.0), 1.0); }
double smooth(double edge0, double edge1, double v) {
    const double t = clamp01((v - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

// Value noise on an integer lattice, smoothly interpolated; a hash of the
// corner gives each lattice value, so nothing is stored.
double lattice(int64_t x, int64_t y, uint32_t seed) {
    uint64_t h = static_cast<uint64_t>(x) * 0x9E3779B97F4A7C15ull ^ static_cast<uint64_t>(y) * 0xC2B2AE3D27D4EB4Full ^
                 uint64_t{seed} * 0x165667B19E3779F9ull;
    h ^= h >> 31;
    h *= 0xD6E8FEB86659FD93ull;
    h ^= h >> 32;
    return static_cast<double>(h & 0xFFFFFF) / double{0xFFFFFF};
}

double noise(double x, double y, uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const auto ix = static_cast<int64_t>(fx), iy = static_cast<int64_t>(fy);
    const double tx = smooth(0.0, 1.0, x - fx), ty = smooth(0.0, 1.0, y - fy);
    const double a = lattice(ix, iy, seed), b = lattice(ix + 1, iy, seed);
    const double c = lattice(ix, iy + 1, seed), d = lattice(ix + 1, iy + 1, seed);
    return a + (b - a) * tx + (c - a) * ty + (a - b - c + d) * tx * ty;
}

// Fractal sum of octaves, 0..1.
double fbm(double x, double y, int octaves, uint32_t seed) {
    double sum = 0.0, amplitude = 0.5, total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += noise(x, y, seed + i) * amplitude;
        total += amplitude;
        x = x * 2.03 + 17.1;
        y = y * 2.03 - 9.7;
        amplitude *= 0.5;
    }
    return sum / total;
}

// Noise around the horizon: sampled on a circle, so it closes on itself.
double aroundHorizon(double azimuth, double radius, int octaves, uint32_t seed) {
    return fbm(std::cos(azimuth) * radius + 100.0, std::sin(azimuth) * radius + 100.0, octaves, seed);
}

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180.0;
constexpr double kEyeHeight = 1.7;  // metres above the grass
constexpr Rgb kHaze{0.78, 0.84, 0.88};

// Elevation (radians) of the hill line and of the tree tops above it.
double hillTop(double azimuth) { return (0.8 + 7.0 * smooth(0.25, 0.8, aroundHorizon(azimuth, 2.5, 4, 11))) * kDegree; }
double treeTop(double azimuth) {
    const double clumps = smooth(0.38, 0.52, aroundHorizon(azimuth, 8.0, 3, 23));
    const double crowns = aroundHorizon(azimuth, 260.0, 2, 29);
    return hillTop(azimuth) + clumps * (0.8 + 2.2 * crowns) * kDegree;
}

Rgb sky(const Vec3& d, double elevation) {
    const double up = std::sin(elevation);
    Rgb colour = mix(kHaze, Rgb{0.30, 0.50, 0.85}, std::pow(clamp01(up), 0.55));
    // A warm glow around the sun, high in the south-west.
    const Vec3 sun{-0.45, 0.62, -0.64};
    const double towards =
        (d.x * sun.x + d.y * sun.y + d.z * sun.z) / std::sqrt(sun.x * sun.x + sun.y * sun.y + sun.z * sun.z);
    colour = mix(colour, Rgb{1.0, 0.98, 0.9}, 0.35 * std::pow(clamp01(towards), 24.0));
    // Clouds on a plane 1000 m up: they thin out and flatten towards the horizon.
    if (d.y > 0.0) {
        const double reach = 1000.0 / d.y;
        const double cx = d.x * reach / 900.0, cz = d.z * reach / 900.0;
        const double density = smooth(0.48, 0.72, fbm(cx, cz, 6, 41));
        const double shade = 0.78 + 0.22 * fbm(cx * 1.7 + 3.0, cz * 1.7, 4, 53);
        const double fade = smooth(0.02, 0.25, up);
        colour = mix(colour, scale(Rgb{1.0, 1.0, 1.0}, shade), density * fade * 0.9);
    }
    return colour;
}

Rgb grass(const Vec3& d, double elevation) {
    // The point of the ground plane seen in this direction, in metres.
    const double reach = kEyeHeight / -d.y;
    const double gx = d.x * reach, gz = d.z * reach;
    // Mowing stripes 6 m wide across x, light and dark in turn, softened at
    // their edges, with patchy growth and fine blades on top.
    const double stripe = 0.5 + 0.5 * std::sin(gx * kPi / 6.0);
    const double stripeShade = 0.88 + 0.12 * smooth(0.3, 0.7, stripe);
    const double patches = 0.85 + 0.3 * fbm(gx / 25.0, gz / 25.0, 4, 67);
    const double blades = 0.92 + 0.16 * fbm(gx * 4.0, gz * 4.0, 2, 71);
    Rgb colour = scale(Rgb{0.30, 0.52, 0.18}, stripeShade * patches * blades);
    // Far grass fades into the haze; the blades blur out with distance.
    const double distance = std::hypot(gx, gz);
    return mix(colour, mix(Rgb{0.45, 0.58, 0.35}, kHaze, 0.35), smooth(40.0, 900.0, distance) * 0.8 +
                                                                      0.2 * smooth(-2.0 * kDegree, 0.0, elevation));
}

Rgb horizon(double azimuth, double elevation) {
    const double hill = hillTop(azimuth);
    if (elevation <= hill) {
        // Hills: blue-green with haze, woods and fields in patches.
        const double fields = fbm(std::cos(azimuth) * 30.0, std::sin(azimuth) * 30.0 + elevation / kDegree, 3, 83);
        const double woods = smooth(0.55, 0.6, fields);
        const Rgb land = mix(mix(Rgb{0.34, 0.50, 0.24}, Rgb{0.50, 0.56, 0.30}, fields), Rgb{0.16, 0.30, 0.14}, woods);
        return mix(land, kHaze, 0.2 + 0.25 * smooth(0.0, hill, elevation));
    }
    // Tree line: dark crowns, lit a little from above.
    const double top = treeTop(azimuth);
    const double lit = smooth(hill, top, elevation);
    const Rgb trees = mix(Rgb{0.12, 0.22, 0.11}, Rgb{0.22, 0.34, 0.17}, lit);
    return mix(trees, kHaze, 0.3);
}

// The colour seen in direction d (need not be normalised).
Rgb scene(Vec3 d) {
    const double length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    d = d * (1.0 / length);
    const double elevation = std::asin(d.y);
    const double azimuth = std::atan2(d.x, d.z);
    if (elevation < 0.0) return grass(d, elevation);
    if (elevation <= treeTop(azimuth)) return horizon(azimuth, elevation);
    return sky(d, elevation);
}

uint32_t pack(Rgb c) {
    auto channel = [](double v) { return static_cast<uint32_t>(std::lround(clamp01(v) * 255.0)); };
    return 0xFF000000u | channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b);
}

// Each pixel averages 3 x 3 directions spread over its area, which keeps the
// tree tops and the far stripes from flickering between neighbouring pixels.
template <typename Direction>
d3dx::Image render(uint32_t size, const Direction& direction) {
    d3dx::Image image;
    image.format = d3dx::Format::X8R8G8B8;
    image.width = image.height = size;
    image.mipLevels = 1;
    image.surfaces.resize(1);
    d3dx::ImageSurface& surface = image.surfaces[0];
    surface.width = surface.height = size;
    surface.bytes.assign(size_t{size} * size * 4, 0);
    d3dx::parallelFor(size, 8, 16, [&](size_t first, size_t last) {
        for (size_t y = first; y < last; ++y) {
            for (uint32_t x = 0; x < size; ++x) {
                Rgb sum{0, 0, 0};
                for (int sy = 0; sy < 3; ++sy)
                    for (int sx = 0; sx < 3; ++sx) {
                        const Rgb c = scene(direction((x + (sx + 0.5) / 3.0) / size, (y + (sy + 0.5) / 3.0) / size));
                        sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b};
                    }
                const uint32_t argb = pack(scale(sum, 1.0 / 9.0));
                uint8_t* p = &surface.bytes[(y * size + x) * 4];
                p[0] = argb & 0xFF, p[1] = (argb >> 8) & 0xFF, p[2] = (argb >> 16) & 0xFF, p[3] = 0xFF;
            }
        }
    });
    return image;
}

// One cube face: the name's digit and the corners of its top-left, top-right
// and bottom-left pixels on the unit cube.
struct Face {
    int digit;
    Vec3 topLeft, topRight, bottomLeft;
};
constexpr std::array<Face, 6> kFaces{{
    {3, {-0.5, 0.5, 0.5}, {-0.5, 0.5, -0.5}, {-0.5, -0.5, 0.5}},     // -X
    {1, {0.5, 0.5, -0.5}, {0.5, 0.5, 0.5}, {0.5, -0.5, -0.5}},       // +X
    {6, {0.5, -0.5, -0.5}, {0.5, -0.5, 0.5}, {-0.5, -0.5, -0.5}},    // -Y
    {5, {-0.5, 0.5, -0.5}, {-0.5, 0.5, 0.5}, {0.5, 0.5, -0.5}},      // +Y
    {4, {-0.5, 0.5, -0.5}, {0.5, 0.5, -0.5}, {-0.5, -0.5, -0.5}},    // -Z
    {2, {0.5, 0.5, 0.5}, {-0.5, 0.5, 0.5}, {0.5, -0.5, 0.5}},        // +Z
}};

bool save(const std::filesystem::path& path, const d3dx::Image& image) {
    std::filesystem::create_directories(path.parent_path());
    const d3dx::ImageResult result = d3dx::SaveImageToFile(path.string(), d3dx::ImageFileFormat::Jpg, image);
    if (!result.ok()) std::fprintf(stderr, "%s: %s\n", path.string().c_str(), result.reason.c_str());
    return result.ok();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: %s <resources folder> [size]\n", argv[0]);
        return 2;
    }
    const uint32_t size = argc == 3 ? static_cast<uint32_t>(std::stoul(argv[2])) : 2048;
    const std::filesystem::path folder = std::filesystem::path(argv[1]) / "environments" / "flyingField";
    bool ok = true;
    for (const Face& face : kFaces) {
        const d3dx::Image image = render(size, [&](double u, double v) {
            return face.topLeft + (face.topRight - face.topLeft) * u + (face.bottomLeft - face.topLeft) * v;
        });
        ok &= save(folder / ("flyingField" + std::to_string(face.digit) + ".jpg"), image);
    }
    const d3dx::Image sphere = render(size, [](double u, double v) {
        const double longitude = (u * 2.0 - 1.0) * kPi, latitude = (0.5 - v) * kPi;
        return Vec3{std::sin(longitude) * std::cos(latitude), std::sin(latitude),
                    -std::cos(longitude) * std::cos(latitude)};
    });
    ok &= save(folder / "flyingFieldSphere.jpg", sphere);
    return ok ? 0 : 1;
}
