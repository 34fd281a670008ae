#include "engine/core/simPolygonTriangulator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/floatDigest.h"

namespace {

using Outline = std::vector<d3dx::Vector4>;

Outline outlineOf(std::initializer_list<std::pair<float, float>> points) {
    Outline outline;
    for (const auto& [x, y] : points) {
        outline.push_back(d3dx::Vector4{x, y, 0.0f, 0.0f});
    }
    return outline;
}

Outline triangulate(const Outline& outline) {
    simPolygonTriangulator triangulator;
    Outline triangles;
    triangulator.triangulate(outline, &triangles);
    return triangles;
}

// Geometry for checking results, in double so that the checks do not share
// the rounding of the code under test.
double cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

double signedArea(const d3dx::Vector4& a, const d3dx::Vector4& b, const d3dx::Vector4& c) {
    return 0.5 * cross(b.x - a.x, b.y - a.y, c.x - a.x, c.y - a.y);
}

double outlineArea(const Outline& outline) {
    double twice = 0.0;
    for (size_t i = 0; i < outline.size(); ++i) {
        const d3dx::Vector4& p = outline[i];
        const d3dx::Vector4& q = outline[(i + 1) % outline.size()];
        twice += static_cast<double>(p.x) * q.y - static_cast<double>(q.x) * p.y;
    }
    return std::fabs(0.5 * twice);
}

bool insideOutline(double x, double y, const Outline& outline) {
    bool inside = false;
    for (size_t i = 0, j = outline.size() - 1; i < outline.size(); j = i++) {
        const double xi = outline[i].x, yi = outline[i].y, xj = outline[j].x, yj = outline[j].y;
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) {
            inside = !inside;
        }
    }
    return inside;
}

double distanceToSegment(double x, double y, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double lengthSq = dx * dx + dy * dy;
    double t = lengthSq > 0.0 ? ((x - ax) * dx + (y - ay) * dy) / lengthSq : 0.0;
    t = std::fmax(0.0, std::fmin(1.0, t));
    return std::hypot(x - (ax + t * dx), y - (ay + t * dy));
}

bool strictlyInTriangle(double x, double y, const d3dx::Vector4* t) {
    const double d0 = cross(t[1].x - t[0].x, t[1].y - t[0].y, x - t[0].x, y - t[0].y);
    const double d1 = cross(t[2].x - t[1].x, t[2].y - t[1].y, x - t[1].x, y - t[1].y);
    const double d2 = cross(t[0].x - t[2].x, t[0].y - t[2].y, x - t[2].x, y - t[2].y);
    return (d0 > 0 && d1 > 0 && d2 > 0) || (d0 < 0 && d1 < 0 && d2 < 0);
}

// The triangles tile the outline exactly: their areas add up to the
// outline's, and every sample point away from all edges lies in exactly one
// triangle when it is inside the outline and in none when it is outside, so
// no triangle lies outside and none overlaps another.
void expectTiles(const Outline& outline, const Outline& triangles) {
    ASSERT_EQ(triangles.size() % 3, 0u);
    double total = 0.0;
    for (size_t i = 0; i < triangles.size(); i += 3) {
        total += std::fabs(signedArea(triangles[i], triangles[i + 1], triangles[i + 2]));
    }
    const double area = outlineArea(outline);
    EXPECT_NEAR(total, area, 1e-4 * area);

    float minX = outline[0].x, maxX = minX, minY = outline[0].y, maxY = minY;
    for (const d3dx::Vector4& p : outline) {
        minX = std::fmin(minX, p.x), maxX = std::fmax(maxX, p.x);
        minY = std::fmin(minY, p.y), maxY = std::fmax(maxY, p.y);
    }
    const int steps = 97;  // prime, so samples rarely fall on the outlines' grid lines
    const double margin = 1e-4 * std::fmax(maxX - minX, maxY - minY);
    int wrong = 0;
    for (int i = 0; i <= steps; ++i) {
        for (int j = 0; j <= steps; ++j) {
            const double x = minX + (maxX - minX) * (i + 0.5) / (steps + 1);
            const double y = minY + (maxY - minY) * (j + 0.5) / (steps + 1);
            bool nearEdge = false;
            for (size_t k = 0; k < triangles.size() && !nearEdge; k += 3) {
                for (int e = 0; e < 3 && !nearEdge; ++e) {
                    const d3dx::Vector4& a = triangles[k + e];
                    const d3dx::Vector4& b = triangles[k + (e + 1) % 3];
                    nearEdge = distanceToSegment(x, y, a.x, a.y, b.x, b.y) < margin;
                }
            }
            for (size_t k = 0; k < outline.size() && !nearEdge; ++k) {
                const d3dx::Vector4& a = outline[k];
                const d3dx::Vector4& b = outline[(k + 1) % outline.size()];
                nearEdge = distanceToSegment(x, y, a.x, a.y, b.x, b.y) < margin;
            }
            if (nearEdge) {
                continue;
            }
            int covering = 0;
            for (size_t k = 0; k < triangles.size(); k += 3) {
                covering += strictlyInTriangle(x, y, &triangles[k]) ? 1 : 0;
            }
            if (covering != (insideOutline(x, y, outline) ? 1 : 0)) {
                ++wrong;
            }
        }
    }
    EXPECT_EQ(wrong, 0) << "sample points covered wrongly";
}

Outline circle(int points, float radius, float centreX, float centreY) {
    Outline outline;
    for (int i = 0; i < points; ++i) {
        const double angle = 2.0 * M_PI * i / points;
        outline.push_back(d3dx::Vector4{centreX + radius * static_cast<float>(std::cos(angle)),
                                        centreY + radius * static_cast<float>(std::sin(angle)),
                                        0.0f, 0.0f});
    }
    return outline;
}

Outline star() {
    Outline outline;
    for (int i = 0; i < 10; ++i) {
        const double angle = M_PI / 2 + M_PI * i / 5;
        const double radius = i % 2 == 0 ? 10.0 : 4.0;
        outline.push_back(d3dx::Vector4{static_cast<float>(radius * std::cos(angle)),
                                        static_cast<float>(radius * std::sin(angle)), 0.0f, 0.0f});
    }
    return outline;
}

Outline reversed(Outline outline) {
    std::reverse(outline.begin(), outline.end());
    return outline;
}

struct NamedOutline {
    std::string name;
    Outline outline;
};

std::vector<NamedOutline> outlines() {
    const Outline square = outlineOf({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    const Outline lShape = outlineOf({{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}});
    const Outline comb = outlineOf({{0, 0},
                                    {7, 0},
                                    {7, 4},
                                    {6, 4},
                                    {6, 1},
                                    {5, 1},
                                    {5, 4},
                                    {4, 4},
                                    {4, 1},
                                    {3, 1},
                                    {3, 4},
                                    {2, 4},
                                    {2, 1},
                                    {1, 1},
                                    {1, 4},
                                    {0, 4}});
    const Outline collinear =
        outlineOf({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}, {2, 2}, {1, 2}, {0, 2}, {0, 1}});
    const Outline duplicates =
        outlineOf({{0, 0}, {2, 0}, {2, 0}, {2, 2}, {1, 3}, {1, 3}, {0, 2}, {0, 0}});
    const Outline notched =
        outlineOf({{0, 0}, {4, 0}, {4, 3}, {3, 3}, {3, 1}, {1, 1}, {1, 3}, {0, 3}});
    // Notched at the bottom, listed from the notch: the first triangle offered
    // spans the notch and is refused only by its vertical edges.
    const Outline notchedBelow =
        outlineOf({{2, 0}, {2, 1}, {1, 1}, {1, 0}, {0, 0}, {0, 3}, {3, 3}, {3, 0}});
    // Two outlines on which a triangle was once accepted wrongly: one lying in
    // a concave notch, outside the outline; one folding back over its parent.
    const Outline notchTriangle =
        outlineOf({{1, 4}, {1, 6}, {-1, 7}, {-1, -2}, {-3, -2}, {-3, -4}, {0, -6}, {0, 0}});
    const Outline foldBack =
        outlineOf({{7, 1}, {7, 4}, {-1, 8}, {-1, -4}, {-3, -4}, {-3, -10}, {4, -3}, {4, -1}});
    // A flying-site area drawn in centimetres, a few hundred metres out.
    const Outline farAway =
        outlineOf({{500, 30000}, {900, 30000}, {900, 30500}, {700, 30200}, {500, 30500}});
    return {
        {"square", square},
        {"squareClockwise", reversed(square)},
        {"lShape", lShape},
        {"lShapeClockwise", reversed(lShape)},
        {"comb", comb},
        {"combClockwise", reversed(comb)},
        {"star", star()},
        {"collinearRuns", collinear},
        {"duplicatePoints", duplicates},
        {"notchedRectangle", notched},
        {"notchedRectangleClockwise", reversed(notched)},
        {"notchedBelow", notchedBelow},
        {"notchTriangle", notchTriangle},
        {"foldBack", foldBack},
        {"beyondTenThousand", farAway},
        {"circle", circle(60, 5.0f, 1.0f, 2.0f)},
    };
}

TEST(PolygonTriangulator, TrianglesTileEveryOutline) {
    for (const NamedOutline& shape : outlines()) {
        SCOPED_TRACE(shape.name);
        expectTiles(shape.outline, triangulate(shape.outline));
    }
}

TEST(PolygonTriangulator, NoTriangleHasCoincidingCorners) {
    for (const NamedOutline& shape : outlines()) {
        SCOPED_TRACE(shape.name);
        const Outline triangles = triangulate(shape.outline);
        for (size_t i = 0; i < triangles.size(); i += 3) {
            for (int e = 0; e < 3; ++e) {
                const d3dx::Vector4& a = triangles[i + e];
                const d3dx::Vector4& b = triangles[i + (e + 1) % 3];
                EXPECT_FALSE(a.x == b.x && a.y == b.y) << "triangle " << i / 3;
            }
        }
    }
}

std::vector<std::pair<float, float>> positions(const Outline& points) {
    std::vector<std::pair<float, float>> result;
    for (const d3dx::Vector4& p : points) {
        result.emplace_back(p.x, p.y);
    }
    return result;
}

TEST(PolygonTriangulator, SquareStartsAtTheFirstLowestPointAndItsNext) {
    const Outline triangles = triangulate(outlineOf({{1, 1}, {0, 1}, {0, 0}, {1, 0}}));
    const std::vector<std::pair<float, float>> expected = {
        {0, 0}, {1, 0}, {0, 1},  // the lowest point, its next and its previous
        {1, 0}, {0, 1}, {1, 1},  // then across the open edge
    };
    EXPECT_EQ(positions(triangles), expected);
}

TEST(PolygonTriangulator, TriangleOutlineInRingOrderFromTheLowestPoint) {
    const Outline triangles = triangulate(outlineOf({{2, 3}, {0, 1}, {4, 0}}));
    const std::vector<std::pair<float, float>> expected = {{4, 0}, {2, 3}, {0, 1}};
    EXPECT_EQ(positions(triangles), expected);
}

TEST(PolygonTriangulator, CarriesAttributesAndAppends) {
    const Outline outline = {{0, 0, 0.5f, 0.25f}, {3, 0, 1.0f, 0.0f}, {0, 3, 0.0f, 1.0f}};
    simPolygonTriangulator triangulator;
    Outline out = {{9, 9, 9, 9}};
    triangulator.triangulate(outline, &out);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[0], (d3dx::Vector4{9, 9, 9, 9}));
    EXPECT_EQ(out[1], outline[0]);
    EXPECT_EQ(out[2], outline[1]);
    EXPECT_EQ(out[3], outline[2]);
}

TEST(PolygonTriangulator, TooFewOrUnusablePointsGiveNothing) {
    const Outline kept = {{5, 5, 5, 5}};
    for (const Outline& outline : {Outline{}, outlineOf({{0, 0}}), outlineOf({{0, 0}, {1, 0}}),
                                   outlineOf({{0, 0}, {1, 0}, {1, 0}, {0, 0}}),
                                   outlineOf({{0, 0}, {1, 0}, {1, NAN}, {0, 1}}),
                                   outlineOf({{0, 0}, {1, 0}, {INFINITY, 1}, {0, 1}})}) {
        simPolygonTriangulator triangulator;
        Outline out = kept;
        triangulator.triangulate(outline, &out);
        EXPECT_EQ(out, kept) << outline.size() << " points";
    }
}

TEST(PolygonTriangulator, EachCallServesItsOwnOutline) {
    const Outline square = outlineOf({{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    const Outline lShape = outlineOf({{0, 0}, {2, 0}, {2, 1}, {1, 1}, {1, 2}, {0, 2}});
    simPolygonTriangulator triangulator;
    Outline first, second;
    triangulator.triangulate(square, &first);
    triangulator.triangulate(lShape, &second);
    EXPECT_EQ(second, triangulate(lShape));
    Outline again;
    triangulator.triangulate(square, &again);
    EXPECT_EQ(again, first);
}

TEST(PolygonTriangulator, LargeCircleTilesAndUsesEveryPoint) {
    const Outline outline = circle(500, 1000.0f, 20000.0f, 20000.0f);
    const Outline triangles = triangulate(outline);
    EXPECT_EQ(triangles.size(), 3u * 498u);
    expectTiles(outline, triangles);
}

// A wavy ring of points, every other one pushed out: concave all round, as
// users draw areas round trees and fields, far from the origin or not.
Outline wavyRing(int points, float centreX, float centreY) {
    Outline outline;
    for (int i = 0; i < points; ++i) {
        const float a = float(i) * 6.2831853f / float(points);
        const float r = 3000.0f + (i % 2 ? 600.0f : 0.0f) + 400.0f * std::sin(5.0f * a);
        outline.push_back(d3dx::Vector4{centreX + r * std::cos(a), centreY + r * std::sin(a), 0.0f, 0.0f});
    }
    return outline;
}

uint64_t digest(const Outline& triangles) {
    testsupport::FloatDigest digest;
    for (const d3dx::Vector4& p : triangles) {
        for (const float value : {p.x, p.y, p.z, p.w}) digest.add(value);
    }
    return digest.value();
}

// Callers store and compare the triangles (a flying site's areas are saved
// with theirs), so work on the triangulator's speed must not change one of
// them: these are its exact outputs, corner for corner, digested.
TEST(PolygonTriangulator, KeepsItsExactTriangles) {
    struct Case {
        const char* name;
        size_t triangles;
        uint64_t digest;
    };
    const Case cases[] = {
        {"wavyRing200", 198, 16242272895876027714ull},
        {"wavyRing200FarOut", 198, 10628966082005937566ull},
        {"wavyRing61", 59, 5037394872253899991ull},
        {"circle500", 498, 4184367206954879635ull},
        {"square", 2, 13408695559951240467ull},
        {"squareClockwise", 2, 12343442240615910035ull},
        {"lShape", 4, 14267010997918693098ull},
        {"lShapeClockwise", 4, 3312530108958847338ull},
        {"comb", 14, 5015434418744589002ull},
        {"combClockwise", 14, 9703876206024341395ull},
        {"star", 8, 6791566600569973605ull},
        {"collinearRuns", 8, 15873683615235133082ull},
        {"duplicatePoints", 3, 6167039530930809082ull},
        {"notchedRectangle", 6, 12635067006825698794ull},
        {"notchedRectangleClockwise", 6, 5535264930793316883ull},
        {"notchedBelow", 6, 12996800461032339450ull},
        {"notchTriangle", 6, 5374400164669407939ull},
        {"foldBack", 6, 8923815725532883152ull},
        {"beyondTenThousand", 3, 12100986835775607959ull},
        {"circle", 58, 9083804071487862274ull},
    };
    std::vector<NamedOutline> shapes = outlines();
    shapes.push_back({"wavyRing200", wavyRing(200, 0, 0)});
    shapes.push_back({"wavyRing200FarOut", wavyRing(200, 15000, -8000)});
    shapes.push_back({"wavyRing61", wavyRing(61, 7, 3)});
    shapes.push_back({"circle500", circle(500, 1000.0f, 20000.0f, 20000.0f)});
    ASSERT_EQ(shapes.size(), std::size(cases));
    for (const Case& c : cases) {
        const auto shape = std::find_if(shapes.begin(), shapes.end(),
                                        [&](const NamedOutline& s) { return s.name == c.name; });
        ASSERT_NE(shape, shapes.end()) << c.name;
        const Outline triangles = triangulate(shape->outline);
        EXPECT_EQ(triangles.size(), 3 * c.triangles) << c.name;
        EXPECT_EQ(digest(triangles), c.digest) << c.name;
    }
}

}  // namespace
