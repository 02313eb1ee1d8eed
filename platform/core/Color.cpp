#include "platform/core/Color.h"

#include "platform/Platform.h"

TColor ColorToRGB(TColor Color)
{
    if (!IsSystemColor(Color))
        return Color & 0x00FFFFFF;
    const IColorScheme* scheme = CurrentPlatform().Colors;
    const std::optional<TColor> resolved = scheme ? scheme->SystemColor(Color & 0xFF) : std::nullopt;
    return resolved ? (*resolved & 0x00FFFFFF) : clBlack;
}

TPixel ColorToPixel(TColor Color) { return BgrToPixel(ColorToRGB(Color)); }
