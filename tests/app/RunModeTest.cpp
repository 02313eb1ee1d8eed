#include <gtest/gtest.h>

#include "app/RunMode.h"

TEST(RunMode, FirstArgumentDecidesTheMode)
{
    const struct { const char* arg; RunMode mode; } cases[] = {
        {"/s", RunMode::Saver}, {"/S", RunMode::Saver}, {"/p", RunMode::Preview}, {"/P", RunMode::Preview},
        {"/c", RunMode::Settings}, {"/c:1234", RunMode::Settings}, {"/C:1234", RunMode::Saver},
        {"x/cy", RunMode::Settings}, {"/p/c", RunMode::Settings}, {"/a", RunMode::Saver}, {"/x", RunMode::Saver},
        {"", RunMode::Saver}, {"/p 123", RunMode::Saver}, {"\"/s\"", RunMode::Saver},
        {"/\xC3\x9F", RunMode::Saver},          // non-ASCII is left alone, not lower-cased
        {"/\xC5\xBF", RunMode::Saver},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ModeFromArgument(c.arg), c.mode) << '"' << c.arg << '"';
}

TEST(RunMode, OnlyTheFirstArgumentCounts)
{
    EXPECT_EQ(ModeFromArguments({}), RunMode::Saver);
    EXPECT_EQ(ModeFromArguments({"/p", "1234"}), RunMode::Preview);
    EXPECT_EQ(ModeFromArguments({"/a", "/s"}), RunMode::Saver);
    EXPECT_EQ(ModeFromArguments({"/a", "/c"}), RunMode::Saver);
    EXPECT_EQ(ModeFromArguments({std::string(100000, 'x') + "/c"}), RunMode::Settings);
}
