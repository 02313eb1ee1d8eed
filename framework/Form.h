#pragma once
#include <string>
#include <vector>

#include "framework/NativeEventTarget.h"
#include "framework/WinControl.h"
#include "platform/gfx/Bitmap.h"

enum class TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog };
enum class TFormStyle : uint8_t { fsNormal, fsStayOnTop };
enum class TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

class THintWindow;
class TPopupWindow;

// A top-level window. It owns one native window and one back buffer: every paint of the form
// and its controls goes into the back buffer, and only the areas that were painted are shown.
// Left, Top, Width and Height are the outer rectangle on the screen; the client area, where the
// controls lie, is what the border and caption leave.
class TForm : public TWinControl, public INativeEventTarget {
public:
    explicit TForm(TComponent* Owner);
    ~TForm() override;

    TForm* ParentForm() const override { return const_cast<TForm*>(this); }
    TRect ClientRect() const override;
    int32_t ClientWidth() const { return ClientRect().Width(); }
    int32_t ClientHeight() const { return ClientRect().Height(); }
    void SetClientWidth(int32_t Value);
    void SetClientHeight(int32_t Value);
    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;
    void SetVisible(bool Value) override;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TFormStyle FormStyle() const { return FFormStyle; }
    void SetFormStyle(TFormStyle Value);
    // A full-screen form is a frameless window that covers the screen and takes the keyboard
    // and pointer while it shows (the saver). It sizes itself; this only says what it is.
    bool FullScreen() const { return FFullScreen; }
    void SetFullScreen(bool Value);
    // Makes the form a child of a window of another program, given by the system's handle
    // (an HWND, an X window id), and sizes it to that window. False, with nothing changed,
    // when the handle names no window. When the host goes away, the form closes.
    bool EmbedIn(uintptr_t HostHandle);
    uintptr_t ForeignHost() const { return FForeignHost; }
    // Where the client area's (0, 0) lies on the screen.
    TPoint ClientOrigin() const;

    // The native window, created on first use.
    TNativeWindow Handle();
    bool HandleAllocated() const { return FHandle != 0; }

    // Asks the form to close: the close handler may change what happens; closing the main form
    // ends the application's loop. A close while the form is already closed does nothing.
    void Close();
    // Frees the form once the handler that is running now and every message already waiting
    // for it have been handled; freeing a form inside its own handler would pull it away from
    // under the code that called the handler.
    void Release();
    bool Active() const { return FActive; }

    // A numbered periodic timer of this window: WM_TIMER with WParam = Id arrives through
    // Dispatch every Milliseconds on the main thread. False when the system refuses.
    bool SetTimer(uintptr_t Id, uint32_t Milliseconds);
    void KillTimer(uintptr_t Id);
    // Queues a message for this window; any thread may post.
    void PostMessage(uint32_t Msg, uintptr_t WParam, intptr_t LParam);

    // Ends a mouse capture: the pointer's events go again to whatever lies under it.
    void ReleaseCapture();
    // The control that got the press of a button still held: it gets the pointer's moves and
    // the release, wherever they happen.
    TControl* CaptureControl() const { return FCapture; }
    // The control under the pointer (the one between its MouseEnter and MouseLeave).
    TControl* MouseControl() const { return FHover; }

    // Paint cycle.
    TBitmap& BackBuffer() { return FBackBuffer; }
    const TBitmap& BackBuffer() const { return FBackBuffer; }
    // Adds Area (client coordinates) to what the next paint cycle paints.
    void InvalidateArea(const TRect& Area);
    bool PaintPending() const { return !FInvalid.IsEmpty() || !FExposed.IsEmpty(); }
    // Whether the window has shown a picture the form composed.
    bool Presented() const { return FPresented; }
    // Paints and shows everything waiting to be painted now.
    void Update() override;
    // Shows the back buffer's pixels of Area on the screen.
    void PresentArea(const TRegion& Area);
    bool CanPaint() const;
    // Changes each time the back buffer is made anew or the window is shown again: a picture
    // copied into the back buffer before is no longer on the screen after either.
    uint64_t BackBufferGeneration() const { return FBackBufferGeneration; }

    // The pointer shape the form shows now (after the application-wide override).
    TCursor ShownCursor() const { return FShownCursor; }
    void UpdatePointer();
    // The control a removed control must no longer be known to the form as.
    void ControlRemoved(TControl* Control);
    // A control was hidden or disabled: it and the controls inside it lose the capture and the
    // focus.
    void ControlGone(TControl* Control);
    // Something moved, showed, hid, or changed its enabled state: the control under the
    // pointer is found again, with MouseLeave and MouseEnter where it changed.
    void PointerTargetsChanged();
    TWinControl* FocusedControl() const { return FFocused; }
    // Moves the focus: the controls it leaves get their exit events, innermost first, then
    // the controls it enters get their enter events, outermost first. nullptr (or the form)
    // leaves the focus with the form itself.
    void SetFocusedControl(TWinControl* Control);

    // Hints: the small window that shows a control's hint after the pointer rested on it.
    // HintPause is how long it must rest, in milliseconds.
    static constexpr uint32_t HintPause = 500;
    THintWindow* HintWindow() const { return FHintWindow; }
    // Hides the hint and forgets the pointer's rest; a new one starts on the next control.
    void CancelHint();
    // A control's hint or ShowHint changed.
    void HintChanged();

    // Pop-up windows owned by this form that are open now; they close when the form moves,
    // hides or loses activation. True when any was open.
    bool ClosePopups();

    // Runs the create handler; an error it raises is shown and construction goes on.
    virtual void DoCreate();

    void HandleNativeEvent(const TNativeEvent& Event) override;
    void Dispatch(TMessage& Message) override;

    TNotifyEvent OnCreate;
    TCloseEvent OnClose;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

protected:
    // The native window this form asks for: its kind, place and caption.
    virtual TNativeWindowParams NativeParams() const;
    // Whether the form keeps the pointer captured on its own (an open pop-up), so that the end
    // of a press does not give the pointer back to the window system.
    virtual bool HoldsPointer() const { return false; }
    // What the form does with a key that no control took: Tab and Shift+Tab move the focus
    // through the tab cycle, Esc closes an open pop-up or else the form, Alt+F4 closes it.
    virtual void DialogKey(uint16_t& Key, TShiftState Shift);

private:
    friend class TPopupWindow;
    TRect FrameInsets() const;
    void ApplyNativeStyle();
    void HandleMouseEvent(const TNativeEvent& Event);
    void HandleKeyOrWheel(const TNativeEvent& Event);
    void HandleHostDestroyed();
    TControl* ControlUnderPointer();
    // The enabled control under the pointer, capture left aside; nullptr outside the window.
    TControl* ControlAtPointer();
    void UpdateHover();
    void StartHintTimer();
    void ShowHintNow();
    bool HasOpenPopupHoldingPointer() const;
    void AddPopup(TPopupWindow* Popup);
    void RemovePopup(TPopupWindow* Popup);
    // Sizes the back buffer to the client area; a new size starts a new generation. True when
    // the size was new.
    bool SizeBackBuffer();
    // Takes out of Area what the layered windowed children already show as they are: an
    // invalidation of the form's own area does not paint again a windowed child that has not
    // changed, as long as nothing lies over it.
    void LeaveOutShownLayers(TRegion& Area) const;

    std::string FCaption;
    TFormBorderStyle FBorderStyle = TFormBorderStyle::bsSizeable;
    TFormStyle FFormStyle = TFormStyle::fsNormal;
    bool FFullScreen = false;
    uintptr_t FForeignHost = 0;
    bool FHostGone = false;
    bool FReleaseWhenGone = false;
    TNativeWindow FHandle = 0;
    TBitmap FBackBuffer;
    TRegion FInvalid;
    // What the screen lost: presented at the next paint even where the back buffer is right.
    TRegion FExposed;
    uint64_t FBackBufferGeneration = 1;
    bool FComposing = false;
    bool FPresented = false;
    bool FActive = false;
    bool FClosed = false;
    TControl* FCapture = nullptr;
    TControl* FHover = nullptr;
    TWinControl* FFocused = nullptr;
    THintWindow* FHintWindow = nullptr;
    bool FHintTimer = false;
    std::vector<TPopupWindow*> FPopups;
    TPoint FPointer{-1, -1};
    bool FPointerInside = false;
    TCursor FShownCursor = crDefault;
};
