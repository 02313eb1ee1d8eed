#include <sstream>

#include <gtest/gtest.h>

#include "platform/core/Rect.h"

TEST(Rect, IntersectionAndUnionFollowExclusiveEdges)
{
    const struct { TRect a, b, common, both; } cases[] = {
        {{0, 0, 10, 10}, {5, 5, 15, 15}, {5, 5, 10, 10}, {0, 0, 15, 15}},
        {{0, 0, 10, 10}, {10, 0, 20, 10}, {}, {0, 0, 20, 10}},          // touching edges share no pixel
        {{0, 0, 10, 10}, {3, 3, 2, 2}, {}, {0, 0, 10, 10}},             // right < left is empty
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.a.Intersected(c.b), c.common) << c.a << " & " << c.b;
        EXPECT_EQ(c.a.United(c.b), c.both) << c.a << " | " << c.b;
    }
}

TEST(Rect, PrintsAsTwoCorners)
{
    std::ostringstream text;
    text << TRect{2, 2, 103, 6};
    EXPECT_EQ(text.str(), "(2,2)-(103,6)");
    EXPECT_EQ(WidthOf(TRect{2, 2, 103, 6}), 101);
    EXPECT_EQ(HeightOf(TRect{2, 2, 103, 6}), 4);
}
