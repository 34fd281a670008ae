// Writes the editor's own pictures into a resources folder:
//   tolvaneBuilder/brush.bmp                   the brush tool's picture
//   tolvaneBuilder/brushes/brush_0..100.bmp    round brushes by hardness (steps of 10)
//   tolvaneBuilder/textures/previewCubemap.dds the preview's sky, a DDS cube map
//   tolvaneBuilder/textures/arrow.bmp          the direction arrow
//   tolvaneBuilder/textures/{red,white,gray}_trans.bmp  translucent markers
//   tolvaneBuilder/folder.bmp                  the brush-shape picker's folder picture
//   tolvaneBuilder/decals/<set>/<decal>.bmp    decal brushes: roundels, stars,
//                                              stripes and numbers, white shapes
//                                              on a transparent ground
// Usage: editorPictureGenerator <resources folder>. The output depends only
// on this program, so running it again gives the same bytes.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/d3dx/d3dxImage.h"
#include "platform/d3dx/ddsFile.h"

namespace {

using d3dx::Image;

Image blank(uint32_t size, bool cube = false) {
    Image image;
    image.format = d3dx::Format::A8R8G8B8;
    image.width = image.height = size;
    image.mipLevels = 1;
    image.isCube = cube;
    image.surfaces.resize(image.faceCount());
    for (auto& surface : image.surfaces) {
        surface.width = surface.height = size;
        surface.bytes.assign(size_t{size} * size * 4, 0);
    }
    return image;
}

void put(d3dx::ImageSurface& surface, uint32_t x, uint32_t y, uint32_t argb) {
    uint8_t* p = &surface.bytes[(size_t{y} * surface.width + x) * 4];
    p[0] = argb & 0xFF, p[1] = (argb >> 8) & 0xFF, p[2] = (argb >> 16) & 0xFF, p[3] = argb >> 24;
}

uint32_t argb(double a, double r, double g, double b) {
    auto c = [](double v) { return static_cast<uint32_t>(std::lround(std::fmin(std::fmax(v, 0.0), 1.0) * 255.0)); };
    return c(a) << 24 | c(r) << 16 | c(g) << 8 | c(b);
}

bool save(const std::filesystem::path& path, const Image& image, d3dx::ImageFileFormat format) {
    std::filesystem::create_directories(path.parent_path());
    const d3dx::ImageResult result = d3dx::SaveImageToFile(path.string(), format, image);
    if (!result.ok()) std::fprintf(stderr, "%s: %s\n", path.string().c_str(), result.reason.c_str());
    return result.ok();
}

// White, its alpha falling from 1 at the hard core (hardness per cent of the
// radius) to 0 at the rim with a smooth step; hardness 100 is a sharp disc
// with one pixel of edge smoothing.
Image roundBrush(uint32_t size, double hardness) {
    Image image = blank(size);
    const double radius = size / 2.0;
    const double core = radius * hardness / 100.0;
    for (uint32_t y = 0; y < size; ++y) {
        for (uint32_t x = 0; x < size; ++x) {
            const double d = std::hypot(x + 0.5 - radius, y + 0.5 - radius);
            double alpha;
            if (d <= core) alpha = 1.0;
            else if (d >= radius) alpha = 0.0;
            else {
                const double t = (d - core) / std::fmax(radius - core, 1.0);
                alpha = 1.0 - t * t * (3.0 - 2.0 * t);
            }
            if (hardness >= 100.0) alpha = std::fmin(std::fmax(radius - d + 0.5, 0.0), 1.0);
            put(image.surfaces[0], x, y, argb(alpha, 1, 1, 1));
        }
    }
    return image;
}

// A sky over a grey ground, bright towards +y: the faces in DDS order
// +X, -X, +Y, -Y, +Z, -Z, each seen from the centre.
Image previewCubemap(uint32_t size) {
    Image image = blank(size, true);
    for (uint32_t face = 0; face < 6; ++face) {
        for (uint32_t y = 0; y < size; ++y) {
            for (uint32_t x = 0; x < size; ++x) {
                const double u = (x + 0.5) / size * 2.0 - 1.0, v = (y + 0.5) / size * 2.0 - 1.0;
                double dir[6][3] = {{1, -v, -u}, {-1, -v, u}, {u, 1, v}, {u, -1, -v}, {u, -v, 1}, {-u, -v, -1}};
                const double* d = dir[face];
                const double up = d[1] / std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
                uint32_t colour;
                if (up >= 0.0) colour = argb(1, 0.55 + 0.25 * (1 - up), 0.70 + 0.2 * (1 - up), 0.95);
                else colour = argb(1, 0.35 + 0.1 * up, 0.33 + 0.1 * up, 0.30 + 0.1 * up);
                put(image.surface(face, 0), x, y, colour);
            }
        }
    }
    return image;
}

// A white arrow pointing up on a transparent ground.
Image arrow(uint32_t size) {
    Image image = blank(size);
    const double half = size / 2.0;
    for (uint32_t y = 0; y < size; ++y) {
        for (uint32_t x = 0; x < size; ++x) {
            const double px = x + 0.5 - half, py = y + 0.5;
            const bool head = py < half && std::fabs(px) < py * 0.9;
            const bool shaft = py >= half && py < size - 2 && std::fabs(px) < size / 8.0;
            put(image.surfaces[0], x, y, head || shaft ? argb(1, 1, 1, 1) : 0u);
        }
    }
    return image;
}

Image marker(uint32_t size, uint32_t colour) {
    Image image = blank(size);
    for (uint32_t y = 0; y < size; ++y)
        for (uint32_t x = 0; x < size; ++x) put(image.surfaces[0], x, y, colour);
    return image;
}

// ---- Decals: white shapes whose alpha is the share of a pixel they cover
// (4 x 4 samples), drawn on a unit square, x right and y down.

using Shape = std::function<bool(double x, double y)>;

Image decal(uint32_t size, const Shape& inside) {
    Image image = blank(size);
    constexpr int kSamples = 4;
    for (uint32_t y = 0; y < size; ++y)
        for (uint32_t x = 0; x < size; ++x) {
            int covered = 0;
            for (int sy = 0; sy < kSamples; ++sy)
                for (int sx = 0; sx < kSamples; ++sx)
                    covered += inside((x + (sx + 0.5) / kSamples) / size, (y + (sy + 0.5) / kSamples) / size);
            put(image.surfaces[0], x, y, argb(double(covered) / (kSamples * kSamples), 1, 1, 1));
        }
    return image;
}

double fromCentre(double x, double y) { return std::hypot(x - 0.5, y - 0.5); }

// Rings between the radii pairs (inner, outer), in units of the square.
Shape rings(std::vector<std::pair<double, double>> bands) {
    return [bands](double x, double y) {
        const double d = fromCentre(x, y);
        for (const auto& [inner, outer] : bands)
            if (d >= inner && d <= outer) return true;
        return false;
    };
}

// Even-odd test against a closed polygon.
bool inPolygon(const std::vector<std::pair<double, double>>& points, double x, double y) {
    bool in = false;
    for (size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
        const auto [xi, yi] = points[i];
        const auto [xj, yj] = points[j];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
    }
    return in;
}

// A star of `points` points, its tips on the circle of radius 0.47, its
// inner corners at `innerShare` of that, one tip straight up.
Shape star(int points, double innerShare) {
    std::vector<std::pair<double, double>> outline;
    for (int i = 0; i < points * 2; ++i) {
        const double r = (i % 2 ? innerShare : 1.0) * 0.47;
        const double a = M_PI * i / points - M_PI / 2;
        outline.emplace_back(0.5 + r * std::cos(a), 0.5 + r * std::sin(a));
    }
    return [outline](double x, double y) { return inPolygon(outline, x, y); };
}

Shape polygon(std::vector<std::pair<double, double>> outline) {
    return [outline](double x, double y) { return inPolygon(outline, x, y); };
}

// A digit of seven segments in the box from (0.25, 0.1) to (0.75, 0.9):
// segments a (top), b (top right), c (bottom right), d (bottom), e (bottom
// left), f (top left), g (middle), as a seven-segment display lights them.
Shape digit(int value) {
    static constexpr std::array<uint8_t, 10> kLit = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
    const uint8_t lit = kLit[size_t(value)];
    return [lit](double x, double y) {
        constexpr double left = 0.25, right = 0.75, top = 0.1, bottom = 0.9, middle = 0.5, t = 0.09;
        auto box = [&](double x0, double y0, double x1, double y1) { return x >= x0 && x <= x1 && y >= y0 && y <= y1; };
        const bool segment[7] = {
            box(left, top, right, top + t),                       // a
            box(right - t, top, right, middle + t / 2),           // b
            box(right - t, middle - t / 2, right, bottom),        // c
            box(left, bottom - t, right, bottom),                 // d
            box(left, middle - t / 2, left + t, bottom),          // e
            box(left, top, left + t, middle + t / 2),             // f
            box(left, middle - t / 2, right, middle + t / 2),     // g
        };
        for (int k = 0; k < 7; ++k)
            if ((lit >> k & 1) && segment[k]) return true;
        return false;
    };
}

struct Decal {
    const char* set;
    std::string name;
    Shape shape;
};

std::vector<Decal> decals() {
    std::vector<Decal> out = {
        {"roundels", "ring", rings({{0.3, 0.47}})},
        {"roundels", "target", rings({{0.0, 0.15}, {0.3, 0.47}})},
        {"roundels", "threeRings", rings({{0.0, 0.1}, {0.2, 0.3}, {0.4, 0.47}})},
        {"roundels", "disc", rings({{0.0, 0.47}})},
        {"stars", "fivePointed", star(5, 0.382)},
        {"stars", "sixPointed", star(6, 0.577)},
        {"stars", "fourPointed", star(4, 0.3)},
        {"stripes", "threeBars", [](double, double y) { return std::fmod(y * 7.0, 2.0) >= 1.0; }},
        {"stripes", "diagonal", [](double x, double y) { return std::fmod((x + y) * 4.0, 2.0) < 1.0; }},
        {"stripes", "chevron",
         polygon({{0.05, 0.35}, {0.5, 0.7}, {0.95, 0.35}, {0.95, 0.6}, {0.5, 0.95}, {0.05, 0.6}})},
        {"stripes", "flash", polygon({{0.55, 0.05}, {0.2, 0.55}, {0.45, 0.55}, {0.35, 0.95}, {0.8, 0.4},
                                      {0.55, 0.4}, {0.7, 0.05}})},
    };
    for (int value = 0; value <= 9; ++value) out.push_back({"numbers", std::to_string(value), digit(value)});
    return out;
}

// A folder in the picker's tree: a manila folder with its tab.
Image folderPicture(uint32_t size) {
    Image image = blank(size);
    const uint32_t paper = argb(1, 0.93, 0.78, 0.36), edge = argb(1, 0.6, 0.45, 0.12);
    for (uint32_t y = 0; y < size; ++y)
        for (uint32_t x = 0; x < size; ++x) {
            const double u = (x + 0.5) / size, v = (y + 0.5) / size;
            const bool tab = u > 0.08 && u < 0.45 && v > 0.18 && v <= 0.3;
            const bool body = u > 0.08 && u < 0.92 && v > 0.3 && v < 0.85;
            const bool rim = body && (u < 0.12 || u > 0.88 || v < 0.34 || v > 0.81);
            if (tab || body) put(image.surfaces[0], x, y, rim || tab ? edge : paper);
        }
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <resources folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root = std::filesystem::path(argv[1]) / "tolvaneBuilder";
    using F = d3dx::ImageFileFormat;
    bool ok = save(root / "brush.bmp", roundBrush(32, 50.0), F::Bmp);
    for (int hardness = 0; hardness <= 100; hardness += 10)
        ok &= save(root / "brushes" / ("brush_" + std::to_string(hardness) + ".bmp"), roundBrush(128, hardness), F::Bmp);
    ok &= save(root / "textures" / "previewCubemap.dds", previewCubemap(64), F::Dds);
    ok &= save(root / "textures" / "arrow.bmp", arrow(32), F::Bmp);
    ok &= save(root / "textures" / "red_trans.bmp", marker(8, argb(0.5, 1, 0, 0)), F::Bmp);
    ok &= save(root / "textures" / "white_trans.bmp", marker(8, argb(0.5, 1, 1, 1)), F::Bmp);
    ok &= save(root / "textures" / "gray_trans.bmp", marker(8, argb(0.5, 0.5, 0.5, 0.5)), F::Bmp);
    ok &= save(root / "folder.bmp", folderPicture(32), F::Bmp);
    for (const Decal& d : decals()) ok &= save(root / "decals" / d.set / (d.name + ".bmp"), decal(128, d.shape), F::Bmp);
    return ok ? 0 : 1;
}
