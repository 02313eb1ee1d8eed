#include <gtest/gtest.h>

#include "app/DaemonRequest.h"

TEST(DaemonRequest, WindowIdsAreDecimalOrHexadecimalOfAtMost32Bits)
{
    const struct { const char* text; std::optional<uint32_t> id; } cases[] = {
        {"1234", 1234u}, {"0x4a00007", 0x4a00007u}, {"0X4A00007", 0x4a00007u}, {"4294967295", 0xFFFFFFFFu},
        {"0xFFFFFFFF", 0xFFFFFFFFu}, {"4294967296", std::nullopt}, {"0x100000000", std::nullopt},
        {"", std::nullopt}, {"0x", std::nullopt}, {"0", std::nullopt}, {"-5", std::nullopt}, {"+5", std::nullopt},
        {" 5", std::nullopt}, {"5 ", std::nullopt}, {"$1F", std::nullopt}, {"0x1g", std::nullopt},
        {"12a", std::nullopt}, {"99999999999999999999999", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseWindowId(c.text), c.id) << '"' << c.text << '"';
}

TEST(DaemonRequest, OptionsNameTheWindowToDrawIn)
{
    using K = TDaemonRequest::TKind;
    const struct {
        std::vector<std::string> args;
        const char* env;
        K kind;
        uint32_t window;
        bool error;
    } cases[] = {
        {{}, nullptr, K::None, 0, false},
        {{"/s"}, "0x400001", K::None, 0, false},
        {{"-root"}, "0x400001", K::Root, 0x400001, false},
        {{"-root"}, "4194305", K::Root, 4194305, false},
        {{"-root"}, nullptr, K::Root, 0, false},
        {{"-root"}, "garbage", K::None, 0, true},
        {{"-root"}, "", K::None, 0, true},
        {{"-window-id", "0x2a"}, nullptr, K::WindowId, 42, false},
        {{"--window-id", "42"}, "0x99", K::WindowId, 42, false},
        {{"-window-id"}, nullptr, K::None, 0, true},
        {{"-window-id", "-1"}, nullptr, K::None, 0, true},
        {{"-window"}, nullptr, K::OwnWindow, 0, false},
        {{"-window", "-root"}, "0x10", K::OwnWindow, 0, false},
    };
    for (const auto& c : cases) {
        const TDaemonRequest r = DaemonRequestFromArguments(c.args, c.env);
        const std::string row = (c.args.empty() ? std::string("(none)") : c.args[0]) + " env=" + (c.env ? c.env : "unset");
        EXPECT_EQ(r.Kind, c.kind) << row;
        EXPECT_EQ(r.Window, c.window) << row;
        EXPECT_EQ(!r.Error.empty(), c.error) << row << ": " << r.Error;
    }
}

TEST(DaemonRequest, AMalformedIdIsNamedInTheMessage)
{
    const TDaemonRequest r = DaemonRequestFromArguments({"-root"}, "0xZZ");
    EXPECT_EQ(r.Error, "XSCREENSAVER_WINDOW '0xZZ' is not an X window id (decimal, or hexadecimal after 0x)");
}
