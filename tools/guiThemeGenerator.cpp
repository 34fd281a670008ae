// guiThemeGenerator: makes the GUI toolkit's theme atlas.
//
//   guiThemeGenerator <resources folder>
//
// writes tolvaneBuilder/textures/guiTheme.png below the given folder: a
// 512 x 512 picture holding every skinned piece at the place the toolkit
// takes it from (engine/gui/simGuiSkin.cpp and the widgets):
//  - frame style 0 (dialog box), (0, 0)-(96, 96): 32-pixel rounded corners,
//    a dark rim and a title band in the top row;
//  - frame styles 1 and 2 (thin border), (192, 0)-(240, 48), 16-pixel cells;
//  - frame styles 3 and 4 (small boxes), (288, 0)-(320, 18) and 32 lower,
//    9-pixel corners around 1-pixel strips;
//  - frame styles 5 (dark) and 6 (widget), (416, 160) and (464, 160), 16-pixel cells;
//  - scroll-bar arrows (96, 112, 128 by state; y 64-80) and thumbs (160, 192,
//    224 by state; y 64-87), the solid white texel block (496, 496)-(512, 512);
//  - the push button's squares at y 96-128: frame (0), hover (32), pressed
//    (64) and disabled (96) highlights;
//  - the check box's box (0, 128)-(22, 150), its hover (32) and pressed (64)
//    highlights, and its tick (432, 0)-(444, 12);
//  - the radio button's circle (192, 128), hover (224) and pressed (256)
//    rings, 18 x 18, and its 6 x 6 dot at (288, 128);
//  - the slider's end cap and division mark (192, 160)-(206, 174) and its
//    thumbs (224, 240, 256 by state; y 160-178, 12 wide);
//  - the wheel's face (384, 256)-(480, 352), its glows (96, 256), (192, 256)
//    and (192, 352), 76 x 76, its pointer (288, 256) and pointer glow (288, 288);
//  - the edit box's backgrounds (32, 256), (32, 288), (32, 320), 32 x 22;
//  - the tooltip box's caps, (0, 160)-(64, 192);
//  - the progress bar's horizontal track (424, 96)-(440, 119) and fill
//    (448, 96)-(472, 119), vertical track (416, 128)-(439, 152) and fill
//    (448, 128)-(471, 152);
//  - the dialog box's divider band (96, 0)-(192, 64), its title-bar buttons
//    in 64 x 42 cells (exit at x 0, 64, 128 and minimise at x 192, 256, 320
//    in the row y 192-234; help at x 0, 64, 128 in the row y 352-394; normal,
//    hover and pressed) and its resize handles: corners (451, 56) and
//    (476, 65), 24 x 24, the edge arrows (448, 41)-(481, 53) and
//    (491, 32)-(503, 65);
//  - the combo box's closed box, 64 x 32 with its arrow column in the right
//    half: normal (128, 96), hover (192, 96), pressed or open (256, 96), and
//    disabled (320, 96), and its arrow glyphs, closed (384, 96) and open
//    (400, 96), 12 x 12;
//  - the table's frame (128, 128)-(164, 164), a dark header band in its top
//    18 rows, with the column divider's header (144, 130) and body (144, 147)
//    texels;
//  - the tree view's expander glyphs, expanded (416, 16) and collapsed
//    (432, 16), 12 x 12.
// Pieces are drawn with coverage-based antialiasing so that scaled edges
// stay smooth; everything else is transparent. The output is deterministic;
// it is written to a temporary file beside the target and renamed over it.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "platform/d3dx/d3dxImage.h"

namespace {

constexpr int kSize = 512;

struct Rgba {
    float r, g, b, a;
};

constexpr Rgba rgb(int r, int g, int b, int a = 255) { return {r / 255.0f, g / 255.0f, b / 255.0f, a / 255.0f}; }

class Atlas {
public:
    Atlas() : m_pixels(size_t(kSize) * kSize, Rgba{0, 0, 0, 0}) {}

    // Blends `colour` over the pixel with the given coverage (0..1).
    void blend(int x, int y, Rgba colour, float coverage) {
        if (x < 0 || y < 0 || x >= kSize || y >= kSize || coverage <= 0.0f) return;
        Rgba& d = m_pixels[size_t(y) * kSize + x];
        const float a = colour.a * std::min(coverage, 1.0f);
        const float out = a + d.a * (1.0f - a);
        if (out <= 0.0f) return;
        d.r = (colour.r * a + d.r * d.a * (1.0f - a)) / out;
        d.g = (colour.g * a + d.g * d.a * (1.0f - a)) / out;
        d.b = (colour.b * a + d.b * d.a * (1.0f - a)) / out;
        d.a = out;
    }

    void fill(int x0, int y0, int x1, int y1, Rgba colour) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) blend(x, y, colour, 1.0f);
    }

    // A rounded rectangle (x0, y0)-(x1, y1) of corner radius r: a rim of
    // `rim` pixels in `edge` around `inside`; `shade(t)` darkens the inside
    // by its height fraction t (1 for a flat fill).
    template <typename Shade>
    void roundedBox(float x0, float y0, float x1, float y1, float r, float rim, Rgba edge, Rgba inside, Shade shade) {
        for (int y = int(y0); y < int(std::ceil(y1)); ++y) {
            for (int x = int(x0); x < int(std::ceil(x1)); ++x) {
                // Supersampled distance to the rounded outline, 4 x 4 per pixel.
                float outer = 0, inner = 0;
                for (int sy = 0; sy < 4; ++sy) {
                    for (int sx = 0; sx < 4; ++sx) {
                        const float px = x + (sx + 0.5f) / 4, py = y + (sy + 0.5f) / 4;
                        const float d = roundedDistance(px, py, x0, y0, x1, y1, r);
                        outer += d <= 0 ? 1 : 0;
                        inner += d <= -rim ? 1 : 0;
                    }
                }
                outer /= 16;
                inner /= 16;
                const float t = (y + 0.5f - y0) / (y1 - y0);
                const float s = shade(t);
                blend(x, y, edge, outer);
                blend(x, y, Rgba{inside.r * s, inside.g * s, inside.b * s, inside.a}, inner);
            }
        }
    }
    void roundedBox(float x0, float y0, float x1, float y1, float r, float rim, Rgba edge, Rgba inside) {
        roundedBox(x0, y0, x1, y1, r, rim, edge, inside, [](float) { return 1.0f; });
    }

    // A filled triangle, antialiased by supersampling.
    void triangle(float ax, float ay, float bx, float by, float cx, float cy, Rgba colour) {
        const int x0 = int(std::min({ax, bx, cx})), x1 = int(std::ceil(std::max({ax, bx, cx})));
        const int y0 = int(std::min({ay, by, cy})), y1 = int(std::ceil(std::max({ay, by, cy})));
        auto side = [](float px, float py, float qx, float qy, float x, float y) {
            return (qx - px) * (y - py) - (qy - py) * (x - px);
        };
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                float covered = 0;
                for (int s = 0; s < 16; ++s) {
                    const float px = x + (s % 4 + 0.5f) / 4, py = y + (s / 4 + 0.5f) / 4;
                    const float d0 = side(ax, ay, bx, by, px, py), d1 = side(bx, by, cx, cy, px, py),
                                d2 = side(cx, cy, ax, ay, px, py);
                    if ((d0 >= 0 && d1 >= 0 && d2 >= 0) || (d0 <= 0 && d1 <= 0 && d2 <= 0)) covered += 1;
                }
                blend(x, y, colour, covered / 16);
            }
        }
    }

    // A straight stroke from (ax, ay) to (bx, by), `width` pixels wide with
    // round ends, antialiased by supersampling.
    void stroke(float ax, float ay, float bx, float by, float width, Rgba colour) {
        const float half = width / 2;
        cover(std::min(ax, bx) - half, std::min(ay, by) - half, std::max(ax, bx) + half, std::max(ay, by) + half,
              colour, [&](float px, float py) {
                  const float dx = bx - ax, dy = by - ay;
                  const float length2 = dx * dx + dy * dy;
                  const float t = length2 > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / length2, 0.0f, 1.0f) : 0;
                  const float qx = ax + t * dx - px, qy = ay + t * dy - py;
                  return qx * qx + qy * qy <= half * half;
              });
    }

    // An arc of the circle about (cx, cy) of radius r, `width` pixels wide,
    // from angle `from` to `to` (radians, clockwise on the y-down picture
    // from the +x axis).
    void arc(float cx, float cy, float r, float width, float from, float to, Rgba colour) {
        const float outer = r + width / 2, inner = r - width / 2;
        cover(cx - outer, cy - outer, cx + outer, cy + outer, colour, [&](float px, float py) {
            const float dx = px - cx, dy = py - cy, d2 = dx * dx + dy * dy;
            if (d2 > outer * outer || d2 < inner * inner) return false;
            float angle = std::atan2(dy, dx);
            while (angle < from) angle += 2 * kPi;
            return angle <= to;
        });
    }

    bool write(const std::filesystem::path& path) const {
        d3dx::Image image;
        image.format = d3dx::Format::A8R8G8B8;
        image.width = image.height = kSize;
        image.mipLevels = 1;
        image.surfaces.resize(1);
        image.surfaces[0].width = image.surfaces[0].height = kSize;
        image.surfaces[0].bytes.resize(size_t(kSize) * kSize * 4);
        for (size_t i = 0; i < m_pixels.size(); ++i) {
            const Rgba& p = m_pixels[i];
            uint8_t* out = &image.surfaces[0].bytes[i * 4];
            out[0] = uint8_t(std::lround(std::clamp(p.b, 0.0f, 1.0f) * 255));
            out[1] = uint8_t(std::lround(std::clamp(p.g, 0.0f, 1.0f) * 255));
            out[2] = uint8_t(std::lround(std::clamp(p.r, 0.0f, 1.0f) * 255));
            out[3] = uint8_t(std::lround(std::clamp(p.a, 0.0f, 1.0f) * 255));
        }
        std::error_code error;
        std::filesystem::create_directories(path.parent_path(), error);
        const std::filesystem::path temporary = path.string() + ".tmp";
        const d3dx::ImageResult result = d3dx::SaveImageToFile(temporary.string(), d3dx::ImageFileFormat::Png, image);
        if (!result.ok()) {
            std::fprintf(stderr, "guiThemeGenerator: %s: %s\n", temporary.string().c_str(), result.reason.c_str());
            std::filesystem::remove(temporary, error);
            return false;
        }
        std::filesystem::rename(temporary, path, error);
        if (error) {
            std::fprintf(stderr, "guiThemeGenerator: cannot replace %s: %s\n", path.string().c_str(),
                         error.message().c_str());
            std::filesystem::remove(temporary, error);
            return false;
        }
        return true;
    }

private:
    static constexpr float kPi = 3.14159265f;

    // Blends `colour` over the pixels of (x0, y0)-(x1, y1) by the share of
    // 4 x 4 samples per pixel that `inside` takes.
    template <typename Inside>
    void cover(float x0, float y0, float x1, float y1, Rgba colour, Inside inside) {
        for (int y = int(std::floor(y0)); y < int(std::ceil(y1)); ++y) {
            for (int x = int(std::floor(x0)); x < int(std::ceil(x1)); ++x) {
                float covered = 0;
                for (int s = 0; s < 16; ++s)
                    if (inside(x + (s % 4 + 0.5f) / 4, y + (s / 4 + 0.5f) / 4)) covered += 1;
                blend(x, y, colour, covered / 16);
            }
        }
    }

    // Signed distance from a point to a rounded rectangle (negative inside).
    static float roundedDistance(float px, float py, float x0, float y0, float x1, float y1, float r) {
        const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
        const float hx = (x1 - x0) / 2 - r, hy = (y1 - y0) / 2 - r;
        const float qx = std::abs(px - cx) - hx, qy = std::abs(py - cy) - hy;
        const float ox = std::max(qx, 0.0f), oy = std::max(qy, 0.0f);
        return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0f) - r;
    }

    std::vector<Rgba> m_pixels;
};

// Colours of the theme: a cool grey-blue.
constexpr Rgba kRim = rgb(46, 58, 74);
constexpr Rgba kPanel = rgb(236, 239, 243);
constexpr Rgba kTitle = rgb(72, 104, 150);
constexpr Rgba kLight = rgb(250, 251, 252);
constexpr Rgba kDark = rgb(40, 46, 56, 235);
constexpr Rgba kAccent = rgb(64, 140, 220);

void drawFrames(Atlas& atlas) {
    // Style 0: dialog box, with a title band in its top row of cells.
    atlas.roundedBox(0, 0, 96, 96, 10, 2, kRim, kPanel);
    // The band is rounded at the top only: its corner cells are stretched
    // beside straight middle cells, so rounded bottom corners would show the
    // panel through notches at both ends of every title bar.
    atlas.roundedBox(2, 2, 94, 40, 8, 0, kTitle, kTitle, [](float t) { return 1.15f - 0.3f * t * 38.0f / 28.0f; });
    atlas.fill(2, 32, 94, 40, kPanel);
    atlas.fill(2, 30, 94, 32, rgb(46, 58, 74, 180));
    // Styles 1 and 2: a thin border round a light panel.
    atlas.roundedBox(192, 0, 240, 48, 5, 1, kRim, kPanel);
    // Styles 3 and 4: small boxes (a raised one and a sunken one).
    atlas.roundedBox(288, 0, 320, 18, 4, 1, kRim, kLight);
    atlas.roundedBox(288, 32, 320, 50, 4, 1, kRim, rgb(214, 220, 228));
    // Style 5: a dark translucent panel; style 6: a widget well.
    atlas.roundedBox(416, 160, 464, 208, 6, 1, rgb(20, 24, 30, 240), kDark);
    atlas.roundedBox(464, 160, 512, 208, 4, 1, rgb(120, 132, 148), kLight);
}

void drawScrollBar(Atlas& atlas) {
    const Rgba states[3] = {rgb(200, 206, 214), rgb(170, 196, 232), rgb(120, 160, 214)};
    for (int s = 0; s < 3; ++s) {
        // Up arrows: a button with a triangle pointing up (flipped for down).
        const float x = 96.0f + 16.0f * s;
        atlas.roundedBox(x, 64, x + 15, 80, 3, 1, kRim, states[s]);
        atlas.triangle(x + 7.5f, 68.5f, x + 3.5f, 75.0f, x + 11.5f, 75.0f, kRim);
        // Thumbs: caps rows 64-70 and 81-87, a stretchable middle row, the grip rows 70-80.
        const float u = 160.0f + 32.0f * s;
        atlas.roundedBox(u, 64, u + 14, 87, 5, 1, kRim, states[s]);
        for (int line = 0; line < 3; ++line) atlas.fill(int(u) + 4, 72 + line * 3, int(u) + 10, 73 + line * 3, kRim);
    }
    // The solid block the track and marks are tinted from.
    atlas.fill(496, 496, 512, 512, rgb(255, 255, 255));
}

// Push button squares at y 96-128, cut 12 | 8 | 12: the enabled frame
// (0, 96), the hover highlight (32, 96), the pressed highlight (64, 96) and
// the frame of a disabled or fading button (96, 96). Highlights are drawn
// over the frame, so they are translucent.
void drawButtons(Atlas& atlas) {
    atlas.roundedBox(0, 96, 32, 128, 6, 1, kRim, rgb(226, 231, 238), [](float t) { return 1.08f - 0.12f * t; });
    atlas.roundedBox(32, 96, 64, 128, 6, 2, rgb(64, 140, 220, 200), rgb(170, 205, 245, 110));
    atlas.roundedBox(64, 96, 96, 128, 6, 2, rgb(30, 80, 140, 220), rgb(110, 150, 205, 150),
                     [](float t) { return 0.85f + 0.15f * t; });
    atlas.roundedBox(96, 96, 128, 128, 6, 1, rgb(140, 148, 160), rgb(214, 218, 224));
}

// Check box pieces: the 22 x 22 box (0, 128), its hover (32, 128) and
// pressed (64, 128) highlights, and the 12 x 12 tick at (432, 0).
void drawCheckBox(Atlas& atlas) {
    atlas.roundedBox(0, 128, 22, 150, 4, 1, kRim, kLight);
    atlas.roundedBox(32, 128, 54, 150, 4, 2, rgb(64, 140, 220, 220), rgb(170, 205, 245, 90));
    atlas.roundedBox(64, 128, 86, 150, 4, 2, rgb(30, 80, 140, 230), rgb(110, 150, 205, 140));
    // The tick: two strokes as thin triangles pairs.
    const Rgba ink = rgb(30, 60, 110);
    atlas.triangle(433, 6, 436, 6, 436.5f, 11, ink);
    atlas.triangle(433, 6, 436.5f, 11, 435, 11, ink);
    atlas.triangle(435, 11, 443, 1, 444, 2.5f, ink);
    atlas.triangle(435, 11, 444, 2.5f, 436.5f, 11.5f, ink);
}

// Radio button pieces, 18 x 18: the circle (192, 128), its hover (224, 128)
// and pressed (256, 128) rings, and the 6 x 6 selection dot (288, 128).
void drawRadioButton(Atlas& atlas) {
    atlas.roundedBox(192, 128, 210, 146, 9, 1, kRim, kLight);
    atlas.roundedBox(224, 128, 242, 146, 9, 2, rgb(64, 140, 220, 220), rgb(170, 205, 245, 90));
    atlas.roundedBox(256, 128, 274, 146, 9, 2, rgb(30, 80, 140, 230), rgb(110, 150, 205, 140));
    atlas.roundedBox(288, 128, 294, 134, 3, 0, rgb(30, 60, 110), rgb(30, 60, 110));
}

// Slider pieces: the 14 x 14 end cap and division mark (192, 160), and the
// 12 x 18 thumb, normal (224, 160), hover (240, 160) and pressed (256, 160).
void drawSlider(Atlas& atlas) {
    atlas.roundedBox(195, 163, 203, 171, 4, 1, kRim, kLight);
    const Rgba thumbs[3] = {rgb(226, 231, 238), rgb(170, 205, 245), rgb(110, 150, 205)};
    for (int s = 0; s < 3; ++s) {
        const float u = 224.0f + 16.0f * s;
        atlas.roundedBox(u, 160, u + 12, 178, 4, 1, kRim, thumbs[s]);
        atlas.fill(int(u) + 5, 165, int(u) + 7, 173, rgb(46, 58, 74, 160));
    }
}

// The wheel: its 96 x 96 face (384, 256), 76 x 76 glows for hover (96, 256),
// turning (192, 256) and flashing (192, 352), the pointer (288, 256)-(302, 265)
// and the pointer's glow (288, 288)-(340, 299).
void drawWheel(Atlas& atlas) {
    atlas.roundedBox(386, 258, 478, 350, 46, 2, kRim, rgb(200, 208, 218), [](float t) { return 1.1f - 0.2f * t; });
    atlas.roundedBox(400, 272, 464, 336, 32, 1, rgb(120, 132, 148), rgb(90, 104, 124));
    const Rgba glows[3] = {rgb(120, 180, 245, 150), rgb(64, 140, 220, 190), rgb(255, 210, 90, 170)};
    const float places[3][2] = {{96, 256}, {192, 256}, {192, 352}};
    for (int i = 0; i < 3; ++i) {
        const float u = places[i][0], v = places[i][1];
        atlas.roundedBox(u + 2, v + 2, u + 74, v + 74, 36, 3, glows[i], Rgba{0, 0, 0, 0});
    }
    atlas.roundedBox(288, 256, 302, 265, 3, 1, kRim, rgb(255, 200, 80));
    atlas.roundedBox(288, 288, 340, 299, 5, 0, rgb(255, 220, 120, 120), rgb(255, 220, 120, 120));
}

// Edit box backgrounds, 32 x 22 with 8-pixel corners: idle (320, 64),
// hovered (320, 96) and editing (320, 128). (The places first laid out for
// them, at x 256, overlap the radio button's pressed ring.)
void drawEditBox(Atlas& atlas) {
    atlas.roundedBox(32, 256, 64, 278, 4, 1, rgb(120, 132, 148), kLight);
    atlas.roundedBox(32, 288, 64, 310, 4, 1, kAccent, kLight);
    atlas.roundedBox(32, 320, 64, 342, 4, 2, rgb(30, 80, 140), rgb(255, 255, 255));
}

void drawTooltip(Atlas& atlas) {
    // Left cap (0-32) and right cap (32-64); column 32 is the middle strip.
    atlas.roundedBox(0, 160, 64, 192, 10, 1, rgb(90, 80, 40), rgb(255, 248, 210));
}

void drawProgressBar(Atlas& atlas) {
    // Horizontal track: left cap 424-432, middle 432-440; fill: left cap
    // 448-456, middle 456-457, right cap 464-472.
    atlas.roundedBox(424, 96, 448, 119, 7, 1, kRim, rgb(208, 214, 222));
    atlas.roundedBox(448, 96, 472, 119, 7, 1, rgb(30, 80, 140), kAccent, [](float t) { return 1.2f - 0.4f * t; });
    // Vertical track: top cap rows 128-136, middle 136-144; fill: top cap
    // 128-136, middle 136-144, bottom cap 144-152.
    atlas.roundedBox(416, 128, 439, 160, 7, 1, kRim, rgb(208, 214, 222));
    atlas.roundedBox(448, 128, 471, 152, 7, 1, rgb(30, 80, 140), kAccent);
}

// The dialog box's divider: a band along the bottom edge, its left end
// (96-112), stretched middle (112-176) and right end (176-192) over y 0-64,
// with the frame's rim and rounded bottom corners and a rule along its top.
void drawDialogDivider(Atlas& atlas) {
    atlas.roundedBox(96, -32, 192, 64, 10, 2, kRim, rgb(214, 220, 228), [](float t) { return 1.04f - 0.06f * t; });
    atlas.fill(98, 0, 190, 2, rgb(46, 58, 74, 140));
    atlas.fill(98, 2, 190, 3, rgb(255, 255, 255, 160));
}

// Title-bar buttons: 64 x 42 cells whose visible button is the 32 x 20 box
// the button's hover rectangle covers (16, 12)-(48, 32), normal, hover and
// pressed side by side. Exit (0, 192) shows a cross, minimise (192, 192) a
// bar and help (0, 352) a question mark.
void drawTitleBarButtons(Atlas& atlas) {
    const Rgba faces[3] = {rgb(92, 124, 170), rgb(120, 170, 230), rgb(40, 80, 140)};
    const Rgba exitFaces[3] = {rgb(92, 124, 170), rgb(220, 90, 80), rgb(160, 40, 36)};
    const Rgba ink = rgb(250, 251, 252);
    auto box = [&](float u, float v, Rgba face) {
        atlas.roundedBox(u + 16, v + 12, u + 48, v + 32, 5, 1, kRim, face, [](float t) { return 1.12f - 0.24f * t; });
    };
    for (int s = 0; s < 3; ++s) {
        const float exitU = 64.0f * s, minimiseU = 192.0f + 64.0f * s, helpU = 64.0f * s;
        box(exitU, 192, exitFaces[s]);
        atlas.stroke(exitU + 28, 192 + 18, exitU + 36, 192 + 26, 2, ink);
        atlas.stroke(exitU + 36, 192 + 18, exitU + 28, 192 + 26, 2, ink);
        box(minimiseU, 192, faces[s]);
        atlas.stroke(minimiseU + 27, 192 + 26, minimiseU + 37, 192 + 26, 2, ink);
        box(helpU, 352, faces[s]);
        atlas.arc(helpU + 32, 352 + 18.5f, 3, 1.8f, -3.3f, 1.6f, ink);
        atlas.stroke(helpU + 32, 352 + 21.5f, helpU + 32, 352 + 24, 1.8f, ink);
        atlas.stroke(helpU + 32, 352 + 27.5f, helpU + 32, 352 + 27.6f, 2.2f, ink);
    }
}

// Resize handles as double arrows: the corner pieces (451, 56) pointing
// top-left to bottom-right and (476, 65) pointing top-right to bottom-left,
// 24 x 24; the edge pieces (448, 41)-(481, 53) across and (491, 32)-(503, 65)
// up and down.
void drawResizeHandles(Atlas& atlas) {
    const Rgba ink = rgb(64, 140, 220);
    auto arrow = [&](float ax, float ay, float bx, float by) {
        atlas.stroke(ax, ay, bx, by, 2, ink);
        const float dx = bx - ax, dy = by - ay, length = std::sqrt(dx * dx + dy * dy);
        const float ux = dx / length, uy = dy / length, head = 5;
        for (const auto& [tipX, tipY, sign] : {std::tuple{ax, ay, 1.0f}, std::tuple{bx, by, -1.0f}}) {
            const float baseX = tipX + sign * ux * head, baseY = tipY + sign * uy * head;
            atlas.triangle(tipX, tipY, baseX - uy * head * 0.8f, baseY + ux * head * 0.8f, baseX + uy * head * 0.8f,
                           baseY - ux * head * 0.8f, ink);
        }
    };
    arrow(454, 59, 472, 77);
    arrow(497, 68, 479, 86);
    arrow(449, 47, 480, 47);
    arrow(497, 33, 497, 64);
}

}  // namespace

// The scrolling widgets' pieces (see the list at the top).
void drawListPieces(Atlas& atlas) {
    const Rgba faces[4] = {rgb(236, 239, 243), rgb(214, 230, 248), rgb(176, 204, 238), rgb(214, 218, 224)};
    for (int s = 0; s < 4; ++s) {
        const float u = 128.0f + 64.0f * s;
        atlas.roundedBox(u, 96, u + 64, 128, 5, 1, kRim, faces[s], [](float t) { return 1.05f - 0.1f * t; });
        atlas.fill(int(u) + 33, 100, int(u) + 34, 124, rgb(120, 132, 148));
    }
    atlas.triangle(385, 99, 395, 99, 390, 105, kRim);
    atlas.triangle(401, 105, 411, 105, 406, 99, kRim);
    atlas.roundedBox(128, 128, 164, 164, 5, 1, kRim, kLight);
    atlas.roundedBox(129, 129, 163, 146, 4, 0, kTitle, kTitle);
    atlas.fill(144, 130, 146, 132, rgb(220, 228, 240));
    atlas.fill(144, 147, 146, 149, rgb(190, 198, 210));
    atlas.triangle(417, 19, 427, 19, 422, 25, kRim);
    atlas.triangle(435, 17, 435, 27, 441, 22, kRim);
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: guiThemeGenerator <resources folder>\n");
        return 2;
    }
    Atlas atlas;
    drawFrames(atlas);
    drawScrollBar(atlas);
    drawButtons(atlas);
    drawCheckBox(atlas);
    drawRadioButton(atlas);
    drawSlider(atlas);
    drawWheel(atlas);
    drawEditBox(atlas);
    drawTooltip(atlas);
    drawProgressBar(atlas);
    drawDialogDivider(atlas);
    drawTitleBarButtons(atlas);
    drawResizeHandles(atlas);
    drawListPieces(atlas);
    const std::filesystem::path path = std::filesystem::path(argv[1]) / "tolvaneBuilder/textures/guiTheme.png";
    if (!atlas.write(path)) return 1;
    std::printf("guiThemeGenerator: wrote %s\n", path.string().c_str());
    return 0;
}
