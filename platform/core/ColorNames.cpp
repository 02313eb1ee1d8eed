#include "platform/core/ColorNames.h"

#include <array>
#include <cctype>
#include <cstdio>

#include "platform/core/Numeric.h"


namespace {

constexpr std::array<TColorName, ColorNameCount> kNames = {{
    {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clGreen", clGreen}, {"clOlive", clOlive},
    {"clNavy", clNavy}, {"clPurple", clPurple}, {"clTeal", clTeal}, {"clGray", clGray},
    {"clSilver", clSilver}, {"clRed", clRed}, {"clLime", clLime}, {"clYellow", clYellow},
    {"clBlue", clBlue}, {"clFuchsia", clFuchsia}, {"clAqua", clAqua}, {"clWhite", clWhite},
    {"clMoneyGreen", clMoneyGreen}, {"clSkyBlue", clSkyBlue}, {"clCream", clCream}, {"clMedGray", clMedGray},
    {"clActiveBorder", clActiveBorder}, {"clActiveCaption", clActiveCaption},
    {"clAppWorkSpace", clAppWorkSpace}, {"clBackground", clBackground}, {"clBtnFace", clBtnFace},
    {"clBtnHighlight", clBtnHighlight}, {"clBtnShadow", clBtnShadow}, {"clBtnText", clBtnText},
    {"clCaptionText", clCaptionText}, {"clDefault", clDefault},
    {"clGradientActiveCaption", clGradientActiveCaption}, {"clGradientInactiveCaption", clGradientInactiveCaption},
    {"clGrayText", clGrayText}, {"clHighlight", clHighlight}, {"clHighlightText", clHighlightText},
    {"clHotLight", clHotLight}, {"clInactiveBorder", clInactiveBorder}, {"clInactiveCaption", clInactiveCaption},
    {"clInactiveCaptionText", clInactiveCaptionText}, {"clInfoBk", clInfoBk}, {"clInfoText", clInfoText},
    {"clMenu", clMenu}, {"clMenuBar", clMenuBar}, {"clMenuHighlight", clMenuHighlight},
    {"clMenuText", clMenuText}, {"clNone", clNone}, {"clScrollBar", clScrollBar},
    {"cl3DDkShadow", cl3DDkShadow}, {"cl3DLight", cl3DLight}, {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame}, {"clWindowText", clWindowText},
}};

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

const TColorName& ColorNameAt(int Index) { return kNames.at(static_cast<size_t>(Index)); }

std::optional<std::string_view> ColorToIdent(TColor Color)
{
    for (const auto& entry : kNames)
        if (entry.Value == Color)
            return entry.Name;
    return std::nullopt;
}

std::optional<TColor> IdentToColor(std::string_view Name)
{
    for (const auto& entry : kNames)
        if (SameIgnoringCase(entry.Name, Name))
            return entry.Value;
    return std::nullopt;
}

std::string ColorToString(TColor Color)
{
    if (const auto name = ColorToIdent(Color))
        return std::string(*name);
    char text[16];
    std::snprintf(text, sizeof text, "$%08X", static_cast<unsigned>(Color));
    return text;
}

std::optional<TColor> StringToColor(std::string_view Text)
{
    if (const auto named = IdentToColor(Text))
        return named;
    return TryStrToInt(Text);
}
