// The project's stored shapes: names made unique by " copy", empty names
// refused, the outline copied, and deleting only what the list holds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/scheme/tbStoredShapes.h"

namespace {

std::vector<std::string> names(const tbStoredShapeList& shapes) {
    std::vector<std::string> out;
    for (const auto& s : shapes) out.push_back(s->name);
    return out;
}

TEST(StoredShapes, EachStoredShapeKeepsANameOfItsOwn) {
    const struct {
        std::vector<std::string> before;
        std::string name;
        std::string stored;
    } cases[] = {
        {{}, "Wing", "Wing"},
        {{"Wing"}, "Wing", "Wing copy"},
        {{"Wing", "Wing copy"}, "Wing", "Wing copy copy"},
        // Matched in list order, "Wing" would become "Wing copy" beside "Wing copy".
        {{"Wing copy", "Wing"}, "Wing", "Wing copy copy"},
        {{"Wing copy"}, "Wing", "Wing"},
        {{"wing"}, "Wing", "Wing"},
        // Names fit the file's 127 bytes; a copy cuts the name, not " copy",
        // so it stays apart from the name it copies once saved and read back.
        {{}, std::string(200, 'w'), std::string(127, 'w')},
        {{std::string(127, 'w')}, std::string(200, 'w'), std::string(122, 'w') + " copy"},
        {{std::string(127, 'w'), std::string(122, 'w') + " copy"}, std::string(127, 'w'),
         std::string(117, 'w') + " copy copy"},
        // "\xC3\xA9" is one character of two bytes, never cut in half.
        {{}, std::string(124, 'x') + "\xC3\xA9\xC3\xA9\xC3\xA9", std::string(124, 'x') + "\xC3\xA9"},
    };
    for (const auto& c : cases) {
        tbStoredShapeList shapes;
        for (const std::string& n : c.before) shapes.push_back(std::make_unique<tbStoredShape>(tbStoredShape{n, {}}));
        const tbStoredShape* stored = tbStoreShape(shapes, c.name, {});
        ASSERT_NE(stored, nullptr) << c.name;
        EXPECT_EQ(stored->name, c.stored) << c.name;
        EXPECT_EQ(shapes.back().get(), stored);
        EXPECT_EQ(shapes.size(), c.before.size() + 1);
    }
}

TEST(StoredShapes, StoringCopiesTheOutlineAndDeletingTakesOnlyWhatTheListHolds) {
    tbStoredShapeList shapes;
    std::vector<tbShapePoint> outline = {{0, {1, 2}, {}, {}}, {1, {3, 4}, {10, 0}, {10, 0}}};
    EXPECT_EQ(tbStoreShape(shapes, "", outline), nullptr);
    EXPECT_TRUE(shapes.empty());

    tbStoredShape* first = tbStoreShape(shapes, "Stripe", outline);
    outline.pop_back();
    tbStoredShape* second = tbStoreShape(shapes, "Star", outline);
    ASSERT_EQ(first->points.size(), 2u);
    EXPECT_EQ(first->points[1].outHandle.x, 10.0f);
    EXPECT_EQ(second->points.size(), 1u);

    const tbStoredShape stranger{"Stripe", {}};
    EXPECT_FALSE(tbDeleteStoredShape(shapes, &stranger));
    EXPECT_FALSE(tbDeleteStoredShape(shapes, nullptr));
    EXPECT_TRUE(tbDeleteStoredShape(shapes, first));
    EXPECT_EQ(names(shapes), std::vector<std::string>{"Star"});
    EXPECT_FALSE(tbDeleteStoredShape(shapes, first));
}

}  // namespace
