// Writes the editor's own pictures into a resources folder:
//   tolvaneBuilder/brush.bmp                   the brush tool's picture
//   tolvaneBuilder/brushes/brush_0..100.bmp    round brushes by hardness (steps of 10)
//   tolvaneBuilder/textures/previewCubemap.dds the preview's sky, a DDS cube map
//   tolvaneBuilder/textures/arrow.bmp          the direction arrow
//   tolvaneBuilder/textures/{red,white,gray}_trans.bmp  translucent markers
// Usage: editorPictureGenerator <resources folder>. The output depends only
// on this program, so running it again gives the same bytes.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

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
    return ok ? 0 : 1;
}
