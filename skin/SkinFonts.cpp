#include "skin/SkinFonts.h"

#include "platform/Platform.h"
#include "platform/gfx/IFontEngine.h"

namespace {

// The font engine substitutes its own fallback face for a face that is not installed and says
// nothing about it, so a face counts as installed when a sample sets differently in it than in
// a name that surely is not a face.
bool LooksInstalled(IFontEngine& Engine, const std::string& Face)
{
    const std::string sample = "Quorvel Wg 0123 il|MW";
    TFontSpec wanted;
    wanted.Name = Face;
    wanted.Height = 24;
    TFontSpec missing = wanted;
    missing.Name = "Quorvel No Such Face";
    for (uint8_t style : {uint8_t(0), uint8_t(fsBold)}) {
        wanted.Style = missing.Style = style;
        if (Engine.TextExtent(sample, wanted) != Engine.TextExtent(sample, missing))
            return true;
    }
    return false;
}

std::string PickFace()
{
    IFontEngine* engine = CurrentPlatform().Fonts;
    const char* faces[] = {"Tahoma", "DejaVu Sans", "Liberation Sans", "Arial", "Verdana"};
    if (engine)
        for (const char* face : faces)
            if (LooksInstalled(*engine, face))
                return face;
    return faces[0];
}

}  // namespace

const std::string& SkinFaceName()
{
    static const std::string face = PickFace();
    return face;
}

TFontSpec SkinFont(int32_t Height, uint8_t Style, TColor Color)
{
    TFontSpec font;
    font.Name = SkinFaceName();
    font.Height = Height;
    font.Charset = DefaultCharset;
    font.Style = Style;
    font.Color = Color;
    return font;
}
