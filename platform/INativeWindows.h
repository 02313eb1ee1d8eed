#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/core/Rect.h"
#include "platform/gfx/IPixelStore.h"

class TBitmap;

// A native window as the backend names it; 0 names no window.
using TNativeWindow = uintptr_t;

// Pointer shapes with the system's numbers. Shapes the backend does not have show as the arrow.
using TCursor = int16_t;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crHandPoint = -21;

// Modifier keys and mouse buttons held at the time of an event.
using TShiftState = uint16_t;
constexpr TShiftState ssShift = 0x01;
constexpr TShiftState ssAlt = 0x02;
constexpr TShiftState ssCtrl = 0x04;
constexpr TShiftState ssLeft = 0x08;
constexpr TShiftState ssRight = 0x10;
constexpr TShiftState ssMiddle = 0x20;
constexpr TShiftState ssDouble = 0x40;

enum class TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };

// The kinds of native window, always said by the framework when it makes one, never guessed
// by a backend from a window's size or flags.
enum class TNativeWindowKind : uint8_t {
    // A top-level window with the window system's border and title bar around the client area.
    Framed,
    // A top-level window without decoration: a dialog that draws its own frame, or the saver
    // covering the screen (FullScreen).
    Frameless,
    // A window owned by Owner that never takes activation from it: drop-down lists and hints.
    // It lies above its owner and goes with it.
    Popup,
    // A child window inside a window of another program (Host): the preview in the system's
    // thumbnail and the saver in a screen-saver daemon's window. Its Bounds are in the host's
    // client coordinates.
    ForeignChild,
    // Never shown: a target for timers and posted messages only.
    MessageOnly,
};

// What a native window looks like. Border and caption are drawn by the window system around
// the client area of a framed window; the framework only ever draws the client area.
struct TNativeWindowParams {
    TNativeWindowKind Kind = TNativeWindowKind::Framed;
    TRect Bounds;                  // outer rectangle in screen coordinates (ForeignChild: host client)
    std::string Caption;
    bool StayOnTop = false;
    // A frameless window that covers the screen and takes the keyboard and pointer while it
    // shows (the saver).
    bool FullScreen = false;
    // Popup: the owner, whose activation it never takes. Framed or Frameless: a window of this
    // program it stays above, or 0.
    TNativeWindow Owner = 0;
    // ForeignChild: the host's handle as the system spells it (an HWND, an X window id).
    uintptr_t Host = 0;

    // Kept while the backends move to Kind; they say the same as Kind does.
    bool Border = true;
    bool TitleBar = true;
    bool MessageOnly = false;
};

// A native view of the system's own (the HTML help view, a plain test view) inside a native
// window, placed by a framework control. The framework never draws over it: the window system
// clips the window's drawing to leave it out.
class INativeChildView {
public:
    virtual ~INativeChildView() = default;
    // Area in the parent window's client coordinates; an empty area hides the view.
    virtual void SetBounds(const TRect& Area) = 0;
    virtual void Show(bool Visible) = 0;
    // The system's handle of the view (HWND, X window id), 0 when it has none.
    virtual uintptr_t SystemHandle() const = 0;
};

// Something that happened to a native window, as the backend reports it. Positions are in
// client coordinates of Window; Wheel positions too.
struct TNativeEvent {
    enum TKind : uint8_t {
        None,
        KeyDown,          // Key = virtual key code
        KeyUp,
        MouseDown,        // Button, Position
        MouseUp,
        MouseMove,        // Position
        Wheel,            // WheelDelta (120 per notch, positive away from the user), Position
        Activate,         // Active
        SystemCommand,    // Command (SC_...)
        CloseRequest,     // the user asked the window to close
        Expose,           // Area of the client must be shown again
        Resized,          // Area = the new outer rectangle in screen coordinates; for a
                          // ForeignChild, the host's client rectangle (0, 0, width, height)
                          // when the host's size changed
        Timer,            // TimerId
        Message,          // a posted message: Msg, WParam, LParam
        MouseEnter,       // the pointer came into the client area: Position
        MouseLeave,       // the pointer left the client area
        Destroyed,        // the window went away without the program asking (its foreign host
                          // was destroyed); nothing more comes for it
    };
    TKind Kind = None;
    TNativeWindow Window = 0;
    TShiftState Shift = 0;
    uint16_t Key = 0;
    TMouseButton Button = TMouseButton::mbLeft;
    TPoint Position;
    int32_t WheelDelta = 0;
    bool Active = false;
    uint32_t Command = 0;
    TRect Area;
    uintptr_t TimerId = 0;
    uint32_t Msg = 0;
    uintptr_t WParam = 0;
    intptr_t LParam = 0;
};

// The native window system: what the framework needs from the platform to show windows, get
// input and run its loop. Only top-level windows and message-only windows are native; every
// control inside a window is the framework's own. All functions are called on the main thread
// except Post and Wake, which any thread may call.
class INativeWindows {
public:
    virtual ~INativeWindows() = default;

    // Creates a hidden window; 0 when the system refuses.
    virtual TNativeWindow Create(const TNativeWindowParams& Params) = 0;
    virtual void Destroy(TNativeWindow Window) = 0;
    virtual void SetBounds(TNativeWindow Window, const TRect& Bounds) = 0;
    virtual void SetCaption(TNativeWindow Window, const std::string& Caption) = 0;
    virtual void Show(TNativeWindow Window, bool Visible) = 0;
    // The distances from the outer edges of a window with these settings to its client area.
    virtual TRect FrameInsets(const TNativeWindowParams& Params) const = 0;

    // Shows the pixels of Area (client coordinates) of BackBuffer, which has the client size.
    virtual void Present(TNativeWindow Window, const TBitmap& BackBuffer, const TRect& Area) = 0;
    // Memory for the window's back buffer that Present can show without copying it first, or
    // nullptr where the system has none. The store may outlive the window; it then gives out
    // ordinary memory.
    virtual std::unique_ptr<IPixelStore> BackBufferStore(TNativeWindow) { return nullptr; }

    // The pointer shown over the window's client area; the framework resolves which one.
    virtual void SetPointer(TNativeWindow Window, TCursor Shape) = 0;

    // A periodic timer of the window; each period a Timer event with Id arrives, never more
    // than one waiting per timer. Starting a running timer again restarts it with the new
    // period. False when the system refuses.
    virtual bool StartTimer(TNativeWindow Window, uintptr_t Id, uint32_t Milliseconds) = 0;
    virtual void StopTimer(TNativeWindow Window, uintptr_t Id) = 0;

    // Queues a Message event for the window (any thread).
    virtual void Post(TNativeWindow Window, uint32_t Msg, uintptr_t WParam, intptr_t LParam) = 0;
    // Makes a WaitForEvent in progress return, or the next one if none is in progress, so a
    // wake given just before the loop starts to wait is never lost (any thread).
    virtual void Wake() = 0;

    // Takes the next waiting event without blocking. Timer events are lower in priority than
    // everything else and come only when IncludeTimers is set and nothing else waits.
    virtual bool PeekEvent(TNativeEvent& Event, bool IncludeTimers) = 0;
    // Blocks until an event waits, a timer is due or Wake was called since the last wait.
    virtual void WaitForEvent() = 0;

    // What the system does with a system command or a caption drag that the program passes on.
    virtual void DefaultSystemCommand(TNativeWindow Window, uint32_t Command) = 0;
    virtual void BeginMoveDrag(TNativeWindow Window) = 0;

    // While set, every press and move of the pointer anywhere on the screen is reported to
    // Window (positions in its client coordinates, also outside it), so a pop-up learns of a
    // click outside itself and a pressed control of its release. The window system ends it when
    // the program loses the pointer.
    virtual void CapturePointer(TNativeWindow Window, bool Capture) { (void)Window; (void)Capture; }

    // The system's handle of a window (HWND, X window id), 0 for none or a message-only window.
    virtual uintptr_t SystemHandle(TNativeWindow Window) const { (void)Window; return 0; }
    // The outer rectangle of any window of the system, this program's or another's, in screen
    // coordinates; false when Handle names no window.
    virtual bool SystemWindowRect(uintptr_t Handle, TRect& Rect) const { (void)Handle; (void)Rect; return false; }
    // A plain native child view of a solid colour inside Parent (tests, and the base of views
    // such as the HTML view); nullptr where the system cannot make one.
    virtual std::unique_ptr<INativeChildView> CreateChildView(TNativeWindow Parent, uint32_t RGB)
    {
        (void)Parent; (void)RGB;
        return nullptr;
    }

    // The size of the primary screen in pixels.
    virtual TRect ScreenRect() const = 0;

    // The standard error display: a modal message box with a stop icon and an OK button.
    virtual void ShowErrorBox(const std::string& Caption, const std::string& Text) = 0;
    // A notice without an owner window: a modal message box with an information icon and an
    // OK button. A backend without a box of that kind shows the standard error display.
    virtual void ShowInfoBox(const std::string& Caption, const std::string& Text) { ShowErrorBox(Caption, Text); }
};
