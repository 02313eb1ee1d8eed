#pragma once
#include <string>

#include "framework/NativeEventTarget.h"
#include "framework/WinControl.h"
#include "platform/gfx/Bitmap.h"

enum class TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog };
enum class TFormStyle : uint8_t { fsNormal, fsStayOnTop };
enum class TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

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
    void ReleaseCapture() { FCapture = nullptr; }

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
    TWinControl* FocusedControl() const { return FFocused; }
    void SetFocusedControl(TWinControl* Control) { FFocused = Control; }

    // Runs the create handler; an error it raises is shown and construction goes on.
    virtual void DoCreate();

    void HandleNativeEvent(const TNativeEvent& Event) override;
    void Dispatch(TMessage& Message) override;

    TNotifyEvent OnCreate;
    TCloseEvent OnClose;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;

private:
    TNativeWindowParams NativeParams() const;
    TRect FrameInsets() const;
    void ApplyNativeStyle();
    void HandleMouseEvent(const TNativeEvent& Event);
    void HandleKeyOrWheel(const TNativeEvent& Event);
    TControl* ControlUnderPointer();
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
    TWinControl* FFocused = nullptr;
    TPoint FPointer{-1, -1};
    bool FPointerInside = false;
    TCursor FShownCursor = crDefault;
};
