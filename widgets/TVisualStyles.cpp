#include "widgets/TVisualStyles.h"

#include "framework/WinControl.h"
#include "platform/gfx/Canvas.h"

namespace {

IVisualStyles*& Current()
{
    static TVisualStyles machine;
    static IVisualStyles* current = &machine;
    return current;
}

}  // namespace

bool TVisualStyles::DrawThemeParentBackground(const TControl& Control, TCanvas& Canvas, const TRect& Rect)
{
    const TWinControl* parent = Control.Parent();
    if (!parent || parent->Color() == clNone)
        return false;
    Canvas.Brush().Style = bsSolid;
    Canvas.Brush().Color = parent->Color();
    Canvas.FillRect(Rect);
    return true;
}

IVisualStyles& VisualStyles() { return *Current(); }

TScopedVisualStyles::TScopedVisualStyles(IVisualStyles& Replacement) : FSaved(Current()) { Current() = &Replacement; }

TScopedVisualStyles::~TScopedVisualStyles() { Current() = FSaved; }
