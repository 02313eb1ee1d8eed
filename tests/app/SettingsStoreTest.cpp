#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "app/SettingsStore.h"
#include "platform/Platform.h"
#include "platform/core/Exception.h"
#include "platform/headless/HeadlessProcessInfo.h"
#include "platform/headless/HeadlessProfileFiles.h"
#include "platform/headless/HeadlessRegistry.h"

namespace {

const char* const StyleKey = "Software\\Kestrune\\Screensaver";
const char* const IniPath = "/headless/bin/Quorvel.ini";

// The outcome of a call that may raise: its result, or the message it raised.
template <typename F>
std::string Outcome(F Call)
{
    try {
        return std::to_string(Call());
    } catch (const Exception& e) {
        return e.Message();
    }
}

class SettingsStore : public ::testing::Test {
protected:
    SettingsStore() : FScope(Services()) {}

    Platform Services()
    {
        Platform p;
        p.Registry = &Registry;
        p.Profiles = &Profiles;
        p.Process = &Process;
        return p;
    }

    THeadlessRegistry Registry;
    THeadlessProfileFiles Profiles;
    THeadlessProcessInfo Process{"/headless/bin/quorvel"};

private:
    ScopedPlatform FScope;
};

}  // namespace

TEST_F(SettingsStore, ReadStyleGivesTheNumberTheDefaultOrTheError)
{
    using Setup = std::function<void(THeadlessRegistry&)>;
    const auto dword = [](uint32_t n) { return Setup([n](THeadlessRegistry& r) { r.SetDword(RegRoot::LocalMachine, StyleKey, "Style", n); }); };
    const auto raw = [](RegValueType type, std::vector<uint8_t> data) {
        return Setup([=](THeadlessRegistry& r) { r.SetValue(RegRoot::LocalMachine, StyleKey, "Style", type, data); });
    };
    const struct { const char* what; Setup setup; std::string expected; } cases[] = {
        {"no key", [](THeadlessRegistry&) {}, "1"},
        {"key not readable", [](THeadlessRegistry& r) { r.SetDword(RegRoot::LocalMachine, StyleKey, "Style", 0);
                                                        r.SetKeyReadable(RegRoot::LocalMachine, StyleKey, false); }, "1"},
        {"Style 0", dword(0), "0"},
        {"Style 1", dword(1), "1"},
        {"Style 2", dword(2), "2"},
        {"Style -1", dword(0xFFFFFFFF), "-1"},
        {"Style in another case", [](THeadlessRegistry& r) { r.SetDword(RegRoot::LocalMachine, "SOFTWARE\\kestrune\\SCREENSAVER", "STYLE", 0); }, "0"},
        {"key without Style", [](THeadlessRegistry& r) { r.AddKey(RegRoot::LocalMachine, StyleKey); }, "Failed to get data for 'Style'"},
        {"Style under the user's root", [](THeadlessRegistry& r) { r.SetDword(RegRoot::CurrentUser, StyleKey, "Style", 0); }, "1"},
        {"one-character string", [](THeadlessRegistry& r) { r.SetString(RegRoot::LocalMachine, StyleKey, "Style", "1"); }, "Invalid data type for 'Style'"},
        {"two-character string (6 bytes)", [](THeadlessRegistry& r) { r.SetString(RegRoot::LocalMachine, StyleKey, "Style", "12"); }, "Failed to get data for 'Style'"},
        {"8-byte number", raw(RegValueType::Qword, {1, 0, 0, 0, 0, 0, 0, 0}), "Failed to get data for 'Style'"},
        {"4 bytes of binary", raw(RegValueType::Binary, {1, 0, 0, 0}), "Invalid data type for 'Style'"},
        {"big-endian number", raw(RegValueType::DwordBigEndian, {0, 0, 0, 1}), "Invalid data type for 'Style'"},
        {"number of 2 bytes", raw(RegValueType::Dword, {2, 1}), "258"},
        {"number of no bytes", raw(RegValueType::Dword, {}), "0"},
    };
    for (const auto& c : cases) {
        THeadlessRegistry registry;
        c.setup(registry);
        Platform p = Services();
        p.Registry = &registry;
        ScopedPlatform scope(p);
        EXPECT_EQ(Outcome(ReadStyle), c.expected) << c.what;
        EXPECT_EQ(registry.OpenKeyCount(), 0) << c.what << ": the key stays open";
        ASSERT_EQ(registry.Opens().size(), 1u) << c.what;
        EXPECT_EQ(registry.Opens()[0].Root, RegRoot::LocalMachine) << c.what;
        EXPECT_EQ(registry.Opens()[0].Path, StyleKey) << c.what;
        EXPECT_EQ(registry.Opens()[0].Access, 0x20019u) << c.what;
        EXPECT_FALSE(registry.Opens()[0].Create) << c.what;
    }
}

TEST_F(SettingsStore, WriteStyleCreatesTheKeyAndStoresANumber)
{
    for (int32_t value : {0, 1, -1, 0x12345678}) {
        EXPECT_TRUE(WriteStyle(value));
        EXPECT_EQ(ReadStyle(), value);
        const auto stored = Registry.ValueOf(RegRoot::LocalMachine, StyleKey, "Style");
        ASSERT_TRUE(stored);
        EXPECT_EQ(stored->Type, RegValueType::Dword) << value;
        EXPECT_EQ(stored->Data.size(), 4u) << value;
    }
    EXPECT_EQ(Registry.Opens()[0].Access, 0xF003Fu);
    EXPECT_TRUE(Registry.Opens()[0].Create);
    EXPECT_EQ(Registry.OpenKeyCount(), 0);
}

TEST_F(SettingsStore, WriteStyleWithoutTheRightToWriteDoesNothingAndSaysSo)
{
    Registry.SetWritable(false);
    EXPECT_FALSE(WriteStyle(0));
    EXPECT_FALSE(Registry.HasKey(RegRoot::LocalMachine, StyleKey));
    EXPECT_EQ(ReadStyle(), 1);
}

TEST_F(SettingsStore, WriteStyleReportsAValueThatCannotBeSet)
{
    Registry.SetDword(RegRoot::LocalMachine, StyleKey, "Style", 1);
    Registry.SetValueWritesFail(true);
    EXPECT_EQ(Outcome([] { WriteStyle(0); return 0; }), "Failed to set data for 'Style'");
    EXPECT_EQ(Registry.OpenKeyCount(), 0);
    EXPECT_EQ(ReadStyle(), 1);
}

TEST(ClockColorText, ConvertsDecimalAndHexadecimalOrGivesTheDefault)
{
    const struct { std::string text; int32_t expected; } cases[] = {
        {"255", 255}, {"16711935", 16711935}, {"-1", -1}, {"+7", 7}, {"0", 0}, {"0007", 7},
        {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},
        {"2147483648", 99}, {"-2147483649", 99}, {"4294967296", 99}, {"99999999999999999999", 99},
        {"0xFF00", 65280}, {"0XFF00", 65280}, {"$FF00", 65280}, {"$ff00", 65280},
        {"$FFFFFFFF", -1}, {"$80000005", static_cast<int32_t>(0x80000005u)}, {"$100000000", 99},
        {"$00000000FF", 255},                   // leading zeros do not overflow
        {"-$FF", -255}, {"+$FF", 255},          // a sign may stand before "$"
        {"  12", 12}, {"\t12", 12},             // blanks in front are skipped...
        {"12 ", 99}, {"1 2", 99},               // ...but nothing may follow the digits
        {"", 99}, {"abc", 99}, {"-", 99}, {"+", 99}, {"$", 99}, {"0x", 99}, {"0X", 99}, {"x12", 99},
        {"-0x12", 99},                          // "0x" counts only at the very start
        {" 0x12", 99}, {"0x-12", 99}, {"$-12", 99}, {"$G", 99}, {"12abc", 99}, {"1e3", 99},
        {"1.5", 99}, {std::string("1\0" "2", 3), 99}, {"\xEF\xBC\x91", 99},   // a full-width digit
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClockColorFromText(c.text, 99), c.expected) << "text \"" << c.text << "\"";
}

TEST_F(SettingsStore, ReadClockColorReadsSkinBesideTheExecutable)
{
    const struct { const char* what; const char* section; const char* key; std::string value; int32_t expected; } cases[] = {
        {"no file", nullptr, nullptr, "", 255},
        {"red", "Skin", "skin", "255", 255},
        {"another case", "SKIN", "Skin", "65280", 65280},
        {"0x prefix", "Skin", "skin", "0xFF00", 65280},
        {"$ prefix", "Skin", "skin", "$FF00", 65280},
        {"magenta", "Skin", "skin", "16711935", 16711935},
        {"not a number", "Skin", "skin", "abc", 255},
        {"empty", "Skin", "skin", "", 255},
        {"beyond 32 bits", "Skin", "skin", "4294967296", 255},
        {"another key", "Skin", "color", "0", 255},
        {"another section", "Colors", "skin", "0", 255},
        {"2047 characters", "Skin", "skin", std::string(2046, '0') + "7", 7},
        {"text cut after 2047 characters", "Skin", "skin", std::string(2047, '0') + "7", 0},
    };
    for (const auto& c : cases) {
        THeadlessProfileFiles profiles;
        if (c.section)
            profiles.SetString(IniPath, c.section, c.key, c.value);
        Platform p = Services();
        p.Profiles = &profiles;
        ScopedPlatform scope(p);
        EXPECT_EQ(ReadClockColor(), c.expected) << c.what;
        EXPECT_EQ(profiles.PathsUsed(), std::vector<std::string>{IniPath}) << c.what;
    }
}

TEST_F(SettingsStore, WriteClockColorStoresSignedDecimalText)
{
    for (int32_t value : {-1, 65280, INT32_MIN}) {
        WriteClockColor(value);
        EXPECT_EQ(Profiles.String(IniPath, "Skin", "skin"), std::to_string(value));
        EXPECT_EQ(ReadClockColor(), value);
    }
}

TEST_F(SettingsStore, WriteClockColorNamesTheFileItCouldNotWrite)
{
    Profiles.SetWritable(false);
    Process.SetExecutablePath("C:\\Program Files\\Quorvel\\Quorvel.scr");
    EXPECT_EQ(Outcome([] { WriteClockColor(1); return 0; }), "Unable to write to C:\\Program Files\\Quorvel\\Quorvel.ini");
}
