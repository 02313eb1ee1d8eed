#include <gtest/gtest.h>

#include "platform/core/Exception.h"

TEST(Exception, PlaceholdersTakeTheSubject)
{
    EXPECT_EQ(Exception::Fmt("Failed to get data for '%s'", {"Style"}).Message(), "Failed to get data for 'Style'");
    EXPECT_EQ(Exception::Fmt("Unable to write to %s", {"C:\\x\\Quorvel.ini"}).Message(), "Unable to write to C:\\x\\Quorvel.ini");
    EXPECT_EQ(FormatPlaceholders("100%% of %s, %d", {"a", "7"}), "100% of a, 7");
    EXPECT_EQ(FormatPlaceholders("%s and %s", {"one"}), "one and %s");   // a missing argument leaves the mark
}

TEST(Exception, DisplayAppendsAFullStopAfterCharactersThatSortAfterIt)
{
    const struct { const char* message; const char* shown; } cases[] = {
        {"", ""},
        {"Invalid data type for 'Style'", "Invalid data type for 'Style'"},   // a quote sorts before "."
        {"Unable to write to /tmp/Quorvel.ini", "Unable to write to /tmp/Quorvel.ini."},
        {"Done.", "Done."},
        {"Code 42", "Code 42."},
        {"Broken (x)", "Broken (x)"},
        {"Path/", "Path/."},   // "/" sorts right after "."
        {"Grüße", "Grüße."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorDisplayText(c.message), c.shown) << '"' << c.message << '"';
}
