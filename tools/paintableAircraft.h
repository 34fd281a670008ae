// paintableAircraft: the sample aircraft users paint (a trainer, a glider
// and a helicopter), built from lofted surfaces. Included by
// geoGenerator.cpp only.
//
// Nose towards +z, y up and, as in the program's right-handed view, the
// pilot's left towards +x (seen from behind the left wing is then on the
// viewer's left). Every part that comes in pairs is made
// for the left and mirrored, so the models are symmetric about x = 0 and
// the two halves are separate islands of the paint texture.
#pragma once

#include <string>
#include <vector>

#include "tools/loftedSurface.h"

namespace aircraft {

using loft::Vector2;
using loft::Vector3;

// The materials every sample uses, by index.
enum MaterialSlot { kPaint = 0, kGlass = 1, kMetal = 2, kRubber = 3, kBlade = 4 };

// A named part: one node of the model, one layer of `material`, one batch
// per island.
struct Part {
    std::string name;
    int material = kPaint;
    std::vector<loft::Island> islands;
};

struct Model {
    std::string name;
    std::vector<Part> parts;

    Part& part(const std::string& name, int material) {
        parts.push_back({name, material, {}});
        return parts.back();
    }
    void add(Part& p, const loft::Grid& g) {
        p.islands.push_back(loft::islandOf(g));
        p.islands.back().paint = p.material == kPaint;
    }
    // A surface for the left side and its mirror image.
    void addPair(Part& p, const loft::Wing& left, bool split) {
        for (const loft::Grid& g : loft::wingGrids(left, split)) add(p, g);
        for (const loft::Grid& g : loft::wingGrids(loft::mirrored(left), split)) add(p, g);
    }
    // A grid and its mirror image in the centre plane.
    void addWithMirror(Part& p, loft::Grid g) {
        add(p, g);
        for (Vector3& point : g.points) point.x = -point.x;
        for (Vector3& centre : g.centres) centre.x = -centre.x;
        add(p, g);
    }
    void addBody(Part& p, const loft::Body& body) {
        add(p, loft::bodyGrid(body, 1));
        add(p, loft::bodyGrid(body, -1));
    }
    // Lays out the paint islands with a few texels of gap on `textureSize`.
    void layOut(int textureSize) {
        std::vector<loft::Island*> all;
        for (Part& p : parts)
            for (loft::Island& is : p.islands) all.push_back(&is);
        loft::pack(all, 6.0f / float(textureSize));
    }
};

// 0 at a, 1 at b, smooth between and flat outside.
inline float ease(float a, float b, float u) {
    const float t = std::clamp((u - a) / (b - a), 0.0f, 1.0f);
    return std::sin(loft::kPi / 2 * t);
}
// 1 up to `from`, then a quarter ellipse down to 0 at 1.
inline float roundEnd(float from, float u) {
    if (u <= from) return 1.0f;
    const float r = std::min(1.0f, (u - from) / (1 - from));
    return std::sqrt(std::max(0.0f, 1 - r * r));
}

// A spinner: half a round-nosed cone each side, closed at the back.
inline void addSpinner(Model& m, Part& p, const Vector3& back, float radius, float length) {
    std::vector<Vector2> profile;
    profile.push_back({0, 0});
    for (int k = 0; k <= 10; ++k) {
        const float t = float(k) / 10;
        profile.push_back({length * t, radius * std::sqrt(std::max(0.0f, 1 - t * t))});
    }
    profile.back().y = 0;
    for (float side : {-1.0f, 1.0f})
        m.add(p, loft::revolutionGrid(back, {0, 0, 1}, {0, 1, 0}, {side, 0, 0}, profile, true, 12));
}

// A wheel on an axle along x: a rounded tyre closed at both hubs.
inline loft::Grid wheel(const Vector3& centre, float radius, float width) {
    std::vector<Vector2> profile;
    profile.push_back({-width / 2, 0});
    for (int k = 0; k <= 8; ++k) {
        const float a = loft::kPi * float(k) / 8;
        profile.push_back({-width / 2 * std::cos(a), radius - width / 2 + width / 2 * std::sin(a)});
    }
    profile.push_back({width / 2, 0});
    return loft::revolutionGrid(centre, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, profile, false, 20);
}

// A round strut from a to b.
inline loft::Grid strut(const Vector3& a, const Vector3& b, float radius) {
    const Vector3 axis = loft::sub(b, a);
    const float len = loft::length(axis);
    const Vector3 dir = loft::scale(axis, 1 / len);
    const Vector3 side = loft::length(loft::cross(dir, {0, 0, 1})) > 0.1f ? Vector3(0, 0, 1) : Vector3(1, 0, 0);
    const Vector3 up = loft::scale(loft::cross(side, dir), 1 / loft::length(loft::cross(side, dir)));
    const Vector3 other = loft::cross(dir, up);
    return loft::revolutionGrid(a, dir, up, other, {{0, 0}, {0, radius}, {len, radius}, {len, 0}}, false, 8);
}

// A two-bladed propeller or rotor turning about `axis` through `hub`.
inline void addBlades(Model& m, Part& p, const Vector3& hub, const Vector3& spanDir, const Vector3& chordDir,
                      const Vector3& upDir, float radius, float chord) {
    for (float side : {-1.0f, 1.0f}) {
        loft::Wing blade;
        blade.chordDir = loft::scale(chordDir, side);
        blade.root = loft::add(hub, loft::scale(blade.chordDir, -chord / 2));
        blade.spanDir = loft::scale(spanDir, side * radius);
        blade.upDir = upDir;
        blade.rootChord = chord;
        blade.tipChord = chord * 0.6f;
        blade.thickness = 0.12f;
        blade.tipRound = 0.08f;
        blade.stations = 12;
        blade.chordPoints = 6;
        m.add(p, loft::wingGrids(blade, false)[0]);
    }
}

// A high-wing trainer of 150 units span.
inline Model trainer() {
    Model m{"kestrel", {}};
    m.parts.reserve(16);  // parts are filled through references
    loft::Body body;
    body.tail = -62;
    body.nose = 50;
    body.halfWidth = [](float u) { return 7.5f * std::pow(ease(0, 0.55f, u), 0.8f) * roundEnd(0.9f, u); };
    body.top = [](float u) { return u < 0.6f ? 22 + 8 * ease(0, 0.6f, u) : 30 - 6 * std::pow((u - 0.6f) / 0.4f, 2); };
    body.bottom = [](float u) { return u < 0.6f ? 19 - 9 * ease(0, 0.6f, u) : 10 + 5 * std::pow((u - 0.6f) / 0.4f, 2); };
    body.stations = 64;
    body.sectionPoints = 24;
    m.addBody(m.part("fuselage", kPaint), body);

    loft::Wing wing;
    wing.root = {1, 26.5f, 25};
    wing.spanDir = {75, 75 * std::tan(3 * loft::kPi / 180), 0};
    wing.chordDir = {0, 0, -1};
    wing.upDir = {0, 1, 0};
    wing.rootChord = 25;
    wing.tipChord = 18;
    wing.thickness = 0.13f;
    wing.camber = 0.03f;
    wing.tipRound = 0.06f;
    wing.stations = 48;
    wing.chordPoints = 24;
    m.addPair(m.part("wing", kPaint), wing, false);

    loft::Wing tailplane;
    tailplane.root = {1, 20, -45};
    tailplane.spanDir = {26, 0, 0};
    tailplane.chordDir = {0, 0, -1};
    tailplane.upDir = {0, 1, 0};
    tailplane.rootChord = 15;
    tailplane.tipChord = 10;
    tailplane.thickness = 0.09f;
    tailplane.sweep = 2;
    tailplane.tipRound = 0.15f;
    tailplane.stations = 24;
    tailplane.chordPoints = 14;
    m.addPair(m.part("tailplane", kPaint), tailplane, false);

    loft::Wing fin;
    fin.root = {0, 21, -42};
    fin.spanDir = {0, 24, 0};
    fin.chordDir = {0, 0, -1};
    fin.upDir = {1, 0, 0};  // the "upper" side is the pilot's left
    fin.rootChord = 19;
    fin.tipChord = 10;
    fin.thickness = 0.08f;
    fin.sweep = 8;
    fin.tipRound = 0.18f;
    fin.stations = 24;
    fin.chordPoints = 14;
    Part& finPart = m.part("fin", kPaint);
    for (const loft::Grid& g : loft::wingGrids(fin, true)) m.add(finPart, g);

    loft::Body canopy;
    canopy.tail = 6;
    canopy.nose = 30;
    const auto& top = body.top;
    canopy.halfWidth = [](float u) { return 5.5f * std::sqrt(std::max(0.0f, std::sin(loft::kPi * u))); };
    // The canopy runs from z = 6 to 30, u = (z + 62) / 112 on the fuselage.
    canopy.top = [top](float u) { return top((68 + 24 * u) / 112) + 4.5f * std::sqrt(std::max(0.0f, std::sin(loft::kPi * u))); };
    canopy.bottom = [top](float u) { return top((68 + 24 * u) / 112) - 0.5f; };
    canopy.roundness = 0.8f;
    canopy.stations = 20;
    canopy.sectionPoints = 12;
    m.addBody(m.part("canopy", kGlass), canopy);

    addSpinner(m, m.part("spinner", kPaint), {0, 19.5f, 49.5f}, 5, 9);
    addBlades(m, m.part("propeller", kBlade), {0, 19.5f, 53}, {0, 1, 0}, {1, 0, 0}, {0, 0, 1}, 22, 4);

    Part& gear = m.part("undercarriage", kMetal);
    m.addWithMirror(gear, strut({5, 12, 22}, {20, 5, 22}, 0.7f));
    m.add(gear, strut({0, 12, 44}, {0, 5, 44}, 0.7f));
    Part& wheels = m.part("wheels", kRubber);
    m.addWithMirror(wheels, wheel({20, 5, 22}, 5, 2.5f));
    m.add(wheels, wheel({0, 4, 44}, 4, 2));
    m.layOut(2048);
    return m;
}


// A sailplane of 220 units span: a pod and boom fuselage, a long tapered
// wing and a conventional tail.
inline Model glider() {
    Model m{"heron", {}};
    m.parts.reserve(16);
    loft::Body body;
    body.tail = -80;
    body.nose = 45;
    // The pod is the front third; behind it the boom narrows to the tail.
    body.halfWidth = [](float u) {
        return (1.2f + 3.8f * ease(0.25f, 0.7f, u)) * std::pow(ease(0, 0.06f, u), 0.7f) * roundEnd(0.8f, u);
    };
    body.top = [](float u) { return 24 + 6 * ease(0.3f, 0.75f, u) - 3 * std::pow(std::max(0.0f, u - 0.8f) / 0.2f, 2); };
    body.bottom = [](float u) { return 21 - 13 * ease(0.3f, 0.7f, u) + 6 * std::pow(std::max(0.0f, u - 0.8f) / 0.2f, 2); };
    body.stations = 72;
    body.sectionPoints = 20;
    m.addBody(m.part("fuselage", kPaint), body);

    loft::Wing wing;
    wing.root = {1, 27, 14};
    wing.spanDir = {110, 110 * std::tan(4 * loft::kPi / 180), 0};
    wing.chordDir = {0, 0, -1};
    wing.upDir = {0, 1, 0};
    wing.rootChord = 18;
    wing.tipChord = 7;
    wing.thickness = 0.14f;
    wing.camber = 0.04f;
    wing.sweep = 4;
    wing.tipRound = 0.05f;
    wing.stations = 56;
    wing.chordPoints = 24;
    m.addPair(m.part("wing", kPaint), wing, false);

    loft::Wing tailplane;
    tailplane.root = {0.5f, 24, -66};
    tailplane.spanDir = {24, 0, 0};
    tailplane.chordDir = {0, 0, -1};
    tailplane.upDir = {0, 1, 0};
    tailplane.rootChord = 11;
    tailplane.tipChord = 6;
    tailplane.thickness = 0.09f;
    tailplane.sweep = 3;
    tailplane.tipRound = 0.15f;
    tailplane.stations = 24;
    tailplane.chordPoints = 12;
    m.addPair(m.part("tailplane", kPaint), tailplane, false);

    loft::Wing fin;
    fin.root = {0, 22.5f, -62};
    fin.spanDir = {0, 24, 0};
    fin.chordDir = {0, 0, -1};
    fin.upDir = {1, 0, 0};
    fin.rootChord = 17;
    fin.tipChord = 8;
    fin.thickness = 0.09f;
    fin.sweep = 7;
    fin.tipRound = 0.15f;
    fin.stations = 24;
    fin.chordPoints = 12;
    Part& finPart = m.part("fin", kPaint);
    for (const loft::Grid& g : loft::wingGrids(fin, true)) m.add(finPart, g);

    loft::Body canopy;
    canopy.tail = 12;
    canopy.nose = 38;
    const auto& top = body.top;
    // The canopy runs from z = 12 to 38, u = (z + 80) / 125 on the fuselage.
    canopy.halfWidth = [](float u) { return 4.2f * std::sqrt(std::max(0.0f, std::sin(loft::kPi * u))); };
    canopy.top = [top](float u) { return top((92 + 26 * u) / 125) + 3.5f * std::sqrt(std::max(0.0f, std::sin(loft::kPi * u))); };
    canopy.bottom = [top](float u) { return top((92 + 26 * u) / 125) - 0.5f; };
    canopy.roundness = 0.8f;
    canopy.stations = 20;
    canopy.sectionPoints = 12;
    m.addBody(m.part("canopy", kGlass), canopy);

    m.add(m.part("wheels", kRubber), wheel({0, 7.5f, 5}, 4, 2));
    m.layOut(2048);
    return m;
}

// A helicopter with a 170-unit rotor: a rounded cabin, a tail boom with
// fin and tailplane, skids and a two-bladed main and tail rotor.
inline Model helicopter() {
    Model m{"hornet", {}};
    m.parts.reserve(16);
    loft::Body cabin;
    cabin.tail = -22;
    cabin.nose = 40;
    cabin.halfWidth = [](float u) {
        return 12 * std::sqrt(std::max(0.0f, std::sin(loft::kPi * u))) * roundEnd(0.96f, u);
    };
    cabin.top = [](float u) { return 22 + 14 * std::pow(std::sin(loft::kPi * (0.1f + 0.8f * u)), 0.6f); };
    cabin.bottom = [](float u) { return 20 - 10 * std::pow(std::sin(loft::kPi * (0.05f + 0.8f * u)), 0.6f); };
    cabin.roundness = 0.8f;
    cabin.stations = 56;
    cabin.sectionPoints = 24;
    m.addBody(m.part("fuselage", kPaint), cabin);

    loft::Body boom;
    boom.tail = -105;
    boom.nose = -10;
    boom.halfWidth = [](float u) { return (1.6f + 2.4f * u) * std::pow(ease(0, 0.04f, u), 0.6f) * roundEnd(0.9f, u); };
    boom.top = [](float u) { return 26 + 4 * u; };
    boom.bottom = [](float u) { return 23 - 1 * u; };
    boom.stations = 48;
    boom.sectionPoints = 12;
    m.addBody(m.part("tailBoom", kPaint), boom);

    loft::Wing fin;
    fin.root = {0, 26, -92};
    fin.spanDir = {0, 22, 0};
    fin.chordDir = {0, 0, -1};
    fin.upDir = {1, 0, 0};
    fin.rootChord = 12;
    fin.tipChord = 7;
    fin.thickness = 0.1f;
    fin.sweep = 9;
    fin.tipRound = 0.15f;
    fin.stations = 20;
    fin.chordPoints = 12;
    Part& finPart = m.part("fin", kPaint);
    for (const loft::Grid& g : loft::wingGrids(fin, true)) m.add(finPart, g);

    loft::Wing tailplane;
    tailplane.root = {0.5f, 24.5f, -78};
    tailplane.spanDir = {16, 0, 0};
    tailplane.chordDir = {0, 0, -1};
    tailplane.upDir = {0, 1, 0};
    tailplane.rootChord = 8;
    tailplane.tipChord = 6;
    tailplane.thickness = 0.12f;
    tailplane.tipRound = 0.2f;
    tailplane.stations = 16;
    tailplane.chordPoints = 10;
    m.addPair(m.part("tailplane", kPaint), tailplane, false);

    loft::Body canopy;
    canopy.tail = 14;
    canopy.nose = 40;
    canopy.halfWidth = [](float u) { return 9 * std::sqrt(std::max(0.0f, std::sin(loft::kPi * u))); };
    canopy.top = [](float u) { return 30 + 4 * std::sqrt(std::max(0.0f, std::sin(loft::kPi * u))) - 6 * u; };
    canopy.bottom = [](float u) { return 27 - 6 * u; };
    canopy.roundness = 0.8f;
    canopy.stations = 20;
    canopy.sectionPoints = 12;
    m.addBody(m.part("canopy", kGlass), canopy);

    Part& skids = m.part("skids", kMetal);
    m.addWithMirror(skids, strut({14, 1, -20}, {14, 1, 34}, 1));
    m.addWithMirror(skids, strut({14, 1, -6}, {6, 12, -6}, 0.8f));
    m.addWithMirror(skids, strut({14, 1, 22}, {6, 12, 22}, 0.8f));
    m.add(skids, strut({0, 34, 5}, {0, 46, 5}, 1.5f));

    Part& rotor = m.part("rotor", kBlade);
    addBlades(m, rotor, {0, 46, 5}, {0, 0, 1}, {1, 0, 0}, {0, 1, 0}, 85, 6);
    addBlades(m, rotor, {3, 34, -100}, {0, 1, 0}, {0, 0, 1}, {1, 0, 0}, 14, 2.5f);
    m.layOut(2048);
    return m;
}

}  // namespace aircraft
