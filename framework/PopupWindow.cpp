#include "framework/PopupWindow.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/VirtualKeys.h"
#include "platform/INativeWindows.h"
#include "platform/core/Exception.h"

TPopupWindow::TPopupWindow(TComponent* Owner) : TForm(Owner)
{
    SetBorderStyle(TFormBorderStyle::bsNone);
}

TPopupWindow::~TPopupWindow()
{
    // The window goes before the owner learns of it, so the owner never closes a half-gone
    // pop-up.
    if (FPopupOwner)
        FPopupOwner->RemovePopup(this);
    FPopupOwner = nullptr;
}

void TPopupWindow::SetPopupOwner(TForm* Value)
{
    if (Value == FPopupOwner)
        return;
    if (Visible())
        CloseUp();
    if (FPopupOwner)
        FPopupOwner->RemovePopup(this);
    FPopupOwner = Value;
    if (FPopupOwner)
        FPopupOwner->AddPopup(this);
}

TNativeWindowParams TPopupWindow::NativeParams() const
{
    TNativeWindowParams p = TForm::NativeParams();
    p.Kind = TNativeWindowKind::Popup;
    p.FullScreen = false;
    p.Host = 0;
    p.Border = false;
    p.TitleBar = false;
    p.Owner = FPopupOwner ? FPopupOwner->Handle() : 0;
    return p;
}

void TPopupWindow::Popup(TPoint ScreenPos)
{
    if (!FPopupOwner)
        throw Exception::Fmt("Pop-up '%s' has no owner window", {Name()});
    INativeWindows* windows = Application().Windows();
    const TRect screen = windows ? windows->ScreenRect() : TRect{};
    // Never wider or taller than the screen, and moved back onto it where it would stick out.
    const int32_t w = std::min(Width(), screen.Width());
    const int32_t h = std::min(Height(), screen.Height());
    const int32_t x = std::max(screen.Left, std::min(ScreenPos.X, screen.Right - w));
    const int32_t y = std::max(screen.Top, std::min(ScreenPos.Y, screen.Bottom - h));
    SetBounds(x, y, w, h);
    if (Visible())
        return;
    Show();
    if (FTakesPointer && windows)
        windows->CapturePointer(Handle(), true);
}

void TPopupWindow::CloseUp()
{
    if (!Visible())
        return;
    Hide();
    if (FTakesPointer && HandleAllocated())
        if (INativeWindows* windows = Application().Windows())
            windows->CapturePointer(Handle(), false);
    if (OnCloseUp)
        OnCloseUp(this);
}

void TPopupWindow::HandleNativeEvent(const TNativeEvent& Event)
{
    // A press anywhere outside closes the pop-up and goes no further, as the pointer was held
    // only to learn of it.
    if (FTakesPointer && Event.Kind == TNativeEvent::MouseDown && !ClientRect().Contains(Event.Position)) {
        CloseUp();
        return;
    }
    TForm::HandleNativeEvent(Event);
}

void TPopupWindow::DialogKey(uint16_t& Key, TShiftState Shift)
{
    // Esc and Alt+F4 close only the pop-up, never its owner.
    const bool escape = Key == VK_ESCAPE && (Shift & (ssAlt | ssCtrl)) == 0;
    const bool altF4 = Key == VK_F4 && (Shift & ssAlt) != 0;
    if (escape || altF4) {
        CloseUp();
        Key = 0;
        return;
    }
    TForm::DialogKey(Key, Shift);
}
