#include "framework/Form.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/HintWindow.h"
#include "framework/NativeViewHost.h"
#include "framework/PopupWindow.h"
#include "framework/VirtualKeys.h"
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

// The timer of a form that waits for the pointer to rest before a hint shows; chosen far from
// the small numbers programs give their own timers.
constexpr uintptr_t HintTimerId = 0x48494E54;

// Whether Control is Root or lies inside it.
bool IsWithin(const TControl* Control, const TControl* Root)
{
    for (const TControl* c = Control; c; c = c->Parent())
        if (c == Root)
            return true;
    return false;
}

// The hint of a control is its own or, when it has none, its nearest parent's.
std::string HintTextOf(const TControl* Control)
{
    for (const TControl* c = Control; c; c = c->Parent())
        if (!c->Hint().empty())
            return c->ShowHint() && Application().ShowHint() ? c->Hint() : std::string();
    return {};
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
    for (TPopupWindow* p : FPopups)
        p->FPopupOwner = nullptr;
    FPopups.clear();
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
    // Pop-ups lie at a place on the screen next to what opened them, which a move leaves.
    if (ALeft != Left() || ATop != Top())
        ClosePopups();
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
        TNativeViewHost::PlaceAll();
    } else {
        ClosePopups();
        CancelHint();
        SetVisibleFlag(false);
        FInvalid.Clear();
        FExposed.Clear();
        if (FHandle)
            WindowSystem().Show(FHandle, false);
        ReleaseCapture();
        UpdateHover();
        TNativeViewHost::PlaceAll();
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

void TForm::SetFullScreen(bool Value)
{
    if (Value == FFullScreen)
        return;
    FFullScreen = Value;
    ApplyNativeStyle();
}

bool TForm::EmbedIn(uintptr_t HostHandle)
{
    TRect host;
    if (HostHandle == 0 || !WindowSystem().SystemWindowRect(HostHandle, host))
        return false;
    FForeignHost = HostHandle;
    FHostGone = false;
    ApplyNativeStyle();
    SetBounds(0, 0, host.Width(), host.Height());
    return true;
}

TPoint TForm::ClientOrigin() const
{
    const TRect f = FrameInsets();
    TPoint origin{Left() + f.Left, Top() + f.Top};
    // A child of another program's window lies in that window's client area.
    TRect host;
    if (FForeignHost && Application().Windows() && Application().Windows()->SystemWindowRect(FForeignHost, host))
        origin = origin.Translated(host.Left, host.Top);
    return origin;
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
    p.StayOnTop = FFormStyle == TFormStyle::fsStayOnTop;
    if (FForeignHost) {
        p.Kind = TNativeWindowKind::ForeignChild;
        p.Host = FForeignHost;
    } else if (FFullScreen) {
        p.Kind = TNativeWindowKind::Frameless;
        p.FullScreen = true;
    } else {
        p.Kind = FBorderStyle == TFormBorderStyle::bsNone ? TNativeWindowKind::Frameless : TNativeWindowKind::Framed;
    }
    p.Border = p.Kind == TNativeWindowKind::Framed;
    p.TitleBar = p.Kind == TNativeWindowKind::Framed;
    return p;
}

TNativeWindow TForm::Handle()
{
    if (FHandle)
        return FHandle;
    if (FHostGone)
        throw Exception("The window that held this window has gone");
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

void TForm::Release()
{
    // A form whose host went has no window to post to; it goes once its close is over.
    if (FHostGone && !FHandle) {
        FReleaseWhenGone = true;
        return;
    }
    PostMessage(CM_RELEASE, 0, 0);
}

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
    return ControlAtPointer();
}

TControl* TForm::ControlAtPointer()
{
    if (!FPointerInside || !Visible() || !Enabled())
        return nullptr;
    TWinControl* w = WindowedControlAt(FPointer);
    if (!w)
        return nullptr;
    const TPoint local = FPointer.Translated(-w->FormOrigin().X, -w->FormOrigin().Y);
    TControl* c = w->ControlAtPos(local);
    return c ? c : w;
}

void TForm::PointerTargetsChanged()
{
    if (Destroying())
        return;
    UpdateHover();
    UpdatePointer();
}

void TForm::UpdateHover()
{
    TControl* now = ControlAtPointer();
    if (now == FHover)
        return;
    TControl* old = FHover;
    FHover = now;
    CancelHint();
    if (old) {
        old->FMouseInControl = false;
        old->MouseLeave();
    }
    // A leave handler may have changed what lies under the pointer; the newer answer stands.
    if (now && FHover == now) {
        now->FMouseInControl = true;
        now->MouseEnter();
    }
    if (FHover == now)
        StartHintTimer();
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
    if (IsWithin(FCapture, Control))
        ReleaseCapture();
    if (IsWithin(FFocused, Control))
        FFocused = nullptr;
    if (IsWithin(FHover, Control)) {
        FHover->FMouseInControl = false;
        FHover = nullptr;
        CancelHint();
    }
}

void TForm::ControlGone(TControl* Control)
{
    if (IsWithin(FCapture, Control))
        ReleaseCapture();
    if (IsWithin(FFocused, Control))
        SetFocusedControl(nullptr);
}

void TForm::ReleaseCapture()
{
    if (!FCapture)
        return;
    FCapture = nullptr;
    if (FHandle && !HoldsPointer())
        WindowSystem().CapturePointer(FHandle, false);
}

void TForm::SetFocusedControl(TWinControl* Control)
{
    if (Control == this)
        Control = nullptr;
    if (Control == FFocused)
        return;
    TWinControl* old = FFocused;
    FFocused = Control;
    // The controls the focus leaves, innermost first; an exit handler that moves the focus
    // again has the last word.
    for (TWinControl* c = old; c && c != this && !IsWithin(Control, c); c = c->Parent()) {
        c->DoExit();
        if (FFocused != Control)
            return;
    }
    std::vector<TWinControl*> entered;
    for (TWinControl* c = Control; c && c != this && !IsWithin(old, c); c = c->Parent())
        entered.push_back(c);
    for (auto it = entered.rbegin(); it != entered.rend(); ++it) {
        (*it)->DoEnter();
        if (FFocused != Control)
            return;
    }
}

void TForm::StartHintTimer()
{
    if (!FHover || HintTextOf(FHover).empty() || !FHandle)
        return;
    FHintTimer = SetTimer(HintTimerId, HintPause);
}

void TForm::CancelHint()
{
    if (FHintTimer) {
        FHintTimer = false;
        KillTimer(HintTimerId);
    }
    if (FHintWindow)
        FHintWindow->CloseUp();
}

void TForm::HintChanged()
{
    if (FHintWindow && FHintWindow->Visible())
        CancelHint();
    else if (!FHintTimer)
        StartHintTimer();
}

void TForm::ShowHintNow()
{
    FHintTimer = false;
    KillTimer(HintTimerId);
    const std::string text = HintTextOf(FHover);
    if (text.empty() || !FPointerInside || !Visible())
        return;
    if (!FHintWindow) {
        FHintWindow = new THintWindow(this);
        FHintWindow->SetPopupOwner(this);
    }
    // The hint lies below the pointer, clear of the pointer's picture.
    const TPoint origin = ClientOrigin();
    FHintWindow->ActivateHint(origin.Translated(FPointer.X, FPointer.Y + 20), text);
}

void TForm::AddPopup(TPopupWindow* Popup)
{
    if (std::find(FPopups.begin(), FPopups.end(), Popup) == FPopups.end())
        FPopups.push_back(Popup);
}

void TForm::RemovePopup(TPopupWindow* Popup)
{
    FPopups.erase(std::remove(FPopups.begin(), FPopups.end(), Popup), FPopups.end());
    if (FHintWindow == Popup)
        FHintWindow = nullptr;
}

bool TForm::HasOpenPopupHoldingPointer() const
{
    for (const TPopupWindow* p : FPopups)
        if (p->HoldsPointer())
            return true;
    return false;
}

bool TForm::ClosePopups()
{
    bool any = false;
    const std::vector<TPopupWindow*> popups = FPopups;
    for (TPopupWindow* p : popups) {
        if (std::find(FPopups.begin(), FPopups.end(), p) == FPopups.end() || !p->Visible())
            continue;
        any = true;
        p->CloseUp();
    }
    return any;
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
    case TNativeEvent::MouseEnter:
        FPointer = Event.Position;
        FPointerInside = ClientRect().Contains(Event.Position);
        PointerTargetsChanged();
        break;
    case TNativeEvent::MouseLeave:
        FPointerInside = false;
        PointerTargetsChanged();
        break;
    case TNativeEvent::Destroyed:
        HandleHostDestroyed();
        if (FReleaseWhenGone) {
            delete this;
            return;
        }
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
        if (Event.Area.Left != Left() || Event.Area.Top != Top())
            ClosePopups();
        TControl::SetBounds(Event.Area.Left, Event.Area.Top, Event.Area.Width(), Event.Area.Height());
        SizeBackBuffer();
        Invalidate();
        break;
    case TNativeEvent::Timer:
        if (Event.TimerId == HintTimerId)
            ShowHintNow();
        else
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
    // A press on the owner of an open pop-up is a click outside the pop-up: it closes the
    // pop-up and goes no further, wherever the window system delivered it.
    if (Event.Kind == TNativeEvent::MouseDown && HasOpenPopupHoldingPointer()) {
        ClosePopups();
        return;
    }
    FPointer = Event.Position;
    FPointerInside = ClientRect().Contains(Event.Position);
    UpdateHover();
    if (Event.Kind == TNativeEvent::MouseDown) {
        // A press ends the hint; the next one waits until the pointer comes to another control.
        CancelHint();
    } else if (Event.Kind == TNativeEvent::MouseMove && FHintTimer) {
        // The hint shows once the pointer rests: every move starts the wait again.
        StartHintTimer();
    }
    // While a button is held over a control, the control keeps the pointer's events.
    TControl* target = FCapture ? FCapture : FHover;
    if (Event.Kind == TNativeEvent::MouseDown && target && (target->ControlStyle() & csCaptureMouse)) {
        const bool captured = FCapture != nullptr;
        FCapture = target;
        if (!captured && !HoldsPointer())
            WindowSystem().CapturePointer(Handle(), true);
    }
    uint32_t msg = WM_MOUSEMOVE;
    if (Event.Kind == TNativeEvent::MouseDown)
        msg = ButtonDownMessage(Event.Button);
    else if (Event.Kind == TNativeEvent::MouseUp)
        msg = ButtonUpMessage(Event.Button);
    if (Event.Kind == TNativeEvent::MouseUp && !(Event.Shift & (ssLeft | ssRight | ssMiddle)))
        ReleaseCapture();
    UpdatePointer();
    if (!target)
        return;
    const TPoint o = target->FormOrigin();
    target->Perform(msg, MouseKeys(Event.Shift), PointToLParam(Event.Position.Translated(-o.X, -o.Y)), Event.Shift);
}

void TForm::HandleKeyOrWheel(const TNativeEvent& Event)
{
    if (!Enabled())
        return;
    TWinControl* focus = FFocused && FFocused->CanFocus() ? FFocused : this;
    if (Event.Kind == TNativeEvent::Wheel) {
        const uintptr_t w = (static_cast<uintptr_t>(static_cast<uint16_t>(Event.WheelDelta)) << 16) | MouseKeys(Event.Shift);
        focus->Perform(WM_MOUSEWHEEL, w, PointToLParam(Event.Position), Event.Shift);
        return;
    }
    const uint32_t msg = Event.Kind == TNativeEvent::KeyDown ? WM_KEYDOWN : WM_KEYUP;
    if (msg == WM_KEYDOWN)
        CancelHint();
    // The focused control has the key first; what it leaves goes on to its parent, and so on
    // up to the form.
    uint16_t key = Event.Key;
    for (TWinControl* c = focus; c; c = c->Parent()) {
        TMessage m{msg, key, 0, 0, Event.Shift};
        c->Deliver(m);
        key = LoWord(m.WParam);
        if (key == 0 || m.Result != 0 || c == this)
            break;
    }
    if (key != 0 && msg == WM_KEYDOWN)
        DialogKey(key, Event.Shift);
}

void TForm::DialogKey(uint16_t& Key, TShiftState Shift)
{
    const bool alt = (Shift & ssAlt) != 0;
    const bool ctrl = (Shift & ssCtrl) != 0;
    if (Key == VK_TAB && !alt && !ctrl) {
        if (TWinControl* next = FindNextControl(FFocused, (Shift & ssShift) == 0, true))
            next->SetFocus();
        Key = 0;
    } else if (Key == VK_ESCAPE && !alt && !ctrl) {
        if (!ClosePopups())
            Close();
        Key = 0;
    } else if (Key == VK_F4 && alt && !ctrl) {
        Close();
        Key = 0;
    }
}

// The host of a foreign child took the window with it. The form forgets the window without
// asking for anything more of it and closes, as if the user had closed it.
void TForm::HandleHostDestroyed()
{
    if (!FHandle)
        return;
    FHostGone = true;
    ClosePopups();
    CancelHint();
    Application().UnregisterTarget(FHandle);
    WindowSystem().Destroy(FHandle);
    FHandle = 0;
    FCapture = nullptr;
    FPointerInside = false;
    UpdateHover();
    SetVisibleFlag(false);
    FInvalid.Clear();
    FExposed.Clear();
    TNativeViewHost::PlaceAll();
    Close();
}

void TForm::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ACTIVATE: {
        FActive = LoWord(Message.WParam) != WA_INACTIVE;
        if (!FActive) {
            ClosePopups();
            CancelHint();
        }
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
