#include "skin/TsuiTabSheet.h"

#include "skin/TsuiPageControl.h"

TsuiTabSheet::TsuiTabSheet(TComponent* Owner) : TsuiWinControl(Owner)
{
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetParentColor(false);
    SetColor(0x00E7E7E7);
    SetTabStop(false);
}

TsuiPageControl* TsuiTabSheet::PageControl() const { return dynamic_cast<TsuiPageControl*>(Parent()); }

void TsuiTabSheet::SetPageControl(TsuiPageControl* Value)
{
    if (Value == PageControl())
        return;
    SetParent(Value);
    if (Value)
        Value->PageAdded(this);
}

int TsuiTabSheet::PageIndex() const
{
    TsuiPageControl* pages = PageControl();
    if (!pages)
        return -1;
    for (int i = 0; i < pages->PageCount(); ++i)
        if (pages->Pages(i) == this)
            return i;
    return -1;
}

void TsuiTabSheet::CaptionChanged()
{
    if (TsuiPageControl* pages = PageControl())
        pages->Invalidate();
}
