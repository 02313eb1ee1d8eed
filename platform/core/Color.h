#pragma once
#include <cstdint>
#include <optional>

// A colour in the program's encoding: 0x00BBGGRR for an explicit colour (red in the low byte),
// 0x800000nn for system colour number nn, and the two special values clNone and clDefault.
using TColor = int32_t;

// A pixel as bitmaps hold it in memory: 0x00RRGGBB.
using TPixel = uint32_t;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clBlack = 0x00000000;
constexpr TColor clMaroon = 0x00000080;
constexpr TColor clGreen = 0x00008000;
constexpr TColor clOlive = 0x00008080;
constexpr TColor clNavy = 0x00800000;
constexpr TColor clPurple = 0x00800080;
constexpr TColor clTeal = 0x00808000;
constexpr TColor clGray = 0x00808080;
constexpr TColor clSilver = 0x00C0C0C0;
constexpr TColor clRed = 0x000000FF;
constexpr TColor clLime = 0x0000FF00;
constexpr TColor clYellow = 0x0000FFFF;
constexpr TColor clBlue = 0x00FF0000;
constexpr TColor clFuchsia = 0x00FF00FF;
constexpr TColor clAqua = 0x00FFFF00;
constexpr TColor clWhite = 0x00FFFFFF;
constexpr TColor clMoneyGreen = 0x00C0DCC0;
constexpr TColor clSkyBlue = 0x00F0CAA6;
constexpr TColor clCream = 0x00F0FBFF;
constexpr TColor clMedGray = 0x00A4A0A0;

constexpr TColor clScrollBar = static_cast<TColor>(0x80000000);
constexpr TColor clBackground = static_cast<TColor>(0x80000001);
constexpr TColor clActiveCaption = static_cast<TColor>(0x80000002);
constexpr TColor clInactiveCaption = static_cast<TColor>(0x80000003);
constexpr TColor clMenu = static_cast<TColor>(0x80000004);
constexpr TColor clWindow = static_cast<TColor>(0x80000005);
constexpr TColor clWindowFrame = static_cast<TColor>(0x80000006);
constexpr TColor clMenuText = static_cast<TColor>(0x80000007);
constexpr TColor clWindowText = static_cast<TColor>(0x80000008);
constexpr TColor clCaptionText = static_cast<TColor>(0x80000009);
constexpr TColor clActiveBorder = static_cast<TColor>(0x8000000A);
constexpr TColor clInactiveBorder = static_cast<TColor>(0x8000000B);
constexpr TColor clAppWorkSpace = static_cast<TColor>(0x8000000C);
constexpr TColor clHighlight = static_cast<TColor>(0x8000000D);
constexpr TColor clHighlightText = static_cast<TColor>(0x8000000E);
constexpr TColor clBtnFace = static_cast<TColor>(0x8000000F);
constexpr TColor clBtnShadow = static_cast<TColor>(0x80000010);
constexpr TColor clGrayText = static_cast<TColor>(0x80000011);
constexpr TColor clBtnText = static_cast<TColor>(0x80000012);
constexpr TColor clInactiveCaptionText = static_cast<TColor>(0x80000013);
constexpr TColor clBtnHighlight = static_cast<TColor>(0x80000014);
constexpr TColor cl3DDkShadow = static_cast<TColor>(0x80000015);
constexpr TColor cl3DLight = static_cast<TColor>(0x80000016);
constexpr TColor clInfoText = static_cast<TColor>(0x80000017);
constexpr TColor clInfoBk = static_cast<TColor>(0x80000018);
constexpr TColor clHotLight = static_cast<TColor>(0x8000001A);
constexpr TColor clGradientActiveCaption = static_cast<TColor>(0x8000001B);
constexpr TColor clGradientInactiveCaption = static_cast<TColor>(0x8000001C);
constexpr TColor clMenuHighlight = static_cast<TColor>(0x8000001D);
constexpr TColor clMenuBar = static_cast<TColor>(0x8000001E);

// The platform's current colour scheme: the explicit colour (0x00BBGGRR) of system colour
// number Index, or nothing when the platform has no colour of that number.
class IColorScheme {
public:
    virtual ~IColorScheme() = default;
    virtual std::optional<TColor> SystemColor(int Index) const = 0;
};

// Every negative value names a system colour by its low byte; the system's own values are
// 0x80000000 to 0x8000001E, and any other, such as -1 (index 255), names one that does not exist.
constexpr bool IsSystemColor(TColor c) { return c < 0; }

// Resolves a colour to an explicit 0x00BBGGRR value. System colours go through the current
// platform's colour scheme, and an index with no system colour resolves to black. clNone and
// clDefault have no colour of their own; they resolve as their low three bytes would.
TColor ColorToRGB(TColor Color);

// The same colour as a pixel value (0x00RRGGBB).
TPixel ColorToPixel(TColor Color);

constexpr TPixel BgrToPixel(TColor bgr)
{
    const uint32_t v = static_cast<uint32_t>(bgr);
    return ((v & 0xFF) << 16) | (v & 0xFF00) | ((v >> 16) & 0xFF);
}

constexpr TColor PixelToColor(TPixel p) { return static_cast<TColor>(BgrToPixel(static_cast<TColor>(p & 0xFFFFFF))); }
