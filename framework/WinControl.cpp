#include "framework/WinControl.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Form.h"
#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"

TWinControl::TWinControl(TComponent* Owner) : TControl(Owner)
{
    SetControlStyle(ControlStyle() | csAcceptsControls);
}

TWinControl::~TWinControl()
{
    MarkDestroying();
    DestroyComponents();
    // Children owned elsewhere outlive their parent: they are only taken out of it.
    for (TControl* c : FControls)
        c->FParent = nullptr;
    FControls.clear();
}

TControl* TWinControl::Controls(int Index) const
{
    if (Index < 0 || Index >= ControlCount())
        return nullptr;
    return FControls[static_cast<size_t>(Index)];
}

void TWinControl::InsertControl(TControl* Control)
{
    FControls.push_back(Control);
    Control->FParent = this;
}

void TWinControl::RemoveControl(TControl* Control)
{
    if (TForm* form = ParentForm())
        form->ControlRemoved(Control);
    auto it = std::find(FControls.begin(), FControls.end(), Control);
    if (it != FControls.end())
        FControls.erase(it);
    Control->FParent = nullptr;
}

void TWinControl::Repaint()
{
    if (!Visible() || !Showing())
        return;
    Invalidate();
    Update();
}

TWinControl* TWinControl::WindowedControlAt(TPoint Point, bool AllowDisabled)
{
    if (!ClientRect().Contains(Point))
        return nullptr;
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (!c->IsWindowed() || !c->Visible() || !c->BoundsRect().Contains(Point))
            continue;
        if (!AllowDisabled && !c->Enabled())
            continue;
        auto* w = static_cast<TWinControl*>(c);
        if (TWinControl* hit = w->WindowedControlAt(Point.Translated(-c->Left(), -c->Top()), AllowDisabled))
            return hit;
    }
    return this;
}

TControl* TWinControl::ControlAtPos(TPoint Point, bool AllowDisabled) const
{
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (!c->IsWindowed() && c->Visible() && (AllowDisabled || c->Enabled()) && c->BoundsRect().Contains(Point))
            return c;
    }
    return nullptr;
}

void TWinControl::PaintArea(TBitmap& Surface, TPoint Origin, const TRect& Area)
{
    if (!KeepsLayer()) {
        // A layer that stops being kept is stale by the time it is kept again.
        FLayer.reset();
        ComposeArea(Surface, Origin, Area);
        return;
    }
    const TRect mine = ClientRect().Translated(Origin.X, Origin.Y).Intersected(Area);
    if (mine.IsEmpty())
        return;
    const bool refreshed = RefreshLayer();
    Surface.Canvas().Draw(mine.Left, mine.Top, FLayer->Canvas(), mine.Translated(-Origin.X, -Origin.Y));
    NoteLayerShown(Surface, Origin, mine, refreshed);
}

void TWinControl::NoteLayerShown(const TBitmap& Surface, TPoint Origin, const TRect& Area, bool Refreshed)
{
    const TForm* form = ParentForm();
    if (!form || &Surface != &form->BackBuffer())
        return;
    // The form paints its invalid region piece by piece, so the picture is whole on the back
    // buffer once every piece of its visible part has been copied at the same place.
    const TRect visible = ClientRect().Translated(Origin.X, Origin.Y).Intersected(Surface.BoundsRect());
    const TRect local = visible.Translated(-Origin.X, -Origin.Y);
    if (Refreshed || FLayerShownAt != Origin || FLayerShownGeneration != form->BackBufferGeneration() ||
        FLayerShown != local) {
        FLayerShownAt = Origin;
        FLayerShownGeneration = form->BackBufferGeneration();
        FLayerShown = local;
        FLayerUnshown = TRegion(local);
    }
    FLayerUnshown.Subtract(Area.Translated(-Origin.X, -Origin.Y));
}

bool TWinControl::ShowsLayerAsItIs(TRect& Shown) const
{
    const TForm* form = ParentForm();
    if (!form || !KeepsLayer() || !FLayer || !FLayerInvalid.IsEmpty() || FLayerShown.IsEmpty() ||
        !FLayerUnshown.IsEmpty())
        return false;
    if (FLayer->Width() != ClientRect().Width() || FLayer->Height() != ClientRect().Height())
        return false;
    const TPoint o = FormOrigin();
    if (FLayerShownGeneration != form->BackBufferGeneration() || FLayerShownAt != o)
        return false;
    Shown = FLayerShown.Translated(o.X, o.Y);
    return true;
}

void TWinControl::SetLayered(bool Value)
{
    if (Value == FLayered)
        return;
    FLayered = Value;
    FLayer.reset();
    FLayerInvalid.Clear();
}

bool TWinControl::KeepsLayer() const { return FLayered && !ShowsParentPixels() && !Application().ComposeWhole(); }

TWinControl* TWinControl::EnclosingLayer()
{
    for (TWinControl* c = this; c; c = c->FParent)
        if (c->KeepsLayer())
            return c;
    return nullptr;
}

void TWinControl::LayerInvalidated(const TRect& Area)
{
    if (!FLayer)
        return;
    const TPoint o = FormOrigin();
    FLayerInvalid.Add(Area.Translated(-o.X, -o.Y).Intersected(ClientRect()));
}

bool TWinControl::RefreshLayer()
{
    const TRect client = ClientRect();
    if (!FLayer || FLayer->Width() != client.Width() || FLayer->Height() != client.Height()) {
        if (!FLayer)
            FLayer = std::make_unique<TBitmap>();
        FLayer->SetSize(client.Width(), client.Height());
        FLayerInvalid = TRegion(client);
    }
    // Invalidations made while painting the layer wait for its next use.
    TRegion dirty;
    std::swap(dirty, FLayerInvalid);
    const std::vector<TRect>& rects = dirty.Rects();
    for (size_t i = 0; i < rects.size(); ++i) {
        try {
            ComposeArea(*FLayer, {0, 0}, rects[i]);
        } catch (...) {
            // What was not painted stays invalid, so a later paint tries it again.
            for (size_t j = i; j < rects.size(); ++j)
                FLayerInvalid.Add(rects[j]);
            throw;
        }
    }
    return !rects.empty();
}

void TWinControl::ShowLayerArea(const TRegion& Area)
{
    TForm* form = ParentForm();
    if (!form || !FLayer)
        return;
    TWinControl* outer = FParent ? FParent->EnclosingLayer() : nullptr;
    if (outer && !outer->FLayer)
        return;
    const TPoint o = FormOrigin();
    const TPoint to = outer ? o.Translated(-outer->FormOrigin().X, -outer->FormOrigin().Y) : o;
    TBitmap& surface = outer ? *outer->FLayer : form->BackBuffer();
    for (const TRect& r : Area.Rects())
        surface.Canvas().Draw(r.Left + to.X, r.Top + to.Y, FLayer->Canvas(), r);
    if (outer) {
        TRegion there = Area;
        there.Offset(to.X, to.Y);
        outer->ShowLayerArea(there);
    }
}

void TWinControl::ComposeArea(TBitmap& Surface, TPoint Origin, const TRect& Area)
{
    const TRect mine = ClientRect().Translated(Origin.X, Origin.Y).Intersected(Area);
    if (mine.IsEmpty())
        return;
    // Windowed children are painted over everything else, so nothing of this control is drawn
    // under them.
    TRegion behind(mine);
    for (TControl* c : FControls)
        if (c->IsWindowed() && c->Visible())
            behind.Subtract(c->BoundsRect().Translated(Origin.X, Origin.Y));

    TCanvas& canvas = Canvas();
    for (const TRect& r : behind.Rects()) {
        canvas.Attach(&Surface, Origin, r);
        EraseBackground(canvas);
    }
    // The own paint leaves out what opaque windowless children cover completely.
    TRegion own = behind;
    for (TControl* c : FControls)
        if (!c->IsWindowed() && c->Visible() && c->Opaque())
            own.Subtract(c->BoundsRect().Translated(Origin.X, Origin.Y));
    try {
        for (const TRect& r : own.Rects()) {
            canvas.Attach(&Surface, Origin, r);
            Paint();
        }
    } catch (...) {
        canvas.Detach();
        throw;
    }
    canvas.Detach();

    for (TControl* c : FControls)
        if (!c->IsWindowed() && c->Visible())
            PaintWindowless(c, Surface, Origin, behind);
    for (TControl* c : FControls)
        if (c->IsWindowed() && c->Visible())
            static_cast<TWinControl*>(c)->PaintArea(Surface, Origin.Translated(c->Left(), c->Top()), mine);
}

void TWinControl::PaintWindowless(TControl* Control, TBitmap& Surface, TPoint Origin, const TRegion& Area)
{
    const TRect bounds = Control->BoundsRect().Translated(Origin.X, Origin.Y);
    for (const TRect& r : Area.Rects()) {
        const TRect clip = bounds.Intersected(r);
        if (!clip.IsEmpty())
            Control->PaintRequest(&Surface, bounds.TopLeft(), clip);
    }
}

TRegion TWinControl::VisibleArea(const TRect& Rect) const
{
    const TPoint origin = FormOrigin();
    TRegion area(Rect.Intersected(ClientRect()).Translated(origin.X, origin.Y));
    for (TControl* c : FControls)
        if (c->IsWindowed() && c->Visible())
            area.Subtract(c->BoundsRect().Translated(origin.X, origin.Y));
    // Going up, each parent clips to its client area, and windowed siblings added after a
    // control lie above it.
    for (const TControl* c = this; c->Parent(); c = c->Parent()) {
        const TWinControl* p = c->Parent();
        const TPoint po = p->FormOrigin();
        area.Intersect(p->ClientRect().Translated(po.X, po.Y));
        auto it = std::find(p->FControls.begin(), p->FControls.end(), c);
        for (++it; it != p->FControls.end(); ++it)
            if ((*it)->IsWindowed() && (*it)->Visible())
                area.Subtract((*it)->BoundsRect().Translated(po.X, po.Y));
    }
    return area;
}

void TWinControl::RepaintOpaqueChild(TControl* Child)
{
    TForm* form = ParentForm();
    if (!form || !form->CanPaint())
        return;
    TWinControl* layer = EnclosingLayer();
    if (layer && !layer->FLayer) {
        // The layer is made whole at its first paint, which shows the child as it is now.
        Child->Invalidate();
        return;
    }
    const TRegion area = VisibleArea(Child->BoundsRect());
    if (!layer) {
        if (area.IsEmpty())
            return;
        RepaintChildOn(Child, form->BackBuffer(), FormOrigin(), area);
        form->PresentArea(area);
        return;
    }
    // The child is painted into the kept picture, where it shows on the screen; the rest of its
    // rectangle in that picture is painted at the layer's next use.
    const TPoint lo = layer->FormOrigin();
    const TPoint o = FormOrigin();
    TRegion inLayer = area;
    inLayer.Offset(-lo.X, -lo.Y);
    TRegion stale(Child->BoundsRect().Translated(o.X - lo.X, o.Y - lo.Y).Intersected(layer->ClientRect()));
    for (const TRect& r : inLayer.Rects())
        stale.Subtract(r);
    for (const TRect& r : stale.Rects())
        layer->FLayerInvalid.Add(r);
    RepaintChildOn(Child, *layer->FLayer, o.Translated(-lo.X, -lo.Y), inLayer);
    layer->ShowLayerArea(inLayer);
    form->PresentArea(area);
}

void TWinControl::RepaintChildOn(TControl* Child, TBitmap& Surface, TPoint Origin, const TRegion& Area)
{
    if (Area.IsEmpty())
        return;
    const TRect childRect = Child->BoundsRect();
    auto it = std::find(FControls.begin(), FControls.end(), Child);
    for (; it != FControls.end(); ++it) {
        TControl* c = *it;
        if (c->IsWindowed() || !c->Visible())
            continue;
        if (c != Child && !c->BoundsRect().Intersects(childRect))
            continue;
        PaintWindowless(c, Surface, Origin, Area);
    }
}

void TWinControl::SetFocus()
{
    TForm* form = ParentForm();
    if (!form)
        return;
    if (this == form)
        form->SetFocusedControl(nullptr);
    else if (CanFocus())
        form->SetFocusedControl(this);
}

bool TWinControl::CanFocus() const
{
    const TForm* form = ParentForm();
    if (!form)
        return false;
    // The form's own visibility does not count: a control may take the focus before its form
    // is shown, as a dialog picks its first control while it is being made.
    for (const TControl* c = this; c && c != form; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return form->Enabled();
}

void TWinControl::SetTabStop(bool Value) { FTabStop = Value; }

void TWinControl::CollectTabOrder(std::vector<TWinControl*>& Out) const
{
    for (TControl* c : FControls) {
        if (!c->IsWindowed())
            continue;
        auto* w = static_cast<TWinControl*>(c);
        Out.push_back(w);
        w->CollectTabOrder(Out);
    }
}

TWinControl* TWinControl::FindNextControl(TWinControl* Current, bool Forward, bool CheckTabStop) const
{
    std::vector<TWinControl*> order;
    CollectTabOrder(order);
    const int n = static_cast<int>(order.size());
    const auto at = std::find(order.begin(), order.end(), Current);
    // Without a current control the walk starts just outside the list, so that its first step
    // lands on the first (or the last) control.
    int i = at != order.end() ? static_cast<int>(at - order.begin()) : Forward ? -1 : n;
    for (int k = 0; k < n; ++k) {
        i = Forward ? (i + 1) % n : (i + n - 1) % n;
        TWinControl* w = order[static_cast<size_t>(i)];
        if (w->CanFocus() && (!CheckTabStop || w->TabStop()))
            return w;
    }
    return nullptr;
}

void TWinControl::SelectFirst()
{
    TWinControl* first = FindNextControl(nullptr, true, true);
    if (!first)
        first = FindNextControl(nullptr, true, false);
    if (!first && CanFocus())
        first = this;
    if (first)
        first->SetFocus();
}

void TWinControl::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
    Invalidate();
}

void TWinControl::DoExit()
{
    if (OnExit)
        OnExit(this);
    Invalidate();
}

bool TWinControl::Focused() const
{
    const TForm* form = ParentForm();
    return form && (form->FocusedControl() == this || (form == this && !form->FocusedControl()));
}

void TWinControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_KEYUP: {
        uint16_t key = LoWord(Message.WParam);
        if (Message.Msg == WM_KEYDOWN)
            KeyDown(key, Message.Shift);
        else
            KeyUp(key, Message.Shift);
        // The key as the handler left it goes on to the parent.
        Message.WParam = key;
        if (key == 0)
            Message.Result = 1;
        break;
    }
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
        // Over a windowless child the child takes the event, in its own coordinates.
        const TPoint p = LParamToPoint(Message.LParam);
        // A control that holds the pointer after a press on its own surface keeps it, also
        // over its windowless children.
        const TForm* form = ParentForm();
        TControl* c = form && form->CaptureControl() == this ? nullptr : ControlAtPos(p);
        if (c) {
            TMessage forwarded = Message;
            forwarded.LParam = PointToLParam(p.Translated(-c->Left(), -c->Top()));
            c->Deliver(forwarded);
            Message.Result = forwarded.Result;
            break;
        }
        TControl::Dispatch(Message);
        break;
    }
    default:
        TControl::Dispatch(Message);
    }
}

void TWinControl::EraseBackground(TCanvas& Canvas)
{
    if (Color() == clNone)
        return;
    Canvas.Brush().Style = bsSolid;
    Canvas.Brush().Color = Color();
    Canvas.FillRect(ClientRect());
}

void TWinControl::KeyDown(uint16_t& Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(uint16_t& Key, TShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TWinControl::ColorChanged()
{
    // A windowed child may draw this control's colour as its own background.
    for (TControl* c : FControls)
        if (c->IsWindowed()) {
            auto* w = static_cast<TWinControl*>(c);
            if (w->FLayer)
                w->FLayerInvalid.Add(w->ClientRect());
        }
    for (TControl* c : FControls)
        if (c->ParentColor() && c->Color() != Color()) {
            c->FColor = Color();
            c->ColorChanged();
        }
    Invalidate();
}
