#include "framework/Control.h"

#include <algorithm>

#include "framework/Form.h"
#include "framework/NativeViewHost.h"
#include "framework/WinControl.h"
#include "platform/core/Exception.h"

namespace {

struct TCanvasLease {
    TCanvas& Canvas;
    TCanvasLease(TCanvas& c, TBitmap* Surface, TPoint Origin, const TRect& Clip) : Canvas(c)
    {
        Canvas.Lock();
        Canvas.Attach(Surface, Origin, Clip);
    }
    ~TCanvasLease()
    {
        Canvas.Detach();
        Canvas.Unlock();
    }
};

TMouseButton ButtonOf(uint32_t Msg)
{
    switch (Msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return TMouseButton::mbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return TMouseButton::mbMiddle;
    default:
        return TMouseButton::mbLeft;
    }
}

}  // namespace

TControl::TControl(TComponent* Owner) : TComponent(Owner)
{
    FWindowProc = [this](TMessage& m) { WndProc(m); };
}

TControl::~TControl()
{
    MarkDestroying();
    if (FParent)
        SetParent(nullptr);
}

TForm* TControl::ParentForm() const { return FParent ? FParent->ParentForm() : nullptr; }

void TControl::SetParent(TWinControl* Value)
{
    if (Value == FParent)
        return;
    for (const TControl* p = Value; p; p = p->FParent)
        if (p == this)
            throw Exception::Fmt("Control '%s' cannot be its own parent", {Name()});
    if (FParent) {
        Invalidate();
        TForm* oldForm = ParentForm();
        FParent->RemoveControl(this);
        if (oldForm && !oldForm->Destroying())
            oldForm->PointerTargetsChanged();
    }
    if (Value) {
        Value->InsertControl(this);
        if (FParentColor)
            FColor = Value->Color();
        Invalidate();
    }
    NotifyFormOfChange(false);
}

TPoint TControl::FormOrigin() const
{
    TPoint p;
    for (const TControl* c = this; c && c->FParent; c = c->FParent)
        p = p.Translated(c->FLeft, c->FTop);
    return p;
}

TPoint TControl::ClientToScreen(TPoint Point) const
{
    const TPoint o = FormOrigin();
    const TForm* form = ParentForm();
    const TPoint screen = form ? form->ClientOrigin() : TPoint{};
    return Point.Translated(o.X + screen.X, o.Y + screen.Y);
}

TPoint TControl::ScreenToClient(TPoint Point) const
{
    const TPoint origin = ClientToScreen({0, 0});
    return Point.Translated(-origin.X, -origin.Y);
}

void TControl::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight)
{
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight)
        return;
    // The parent repaints where the control was and where it is now; a control that lies over
    // other pixels than before shows them afresh. A control that keeps a layer keeps its
    // picture: moving it shows that picture elsewhere, and a new size makes it anew.
    InvalidatePlace();
    FLeft = ALeft;
    FTop = ATop;
    FWidth = AWidth;
    FHeight = AHeight;
    InvalidatePlace();
    NotifyFormOfChange(false);
}

void TControl::SetVisible(bool Value)
{
    if (Value == FVisible)
        return;
    if (FVisible)
        Invalidate();
    FVisible = Value;
    Invalidate();
    NotifyFormOfChange(!Value);
}

void TControl::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    FEnabled = Value;
    NotifyFormOfChange(!Value);
    EnabledChanged();
}

bool TControl::EffectivelyEnabled() const
{
    for (const TControl* c = this; c; c = c->FParent)
        if (!c->FEnabled)
            return false;
    return true;
}

void TControl::SetHint(const std::string& Value)
{
    if (Value == FHint)
        return;
    FHint = Value;
    if (TForm* form = ParentForm())
        form->HintChanged();
}

void TControl::SetShowHint(bool Value)
{
    if (Value == FShowHint)
        return;
    FShowHint = Value;
    if (TForm* form = ParentForm())
        form->HintChanged();
}

// A control that goes (hidden, disabled or moved away) may take the pointer's hover, the
// capture or the focus with it, and a native view inside it must follow.
void TControl::NotifyFormOfChange(bool Gone)
{
    TNativeViewHost::PlaceAll();
    TForm* form = ParentForm();
    if (!form || form->Destroying())
        return;
    if (Gone)
        form->ControlGone(this);
    form->PointerTargetsChanged();
}

bool TControl::Showing() const
{
    for (const TControl* c = this; c; c = c->FParent) {
        if (!c->FVisible)
            return false;
        if (!c->FParent)
            return c == ParentForm() && ParentForm()->CanPaint();
    }
    return false;
}

void TControl::SetColor(TColor Value)
{
    FParentColor = false;
    if (Value == FColor)
        return;
    FColor = Value;
    ColorChanged();
}

void TControl::SetParentColor(bool Value)
{
    if (Value == FParentColor)
        return;
    FParentColor = Value;
    if (Value && FParent && FParent->Color() != FColor) {
        FColor = FParent->Color();
        ColorChanged();
    }
}

void TControl::SetCursor(TCursor Value)
{
    if (Value == FCursor)
        return;
    FCursor = Value;
    if (TForm* form = ParentForm())
        form->UpdatePointer();
}

void TControl::Invalidate() { InvalidateRect(ClientRect()); }

void TControl::InvalidateRect(const TRect& Rect)
{
    if (!FVisible || Loading())
        return;
    InvalidateFormArea(Rect, true);
}

void TControl::InvalidatePlace()
{
    if (!FVisible || Loading())
        return;
    InvalidateFormArea(ClientRect(), false);
}

void TControl::InvalidateFormArea(const TRect& Rect, bool OwnLayer)
{
    TRect area = Rect.Intersected(ClientRect());
    const TPoint origin = FormOrigin();
    area = area.Translated(origin.X, origin.Y);
    // Every parent clips its children to its client area.
    for (const TControl* p = FParent; p; p = p->FParent) {
        const TPoint po = p->FormOrigin();
        area = area.Intersected(p->ClientRect().Translated(po.X, po.Y));
    }
    // The kept pictures learn of the change even while nothing is shown, so none of them shows
    // an old picture once the window appears again.
    if (OwnLayer && IsWindowed())
        static_cast<TWinControl*>(this)->LayerInvalidated(area);
    for (TWinControl* p = FParent; p; p = p->FParent)
        p->LayerInvalidated(area);
    TForm* form = ParentForm();
    if (!form || !Showing() || form->Destroying())
        return;
    form->InvalidateArea(area);
}

void TControl::Update()
{
    if (TForm* form = ParentForm())
        form->Update();
}

void TControl::Repaint()
{
    if (!FVisible || !FParent || !Showing())
        return;
    if (Opaque()) {
        FParent->RepaintOpaqueChild(this);
    } else {
        Invalidate();
        FParent->Update();
    }
}

void TControl::RepaintOver()
{
    if (!FVisible || !FParent || !Showing())
        return;
    FParent->RepaintOpaqueChild(this);
}

void TControl::PaintRequest(TBitmap* Surface, TPoint Origin, const TRect& Clip)
{
    if (!Surface)
        return;
    TCanvasLease lease(FCanvas, Surface, Origin, Clip);
    Paint();
}

intptr_t TControl::Perform(uint32_t Msg, uintptr_t WParam, intptr_t LParam, TShiftState Shift)
{
    TMessage m{Msg, WParam, LParam, 0, Shift};
    Deliver(m);
    return m.Result;
}

void TControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        HandleMouseMessage(Message);
        break;
    case WM_MOUSEWHEEL: {
        const TPoint pos = LParamToPoint(Message.LParam);
        if (DoMouseWheel(Message.Shift, HiWordSigned(Message.WParam), pos))
            Message.Result = 1;
        else if (FParent)
            FParent->Deliver(Message);
        break;
    }
    default:
        DefaultHandler(Message);
    }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::HandleMouseMessage(TMessage& Message)
{
    const TPoint p = LParamToPoint(Message.LParam);
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
        MouseMove(Message.Shift, p.X, p.Y);
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (Message.Msg == WM_LBUTTONDOWN)
            FClickPending = (FControlStyle & csClickEvents) != 0;
        MouseDown(ButtonOf(Message.Msg), Message.Shift, p.X, p.Y);
        break;
    default: {
        // A click is a left press and release on the control.
        const bool click = Message.Msg == WM_LBUTTONUP && FClickPending && ClientRect().Contains(p);
        FClickPending = false;
        MouseUp(ButtonOf(Message.Msg), Message.Shift, p.X, p.Y);
        if (click)
            Click();
    }
    }
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseEnter()
{
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TControl::MouseLeave()
{
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TControl::Click()
{
    if (OnClick)
        OnClick(this);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    return handled;
}
