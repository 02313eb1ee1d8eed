#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "framework/Component.h"
#include "framework/Message.h"
#include "platform/core/Color.h"
#include "platform/core/Rect.h"
#include "platform/gfx/Canvas.h"

class TWinControl;
class TForm;
class TBitmap;

// Control-style flags.
using TControlStyle = uint32_t;
constexpr TControlStyle csAcceptsControls = 0x01;
constexpr TControlStyle csCaptureMouse = 0x02;
constexpr TControlStyle csClickEvents = 0x04;
constexpr TControlStyle csOpaque = 0x08;
constexpr TControlStyle csDoubleClicks = 0x10;
constexpr TControlStyle csReplicatable = 0x20;

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TWndMethod = std::function<void(TMessage& Message)>;

// A control without a window of its own: a rectangle of its parent's client area that it
// paints on its parent's surface. During a paint its Canvas draws on that surface with the
// origin at the control's top-left corner and the clip limited to the control's rectangle and
// the area being painted. Windowed controls (TWinControl) build on it.
class TControl : public TComponent {
public:
    explicit TControl(TComponent* Owner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    // Adds the control on top of the new parent's children. A control cannot be put inside
    // itself or one of its own children: that raises an error and changes nothing.
    virtual void SetParent(TWinControl* Value);
    virtual bool IsWindowed() const { return false; }
    // The form whose window shows this control; nullptr while it is not in one.
    virtual TForm* ParentForm() const;

    int32_t Left() const { return FLeft; }
    int32_t Top() const { return FTop; }
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    void SetLeft(int32_t Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    void SetTop(int32_t Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    void SetWidth(int32_t Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    void SetHeight(int32_t Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    // Negative sizes count as 0.
    virtual void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight);
    // The rectangle in the parent's client coordinates.
    TRect BoundsRect() const { return TRect::FromSize(FLeft, FTop, FWidth, FHeight); }
    virtual TRect ClientRect() const { return {0, 0, FWidth, FHeight}; }
    // Where the control's client (0, 0) lies in its form's client coordinates.
    TPoint FormOrigin() const;
    // A point of the control's client area on the screen and back (a pop-up opens at one).
    // Without a form, the form's client coordinates stand for the screen.
    TPoint ClientToScreen(TPoint Point) const;
    TPoint ScreenToClient(TPoint Point) const;

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so are all its parents up to a form that is on the screen.
    bool Showing() const;

    // A disabled control, and every control inside it, gets no pointer or key input and draws
    // its disabled look. The pointer's events go to whatever enabled control lies beneath.
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // Enabled, and so is every parent.
    bool EffectivelyEnabled() const;

    // The text of the small window that shows when the pointer rests on the control. A control
    // without a text of its own shows its nearest parent's. It shows only while ShowHint is set
    // here and on the application.
    const std::string& Hint() const { return FHint; }
    void SetHint(const std::string& Value);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool Value);

    // True between MouseEnter and MouseLeave: the control is the one under the pointer.
    bool MouseInControl() const { return FMouseInControl; }

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);

    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }
    bool Opaque() const { return (FControlStyle & csOpaque) != 0; }

    TCanvas& Canvas() { return FCanvas; }

    // Asks for the control's area to be painted by the next paint cycle.
    virtual void Invalidate();
    // The same for a part of the control (client coordinates).
    void InvalidateRect(const TRect& Rect);
    // Paints what is waiting to be painted in the control's window now.
    virtual void Update();
    // Shows the control's current state at once. An opaque control paints itself and every
    // later sibling over it on its parent's surface, without the parent's background; any
    // other control has its parent repaint its area. Nothing happens for a hidden control or
    // one without a parent.
    virtual void Repaint();
    void Refresh() { Repaint(); }
    // Paints the control and every later windowless sibling over it on its parent's surface at
    // once, without painting the parent's background first, whatever the opaque flag says, and
    // shows the result. For a control whose picture covers its rectangle or builds on the
    // pixels already there (a transparent widget drawing over its saved copy of them).
    void RepaintOver();

    // The paint request: draw on Surface with the canvas origin at Origin and clip Clip (both
    // in surface coordinates). A request without a surface is ignored.
    virtual void PaintRequest(TBitmap* Surface, TPoint Origin, const TRect& Clip);

    // Messages: Perform sends one through WindowProc, which starts as WndProc and may be
    // replaced; WndProc hands it to Dispatch, the message map of derived classes, whose base
    // version is the framework's own handling.
    intptr_t Perform(uint32_t Msg, uintptr_t WParam, intptr_t LParam, TShiftState Shift = 0);
    void Deliver(TMessage& Message) { FWindowProc(Message); }
    const TWndMethod& WindowProc() const { return FWindowProc; }
    void SetWindowProc(TWndMethod Value) { FWindowProc = std::move(Value); }
    virtual void WndProc(TMessage& Message) { Dispatch(Message); }
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    // Stores the visibility without any of the effects of SetVisible.
    void SetVisibleFlag(bool Value) { FVisible = Value; }
    virtual void Paint() {}
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void Click();
    // True when the wheel turn was handled; otherwise it goes on to the parent.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    // Called when the colour changed, after the control has stored it.
    virtual void ColorChanged() { Invalidate(); }
    // Called when Enabled changed, after the control has stored it: the disabled look shows.
    virtual void EnabledChanged() { Invalidate(); }
    // The pointer came onto the control, or left it (also by leaving the window, or by the
    // control being hidden or disabled under it). They fire OnMouseEnter and OnMouseLeave.
    virtual void MouseEnter();
    virtual void MouseLeave();

private:
    friend class TWinControl;
    friend class TForm;
    void HandleMouseMessage(TMessage& Message);
    // Tells the form that what lies under the pointer, or what may have the focus, may have
    // changed.
    void NotifyFormOfChange(bool Gone);
    // Asks the form to repaint where the control lies, for a move or resize: the parents'
    // kept layers learn of it, while the control's own layer keeps its picture.
    void InvalidatePlace();
    // Asks the form to repaint Rect (client coordinates), telling the parents' kept layers and,
    // when OwnLayer is set, the control's own.
    void InvalidateFormArea(const TRect& Rect, bool OwnLayer);

    TWinControl* FParent = nullptr;
    int32_t FLeft = 0;
    int32_t FTop = 0;
    int32_t FWidth = 0;
    int32_t FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    bool FShowHint = true;
    bool FMouseInControl = false;
    std::string FHint;
    TColor FColor = clBtnFace;
    bool FParentColor = true;
    TCursor FCursor = crDefault;
    TControlStyle FControlStyle = csCaptureMouse | csClickEvents;
    bool FClickPending = false;
    TCanvas FCanvas;
    TWndMethod FWindowProc;
};
