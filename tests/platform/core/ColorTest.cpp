#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/core/ClassicColorScheme.h"
#include "platform/core/ColorNames.h"

namespace {

// A scheme with exactly one system colour, so a test can tell resolved from unresolved.
class OneColorScheme : public IColorScheme {
public:
    std::optional<TColor> SystemColor(int Index) const override
    {
        return Index == 15 ? std::optional<TColor>(0x00C8D0D4) : std::nullopt;
    }
};

}  // namespace

TEST(Color, SystemColorsResolveThroughThePlatformScheme)
{
    OneColorScheme scheme;
    Platform p = CurrentPlatform();
    p.Colors = &scheme;
    ScopedPlatform installed(p);

    const struct { TColor in, rgb; } cases[] = {
        {clBtnFace, 0x00C8D0D4},            // index 15 exists
        {clBtnShadow, clBlack},             // index 16 is not in this scheme
        {static_cast<TColor>(0x800000FF), clBlack},
        {clRed, clRed},
        {static_cast<TColor>(0x01FF8040), 0x00FF8040},   // stray high bits of an explicit colour are dropped
        {-1, clBlack},                      // index 255 names no system colour
    };
    for (const auto& c : cases)
        EXPECT_EQ(ColorToRGB(c.in), c.rgb) << std::hex << c.in;
    EXPECT_EQ(ColorToPixel(clRed), 0xFF0000u);
    EXPECT_EQ(ColorToPixel(clBlue), 0x0000FFu);
}

TEST(Color, ClassicSchemeHasNoColourForUnusedNumbers)
{
    TClassicColorScheme scheme;
    EXPECT_EQ(scheme.SystemColor(15), std::optional<TColor>(0x00C8D0D4));
    EXPECT_EQ(scheme.SystemColor(25), std::nullopt);
    EXPECT_EQ(scheme.SystemColor(31), std::nullopt);
    EXPECT_EQ(scheme.SystemColor(-1), std::nullopt);
}

TEST(ColorNames, TableKeepsItsFixedOrder)
{
    const struct { int index; const char* name; TColor value; } cases[] = {
        {0, "clBlack", 0x00000000}, {9, "clRed", 0x000000FF}, {15, "clWhite", 0x00FFFFFF},
        {16, "clMoneyGreen", 0x00C0DCC0}, {29, "clDefault", 0x20000000}, {45, "clNone", 0x1FFFFFFF},
        {51, "clWindowText", static_cast<TColor>(0x80000008)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColorNameAt(c.index).Name, c.name) << c.index;
        EXPECT_EQ(ColorNameAt(c.index).Value, c.value) << c.index;
    }
}

TEST(ColorNames, NamesAndNumbersConvertBothWays)
{
    const struct { const char* text; std::optional<TColor> value; } toColor[] = {
        {"clRed", clRed}, {"CLRED", clRed}, {"clBtnFace", clBtnFace}, {"clNone", clNone},
        {"255", 255}, {"-1", -1}, {"$FF00", 0xFF00}, {"$ff00ff", 0x00FF00FF}, {"$FFFFFFFF", -1},
        {"2147483647", 2147483647}, {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt}, {"$100000000", std::nullopt}, {"clNoSuch", std::nullopt},
        {"", std::nullopt}, {"$", std::nullopt}, {" 255", 255}, {"255 ", std::nullopt}, {"-$FF", -255}, {"12a", std::nullopt},
    };
    for (const auto& c : toColor)
        EXPECT_EQ(StringToColor(c.text), c.value) << '"' << c.text << '"';

    EXPECT_EQ(ColorToString(clFuchsia), "clFuchsia");
    EXPECT_EQ(ColorToString(0x00123456), "$00123456");
    EXPECT_EQ(ColorToIdent(clActiveCaption), std::optional<std::string_view>("clActiveCaption"));
    EXPECT_EQ(ColorToIdent(0x00123456), std::nullopt);
}
