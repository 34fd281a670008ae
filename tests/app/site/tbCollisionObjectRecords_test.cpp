// The collision objects' and starting positions' records: golden sizes and
// field positions, write -> read -> write giving the same bytes for every
// kind, and damaged records refused by the factory without a crash.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/site/tbCollisionObjectRecords.h"
#include "app/site/tbCollisionObject_area.h"
#include "app/site/tbCollisionObject_heightMap.h"
#include "app/site/tbCollisionObject_marker.h"
#include "app/site/tbCollisionObject_primitive.h"
#include "app/site/tbCollisionObject_skyline.h"
#include "app/site/tbFlyingSitePosition.h"
#include "app/site/tbSiteNames.h"
#include "engine/core/byteCursor.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes recordOf(const tbCollisionObject& object) {
    tbWriteArchive out;
    object.save(out);
    return out.take();
}

Bytes taggedRecordOf(const tbCollisionObject& object) {
    tbWriteArchive out;
    tbWriteCollisionObject(out, object);
    return out.take();
}

template <class T>
T field(const Bytes& bytes, size_t offset) {
    T value;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::unique_ptr<tbCollisionObject_area> areaWith(tbCollisionObject_area::SubKind kind, int points) {
    auto area = std::make_unique<tbCollisionObject_area>(kind, "New area", d3dx::Vector3(10, 20, 30));
    const d3dx::Vector3 square[4] = {{-100, 0, -100}, {100, 0, -100}, {100, 0, 100}, {-100, 0, 100}};
    for (int i = 0; i < points; ++i) area->addPoint(square[i]);
    area->buildGeometry();
    return area;
}

std::unique_ptr<tbCollisionObject_skyline> skylineWithTwoPosts() {
    auto skyline = std::make_unique<tbCollisionObject_skyline>("New skyline");
    skyline->addPoint({{100, 0, 200}, {100, 50, 200}});
    skyline->addPoint({{300, 0, 200}, {300, 80, 200}});
    return skyline;
}

// One object of every kind, as the project makes them.
std::vector<std::unique_ptr<tbCollisionObject>> everyKind() {
    std::vector<std::unique_ptr<tbCollisionObject>> objects;
    objects.push_back(std::make_unique<tbCollisionObject_primitive>(
        tbCollisionObject_primitive::shape_sphere, "New sphere", d3dx::Vector3(1, 2, 3), d3dx::Vector3(0.1f, 0.2f, 0.3f),
        d3dx::Vector3(4, 5, 6)));
    objects.push_back(std::make_unique<tbCollisionObject_heightMap>("New height-map", d3dx::Vector3(0, 0, 0),
                                                                    d3dx::Vector3(), d3dx::Vector3(1000, 1, 1000), 5));
    objects.push_back(areaWith(tbCollisionObject_area::subKind_wind, 4));
    objects.push_back(std::make_unique<tbCollisionObject_marker>("New marker", d3dx::Vector3(7, 0, 9)));
    objects.push_back(skylineWithTwoPosts());
    return objects;
}

TEST(CollisionObjectRecords, SizesOfEveryKind) {
    const auto wind = areaWith(tbCollisionObject_area::subKind_wind, 4);
    const size_t windTriangles = 2 + 4 * 2;  // the top and two per wall
    ASSERT_EQ(wind->getTriangles().size(), windTriangles);
    struct Case {
        const char* name;
        std::unique_ptr<tbCollisionObject> object;
        size_t size;
    };
    Case cases[] = {
        {"plane", std::make_unique<tbCollisionObject_primitive>(tbCollisionObject_primitive::shape_plane, "p",
                                                                d3dx::Vector3(), d3dx::Vector3(), d3dx::Vector3(1, 1, 1)),
         259},
        {"marker", std::make_unique<tbCollisionObject_marker>("m", d3dx::Vector3()), 239},
        {"50 x 50 height map",
         std::make_unique<tbCollisionObject_heightMap>("h", d3dx::Vector3(), d3dx::Vector3(), d3dx::Vector3(5000, 1, 5000),
                                                       50),
         239 + 24 + 4 + 120000},
        {"area of two points", areaWith(tbCollisionObject_area::subKind_area, 2), 239 + 4 + 4 + 24 + 4},
        {"material-area of three points", areaWith(tbCollisionObject_area::subKind_material, 3),
         239 + 4 + 4 + 36 + 4 + 72},
        {"wind-area of four points", areaWith(tbCollisionObject_area::subKind_wind, 4),
         239 + 4 + 4 + 48 + 4 + 72 * windTriangles + 12},
        {"skyline of two posts", skylineWithTwoPosts(), 239 + 4 + 48},
    };
    for (const Case& c : cases) EXPECT_EQ(recordOf(*c.object).size(), c.size) << c.name;
    tbWriteArchive out;
    tbFlyingSitePosition("New position", {1, 2, 3}, 1).save(out);
    EXPECT_EQ(out.size(), tbFlyingSitePosition::kRecordSize);
    EXPECT_EQ(out.size(), 92u);
}

TEST(CollisionObjectRecords, NewObjectBaseRecord) {
    const tbCollisionObject_marker marker("New marker", {12.5f, 0, -3});
    const Bytes bytes = recordOf(marker);
    ASSERT_EQ(bytes.size(), tbCollisionObject::kBaseRecordSize);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())), "New marker");
    for (size_t i = std::strlen("New marker"); i < 64; ++i) EXPECT_EQ(bytes[i], 0) << i;
    EXPECT_EQ(bytes[64], 1);  // draw
    EXPECT_EQ(bytes[65], 1);  // flag A
    EXPECT_EQ(bytes[66], 0);  // flag B
    EXPECT_EQ(field<uint32_t>(bytes, 67), 3u);  // marker
    EXPECT_EQ(field<uint32_t>(bytes, 71), 0u);  // material
    for (size_t matrix : {75u, 139u})
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(field<float>(bytes, matrix + 4 * size_t(i)), i % 5 == 0 ? 1.0f : 0.0f) << matrix << " " << i;
    EXPECT_EQ(field<float>(bytes, 203), 12.5f);
    EXPECT_EQ(field<float>(bytes, 211), -3.0f);
    EXPECT_EQ(field<float>(bytes, 215), 1.0f);  // scale
    EXPECT_EQ(field<float>(bytes, 227), 0.0f);  // angles
}

TEST(CollisionObjectRecords, PositionRecordFields) {
    tbWriteArchive out;
    tbFlyingSitePosition("default 1", {1, 2, 3}, 1).save(out);
    const Bytes bytes = out.take();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())), "default 1");
    EXPECT_EQ(field<uint32_t>(bytes, 64), 1u);
    EXPECT_EQ(field<float>(bytes, 68), 1.0f);
    EXPECT_EQ(field<float>(bytes, 76), 3.0f);
    EXPECT_EQ(field<float>(bytes, 84), 0.0f);
    tbReadArchive in(bytes.data(), bytes.size());
    const auto read = tbFlyingSitePosition::read(in);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->getName(), "default 1");
    EXPECT_EQ(read->getKind(), 1u);
    EXPECT_EQ(read->getPosition(), (d3dx::Vector3{1, 2, 3}));
    tbWriteArchive again;
    read->save(again);
    EXPECT_EQ(again.take(), bytes);
}

TEST(CollisionObjectRecords, EveryKindRoundTripsByTag) {
    for (const auto& object : everyKind()) {
        const Bytes bytes = taggedRecordOf(*object);
        tbReadArchive in(bytes.data(), bytes.size());
        const auto read = tbReadCollisionObject(in);
        ASSERT_TRUE(read) << object->getName() << ": " << in.error();
        EXPECT_EQ(in.position(), bytes.size()) << object->getName();
        EXPECT_EQ(read->getType(), object->getType());
        EXPECT_EQ(taggedRecordOf(*read), bytes) << object->getName();
    }
}

TEST(CollisionObjectRecords, RecordsCheckedInsideALargerFile) {
    Bytes file;
    for (const auto& object : everyKind()) {
        const Bytes bytes = taggedRecordOf(*object);
        file.insert(file.end(), bytes.begin(), bytes.end());
    }
    file.push_back(0xAB);  // whatever follows the objects
    utils::ByteCursor cursor(file.data(), file.size());
    for (int i = 0; i < 5; ++i) {
        const uint32_t tag = cursor.u32();
        std::string error;
        ASSERT_TRUE(tbCheckCollisionObjectRecord(cursor, tag, error)) << i << ": " << error;
    }
    EXPECT_EQ(cursor.u8(), 0xAB);
    EXPECT_TRUE(cursor.ok());
}

TEST(CollisionObjectRecords, DamagedRecordsAreRefused) {
    const Bytes marker = taggedRecordOf(tbCollisionObject_marker("m", {}));
    const Bytes area = taggedRecordOf(*areaWith(tbCollisionObject_area::subKind_area, 3));
    const Bytes heightMap = taggedRecordOf(
        tbCollisionObject_heightMap("h", {}, {}, {100, 1, 100}, 3));
    auto patched = [](Bytes bytes, size_t offset, uint32_t value) {
        std::memcpy(bytes.data() + offset, &value, 4);
        return bytes;
    };
    // Offsets below count the tag in front (4 bytes).
    const size_t inner = 4 + 67, tail = 4 + 239;
    struct Case {
        const char* name;
        Bytes bytes;
        const char* reason;  // empty: the bytes ran out
    };
    const Case cases[] = {
        {"unknown tag", patched(marker, 0, 5), "unknown collision object type 5"},
        {"tag and record disagree", patched(marker, inner, 0), "collision object of type 3 whose record says type 0"},
        {"area kind 3", patched(area, tail, 3), "unknown area kind 3"},
        {"area points past the end", patched(area, tail + 4, 0x10000000), "count of area points larger than the file"},
        {"area triangles past the end", patched(area, tail + 8 + 36, 1000), "count of area triangles larger than the file"},
        {"height map larger than the file", patched(heightMap, tail + 24, 1024),
         "height map of 1024 cells a side larger than the file"},
        {"height map of no cells", patched(heightMap, tail + 24, 0), "height map of 0 cells a side"},
        {"height map of one cell", patched(heightMap, tail + 24, 1), "height map of 1 cells a side"},
        {"height map over 1024 a side", patched(heightMap, tail + 24, 1025), "height map of 1025 cells a side"},
        {"height map count negative as i32", patched(heightMap, tail + 24, 0xFFFFFFFF),
         "height map of 4294967295 cells a side"},
        {"primitive shape 4",
         patched(taggedRecordOf(tbCollisionObject_primitive(tbCollisionObject_primitive::shape_cube, "c", {}, {},
                                                            {1, 1, 1})),
                 tail, 4),
         "unknown primitive shape 4"},
        {"empty", {}, ""},
    };
    for (const Case& c : cases) {
        tbReadArchive in(c.bytes.data(), c.bytes.size());
        EXPECT_EQ(tbReadCollisionObject(in), nullptr) << c.name;
        EXPECT_EQ(in.error(), c.reason) << c.name;
    }
    // Every record cut short anywhere is refused.
    for (const auto& object : everyKind()) {
        const Bytes bytes = taggedRecordOf(*object);
        for (size_t size = 0; size < bytes.size(); size += (size < 300 ? 1 : 97)) {
            tbReadArchive in(bytes.data(), size);
            EXPECT_EQ(tbReadCollisionObject(in), nullptr) << object->getName() << " cut to " << size;
        }
    }
}

TEST(CollisionObjectRecords, HeightMapCellsAreWrittenTheSameEveryTime) {
    const tbCollisionObject_heightMap a("h", {}, {}, {100, 1, 100}, 4);
    const tbCollisionObject_heightMap b("h", {}, {}, {100, 1, 100}, 4);
    const Bytes bytes = recordOf(a);
    EXPECT_EQ(bytes, recordOf(b));
    const size_t firstCell = 239 + 28;
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(field<int32_t>(bytes, firstCell + 16 + 4 * i), 255) << i;
        EXPECT_EQ(field<float>(bytes, firstCell + 32 + 4 * i), 1.0f) << i;  // the colour's float copy
    }
    // Whatever floats a file carries, the map writes them from its colour.
    Bytes odd = taggedRecordOf(a);
    const float junk = 123.0f;
    std::memcpy(odd.data() + 4 + firstCell + 32, &junk, 4);
    tbReadArchive in(odd.data(), odd.size());
    const auto read = tbReadCollisionObject(in);
    ASSERT_TRUE(read);
    EXPECT_EQ(recordOf(*read), bytes);
}

TEST(CollisionObjectRecords, AreaTrianglesComeFromThePoints) {
    const auto wind = areaWith(tbCollisionObject_area::subKind_wind, 4);
    wind->setWindSpeed(7.5f);
    wind->setTurbulence(0.25f);
    wind->setThermals(2.0f);
    Bytes bytes = taggedRecordOf(*wind);
    // The first triangle's first corner, moved far off in the file.
    const size_t firstTriangle = 4 + 239 + 4 + 4 + 48 + 4;
    const float far = 1.0e6f;
    std::memcpy(bytes.data() + firstTriangle, &far, 4);
    tbReadArchive in(bytes.data(), bytes.size());
    const auto read = tbReadCollisionObject(in);
    ASSERT_TRUE(read);
    const auto& area = dynamic_cast<const tbCollisionObject_area&>(*read);
    EXPECT_EQ(area.getTriangles().size(), wind->getTriangles().size());
    EXPECT_EQ(taggedRecordOf(area), taggedRecordOf(*wind));
    EXPECT_EQ(area.getWindSpeed(), 7.5f);
    EXPECT_EQ(area.getTurbulence(), 0.25f);
    EXPECT_EQ(area.getThermals(), 2.0f);
    // Only a wind-area carries the wind values.
    const auto plain = areaWith(tbCollisionObject_area::subKind_area, 4);
    plain->setWindSpeed(7.5f);
    EXPECT_EQ(recordOf(*plain).size(), recordOf(*wind).size() - 12);
}

TEST(CollisionObjectRecords, SkylinePostsAtTheOriginAreDropped) {
    tbCollisionObject_skyline skyline("s");
    skyline.addPoint({{0, 0, 0}, {0, 50, 0}});
    skyline.addPoint({{10, 0, 0}, {10, 50, 0}});
    skyline.addPoint({{20, 0, 0}, {0, 0, 0}});
    const Bytes bytes = taggedRecordOf(skyline);
    tbReadArchive in(bytes.data(), bytes.size());
    const auto read = tbReadCollisionObject(in);
    ASSERT_TRUE(read);
    const auto& posts = dynamic_cast<const tbCollisionObject_skyline&>(*read).getPoints();
    ASSERT_EQ(posts.size(), 1u);
    EXPECT_EQ(posts[0].base, (d3dx::Vector3{10, 0, 0}));
}

TEST(CollisionObjectRecords, NamesLongerThanTheFieldAreRefused) {
    tbCollisionObject_marker marker("m", {});
    tbFlyingSitePosition position("p", {}, 0);
    const std::string longest(kSiteNameMaxLength, 'x'), tooLong(kSiteNameMaxLength + 1, 'y');
    EXPECT_TRUE(marker.setName(longest));
    EXPECT_TRUE(position.setName(longest));
    EXPECT_FALSE(marker.setName(tooLong));
    EXPECT_FALSE(position.setName(tooLong));
    EXPECT_EQ(marker.getName(), longest);
    EXPECT_EQ(position.getName(), longest);
    // The whole name reaches the record and comes back.
    const Bytes bytes = taggedRecordOf(marker);
    tbReadArchive in(bytes.data(), bytes.size());
    EXPECT_EQ(tbReadCollisionObject(in)->getName(), longest);
    // A field filled to its end without a terminator reads as 63 characters,
    // which the record can hold again.
    Bytes unterminated = bytes;
    unterminated[4 + 63] = 'z';
    tbReadArchive in2(unterminated.data(), unterminated.size());
    const auto read = tbReadCollisionObject(in2);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->getName(), longest);
}

}  // namespace
