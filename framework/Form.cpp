#include "framework/Form.h"

#include "framework/Application.h"
#include "platform/INativeWindows.h"
#include "platform/core/Exception.h"

namespace {

INativeWindows& WindowSystem()
{
    INativeWindows* w = Application().Windows();
    if (!w)
        throw Exception("This system has no window service");
    return *w;
}

uint32_t ButtonDownMessage(TMouseButton b)
{
    return b == TMouseButton::mbRight ? WM_RBUTTONDOWN : b == TMouseButton::mbMiddle ? WM_MBUTTONDOWN : WM_LBUTTONDOWN;
}

uint32_t ButtonUpMessage(TMouseButton b)
{
    return b == TMouseButton::mbRight ? WM_RBUTTONUP : b == TMouseButton::mbMiddle ? WM_MBUTTONUP : WM_LBUTTONUP;
}

uintptr_t MouseKeys(TShiftState s)
{
    return ((s & ssLeft) ? MK_LBUTTON : 0) | ((s & ssRight) ? MK_RBUTTON : 0) | ((s & ssMiddle) ? MK_MBUTTON : 0) |
           ((s & ssShift) ? MK_SHIFT : 0) | ((s & ssCtrl) ? MK_CONTROL : 0);
}

}  // namespace

TForm::TForm(TComponent* Owner) : TWinControl(Owner)
{
    SetVisibleFlag(false);
    SetColor(clBtnFace);
    Application().AddForm(this);
}

TForm::~TForm()
{
    MarkDestroying();
    // The elements refer back to the form while they go, so they go while it is whole.
    DestroyComponents();
    if (FHandle) {
        Application().UnregisterTarget(FHandle);
        if (INativeWindows* w = Application().Windows())
            w->Destroy(FHandle);
    }
    Application().RemoveForm(this);
}

TRect TForm::FrameInsets() const
{
    INativeWindows* w = Application().Windows();
    return w ? w->FrameInsets(NativeParams()) : TRect{};
}

TRect TForm::ClientRect() const
{
    const TRect f = FrameInsets();
    return {0, 0, std::max(Width() - f.Left - f.Right, 0), std::max(Height() - f.Top - f.Bottom, 0)};
}

void TForm::SetClientWidth(int32_t Value)
{
    const TRect f = FrameInsets();
    SetWidth(Value + f.Left + f.Right);
}

void TForm::SetClientHeight(int32_t Value)
{
    const TRect f = FrameInsets();
    SetHeight(Value + f.Top + f.Bottom);
}

void TForm::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight)
{
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (!FHandle)
        return;   // the back buffer takes its size when the window is shown
    WindowSystem().SetBounds(FHandle, BoundsRect());
    // A new size gives a white back buffer, so everything is painted again.
    if (SizeBackBuffer())
        Invalidate();
}

void TForm::SetVisible(bool Value)
{
    if (Value == Visible())
        return;
    if (Value) {
        FClosed = false;
        WindowSystem().Show(Handle(), true);
        SetVisibleFlag(true);
        SizeBackBuffer();
        ++FBackBufferGeneration;
        Invalidate();
        UpdatePointer();
    } else {
        SetVisibleFlag(false);
        FInvalid.Clear();
        FExposed.Clear();
        if (FHandle)
            WindowSystem().Show(FHandle, false);
    }
}

void TForm::SetCaption(const std::string& Value)
{
    if (Value == FCaption)
        return;
    FCaption = Value;
    if (FHandle)
        WindowSystem().SetCaption(FHandle, FCaption);
}

void TForm::SetBorderStyle(TFormBorderStyle Value)
{
    if (Value == FBorderStyle)
        return;
    FBorderStyle = Value;
    ApplyNativeStyle();
}

void TForm::SetFormStyle(TFormStyle Value)
{
    if (Value == FFormStyle)
        return;
    FFormStyle = Value;
    ApplyNativeStyle();
}

// A native window takes its border and caption when it is made, so a change makes it anew.
void TForm::ApplyNativeStyle()
{
    if (!FHandle)
        return;
    const bool shown = Visible();
    Application().UnregisterTarget(FHandle);
    WindowSystem().Destroy(FHandle);
    FHandle = 0;
    if (shown) {
        WindowSystem().Show(Handle(), true);
        Invalidate();
    }
}

TNativeWindowParams TForm::NativeParams() const
{
    TNativeWindowParams p;
    p.Bounds = BoundsRect();
    p.Caption = FCaption;
    p.Border = FBorderStyle != TFormBorderStyle::bsNone;
    p.TitleBar = FBorderStyle != TFormBorderStyle::bsNone;
    p.StayOnTop = FFormStyle == TFormStyle::fsStayOnTop;
    return p;
}

TNativeWindow TForm::Handle()
{
    if (FHandle)
        return FHandle;
    FHandle = WindowSystem().Create(NativeParams());
    if (!FHandle)
        throw Exception("Error creating window");
    Application().RegisterTarget(FHandle, this);
    // Where the system can show the back buffer straight from memory of its own, the buffer
    // lives there, which spares a copy of every presented area and the memory of that copy.
    FBackBuffer.SetPixelStore(WindowSystem().BackBufferStore(FHandle));
    return FHandle;
}

void TForm::Close()
{
    if (FClosed)
        return;
    FClosed = true;
    TCloseAction action = this == Application().MainForm() ? TCloseAction::caFree : TCloseAction::caHide;
    if (OnClose)
        OnClose(this, action);
    if (action == TCloseAction::caNone) {
        FClosed = false;
        return;
    }
    if (this == Application().MainForm())
        Application().Terminate();
    else if (action == TCloseAction::caFree)
        Release();
    else
        Hide();
}

void TForm::Release() { PostMessage(CM_RELEASE, 0, 0); }

bool TForm::SetTimer(uintptr_t Id, uint32_t Milliseconds) { return WindowSystem().StartTimer(Handle(), Id, Milliseconds); }

void TForm::KillTimer(uintptr_t Id)
{
    if (FHandle)
        WindowSystem().StopTimer(FHandle, Id);
}

void TForm::PostMessage(uint32_t Msg, uintptr_t WParam, intptr_t LParam)
{
    WindowSystem().Post(Handle(), Msg, WParam, LParam);
}

bool TForm::CanPaint() const { return Visible() && FHandle != 0 && !Destroying() && !Loading(); }

void TForm::InvalidateArea(const TRect& Area)
{
    if (!CanPaint())
        return;
    const TRect area = Area.Intersected(ClientRect());
    if (!area.IsEmpty())
        FInvalid.Add(Application().ComposeWhole() ? ClientRect() : area);
}

bool TForm::SizeBackBuffer()
{
    if (FBackBuffer.Width() == ClientWidth() && FBackBuffer.Height() == ClientHeight())
        return false;
    FBackBuffer.SetSize(ClientWidth(), ClientHeight());
    ++FBackBufferGeneration;
    return true;
}

void TForm::LeaveOutShownLayers(TRegion& Area) const
{
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->IsWindowed() || !c->Visible())
            continue;
        TRect shown;
        if (!static_cast<TWinControl*>(c)->ShowsLayerAsItIs(shown))
            continue;
        bool covered = false;
        for (int j = i + 1; j < ControlCount() && !covered; ++j) {
            const TControl* above = Controls(j);
            covered = above->IsWindowed() && above->Visible() && above->BoundsRect().Intersects(c->BoundsRect());
        }
        if (!covered)
            Area.Subtract(shown);
    }
}

void TForm::Update()
{
    if (FComposing || !CanPaint() || !PaintPending())
        return;
    // Invalidations made while painting go into a fresh region and wait for the next cycle.
    TRegion area;
    std::swap(area, FInvalid);
    SizeBackBuffer();
    LeaveOutShownLayers(area);
    TRegion shown;
    std::swap(shown, FExposed);
    for (const TRect& r : area.Rects())
        shown.Add(r);
    struct TComposing {
        TForm& Form;
        const TRegion& Area;
        // What was painted is shown even when a paint failed part of the way.
        ~TComposing()
        {
            Form.FComposing = false;
            try {
                Form.PresentArea(Area);
            } catch (...) {
            }
        }
    } composing{*this, shown};
    FComposing = true;
    for (const TRect& r : area.Rects())
        PaintArea(FBackBuffer, {0, 0}, r);
}

void TForm::PresentArea(const TRegion& Area)
{
    if (!FHandle || !Visible())
        return;
    FPresented = true;
    INativeWindows& w = WindowSystem();
    // Pieces that nearly fill their bounding rectangle, as a moved panel leaves them, are shown
    // in one go: each presentation is a round of drawing and flushing on the window system,
    // which costs more than the few pixels shown twice. The back buffer holds the composed
    // window everywhere, so the extra pixels are the ones already on the screen.
    const TRect bounds = Area.Bounds();
    int64_t pieces = 0;
    for (const TRect& r : Area.Rects())
        pieces += int64_t(r.Width()) * r.Height();
    if (Area.Rects().size() > 1 && int64_t(bounds.Width()) * bounds.Height() * 4 <= pieces * 5) {
        w.Present(FHandle, FBackBuffer, bounds);
        return;
    }
    for (const TRect& r : Area.Rects())
        w.Present(FHandle, FBackBuffer, r);
}

TControl* TForm::ControlUnderPointer()
{
    if (!FPointerInside)
        return nullptr;
    if (FCapture)
        return FCapture;
    TWinControl* w = WindowedControlAt(FPointer);
    if (!w)
        return nullptr;
    const TPoint local = FPointer.Translated(-w->FormOrigin().X, -w->FormOrigin().Y);
    TControl* c = w->ControlAtPos(local);
    return c ? c : w;
}

void TForm::UpdatePointer()
{
    if (!FHandle || !Visible())
        return;
    TCursor shape = Application().Cursor();
    // A control with the default shape shows the shape of the nearest parent that has one.
    for (TControl* c = ControlUnderPointer(); c && shape == crDefault; c = c->Parent())
        shape = c->Cursor();
    if (shape == crDefault && !FPointerInside)
        shape = Application().Cursor() != crDefault ? Application().Cursor() : Cursor();
    if (shape == FShownCursor)
        return;
    FShownCursor = shape;
    WindowSystem().SetPointer(FHandle, shape);
}

void TForm::ControlRemoved(TControl* Control)
{
    if (FCapture == Control)
        FCapture = nullptr;
    if (FFocused == Control)
        FFocused = nullptr;
}

void TForm::DoCreate()
{
    try {
        if (OnCreate)
            OnCreate(this);
    } catch (...) {
        Application().HandleException();
    }
}

void TForm::HandleNativeEvent(const TNativeEvent& Event)
{
    switch (Event.Kind) {
    case TNativeEvent::MouseDown:
    case TNativeEvent::MouseUp:
    case TNativeEvent::MouseMove:
        HandleMouseEvent(Event);
        break;
    case TNativeEvent::KeyDown:
    case TNativeEvent::KeyUp:
    case TNativeEvent::Wheel:
        HandleKeyOrWheel(Event);
        break;
    case TNativeEvent::Activate:
        Perform(WM_ACTIVATE, Event.Active ? WA_ACTIVE : WA_INACTIVE, 0);
        break;
    case TNativeEvent::SystemCommand:
        Perform(WM_SYSCOMMAND, Event.Command, 0);
        break;
    case TNativeEvent::CloseRequest:
        Perform(WM_CLOSE, 0, 0);
        break;
    case TNativeEvent::Expose:
        InvalidateArea(Event.Area);
        if (CanPaint())
            FExposed.Add(Event.Area.Intersected(ClientRect()));
        break;
    case TNativeEvent::Resized:
        TControl::SetBounds(Event.Area.Left, Event.Area.Top, Event.Area.Width(), Event.Area.Height());
        SizeBackBuffer();
        Invalidate();
        break;
    case TNativeEvent::Timer:
        Perform(WM_TIMER, Event.TimerId, 0);
        break;
    case TNativeEvent::Message:
        if (Event.Msg == CM_RELEASE) {
            delete this;
            return;
        }
        Perform(Event.Msg, Event.WParam, Event.LParam);
        break;
    case TNativeEvent::None:
        break;
    }
}

void TForm::HandleMouseEvent(const TNativeEvent& Event)
{
    FPointer = Event.Position;
    FPointerInside = ClientRect().Contains(Event.Position);
    // While a button is held over a control, the control keeps the pointer's events.
    TControl* target = FCapture;
    if (!target) {
        target = WindowedControlAt(Event.Position);
        if (!target && Event.Kind != TNativeEvent::MouseMove)
            return;
    }
    if (Event.Kind == TNativeEvent::MouseDown && (target->ControlStyle() & csCaptureMouse))
        FCapture = target;
    uint32_t msg = WM_MOUSEMOVE;
    if (Event.Kind == TNativeEvent::MouseDown)
        msg = ButtonDownMessage(Event.Button);
    else if (Event.Kind == TNativeEvent::MouseUp)
        msg = ButtonUpMessage(Event.Button);
    if (Event.Kind == TNativeEvent::MouseUp && !(Event.Shift & (ssLeft | ssRight | ssMiddle)))
        FCapture = nullptr;
    UpdatePointer();
    if (!target)
        return;
    const TPoint o = target->FormOrigin();
    target->Perform(msg, MouseKeys(Event.Shift), PointToLParam(Event.Position.Translated(-o.X, -o.Y)), Event.Shift);
}

void TForm::HandleKeyOrWheel(const TNativeEvent& Event)
{
    TControl* target = FFocused && FFocused->Showing() ? static_cast<TControl*>(FFocused) : this;
    if (Event.Kind == TNativeEvent::Wheel) {
        const uintptr_t w = (static_cast<uintptr_t>(static_cast<uint16_t>(Event.WheelDelta)) << 16) | MouseKeys(Event.Shift);
        target->Perform(WM_MOUSEWHEEL, w, PointToLParam(Event.Position), Event.Shift);
        return;
    }
    target->Perform(Event.Kind == TNativeEvent::KeyDown ? WM_KEYDOWN : WM_KEYUP, Event.Key, 0, Event.Shift);
}

void TForm::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ACTIVATE: {
        FActive = LoWord(Message.WParam) != WA_INACTIVE;
        const TNotifyEvent& handler = FActive ? OnActivate : OnDeactivate;
        if (handler)
            handler(this);
        break;
    }
    case WM_SYSCOMMAND:
        if ((Message.WParam & 0xFFF0) == SC_CLOSE)
            Close();
        else if (FHandle)
            WindowSystem().DefaultSystemCommand(FHandle, static_cast<uint32_t>(Message.WParam));
        break;
    case WM_NCLBUTTONDOWN:
        if (Message.WParam == HTCAPTION && FHandle)
            WindowSystem().BeginMoveDrag(FHandle);
        break;
    case WM_CLOSE:
        Close();
        break;
    default:
        TWinControl::Dispatch(Message);
    }
}
