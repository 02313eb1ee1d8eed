#include "widgets/TVrPalette.h"

void TVrPalette::SetLow(TColor Value)
{
    if (Value == FLow)
        return;
    FLow = Value;
    Changed();
}

void TVrPalette::SetHigh(TColor Value)
{
    if (Value == FHigh)
        return;
    FHigh = Value;
    Changed();
}

TColor TVrPalette::GetColors(int Index) const { return Index <= 0 ? FLow : FHigh; }

void TVrPalette::Assign(const TVrPersistent& Source)
{
    const auto* palette = dynamic_cast<const TVrPalette*>(&Source);
    if (!palette) {
        TVrPersistent::Assign(Source);
        return;
    }
    BeginUpdate();
    SetLow(palette->Low());
    SetHigh(palette->High());
    EndUpdate();
}
