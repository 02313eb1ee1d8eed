#include "skin/TsuiWinControl.h"

#include "framework/Form.h"
#include "skin/SkinFonts.h"

TsuiWinControl::TsuiWinControl(TComponent* Owner) : TWinControl(Owner)
{
    SetControlStyle(ControlStyle() & ~csAcceptsControls);
    FFont.SetName(SkinFaceName());
    FFont.OnChange = [this](TObject*) { FontChanged(); };
}

void TsuiWinControl::SetCaption(const std::string& Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    CaptionChanged();
}

void TsuiWinControl::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    EnabledChanged();
}

bool TsuiWinControl::EffectivelyEnabled() const
{
    if (!FEnabled)
        return false;
    for (const TWinControl* p = Parent(); p; p = p->Parent())
        if (auto* s = dynamic_cast<const TsuiWinControl*>(p); s && !s->Enabled())
            return false;
    return true;
}

void TsuiWinControl::MouseEnter()
{
    Invalidate();
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TsuiWinControl::MouseLeave()
{
    Invalidate();
    if (OnMouseLeave)
        OnMouseLeave(this);
}

// The framework sends moves to the control under the pointer, and to a pressed control also
// outside it, so the moves tell when the pointer comes in and goes out.
void TsuiWinControl::TrackPointer(int X, int Y)
{
    const bool inside = ClientRect().Contains(X, Y);
    if (inside == FMouseInControl)
        return;
    FMouseInControl = inside;
    if (inside)
        MouseEnter();
    else
        MouseLeave();
}

void TsuiWinControl::MouseMove(TShiftState Shift, int X, int Y)
{
    TrackPointer(X, Y);
    TWinControl::MouseMove(Shift, X, Y);
}

void TsuiWinControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!EffectivelyEnabled())
        return;
    TrackPointer(X, Y);
    TWinControl::MouseDown(Button, Shift, X, Y);
}

void TsuiWinControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!EffectivelyEnabled())
        return;
    TrackPointer(X, Y);
    TWinControl::MouseUp(Button, Shift, X, Y);
}

void TsuiWinControl::Click()
{
    if (EffectivelyEnabled())
        TWinControl::Click();
}

TColor TsuiWinControl::BackgroundColor() const { return Parent() ? Parent()->Color() : Color(); }

void TsuiWinControl::FillBackground(TCanvas& Canvas)
{
    Canvas.Brush().Style = bsSolid;
    Canvas.Brush().Color = BackgroundColor();
    Canvas.FillRect(ClientRect());
}

namespace {

TsuiWinControl* FirstFocusable(TWinControl* Parent)
{
    for (int i = 0; i < Parent->ControlCount(); ++i) {
        TControl* c = Parent->Controls(i);
        if (!c->IsWindowed() || !c->Visible())
            continue;
        auto* s = dynamic_cast<TsuiWinControl*>(c);
        if (s && s->TabStop() && s->CanFocus())
            return s;
        if (TsuiWinControl* inside = FirstFocusable(static_cast<TWinControl*>(c)))
            return inside;
    }
    return nullptr;
}

}  // namespace

bool TsuiWinControl::SelectFirst()
{
    TsuiWinControl* first = FirstFocusable(this);
    if (!first)
        return false;
    first->TakeFocus();
    return true;
}

void TsuiWinControl::TakeFocus()
{
    TForm* form = ParentForm();
    TWinControl* previous = form ? form->FocusedControl() : nullptr;
    SetFocus();
    if (previous && previous != this)
        previous->Invalidate();
    Invalidate();
}

void TsuiWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}
