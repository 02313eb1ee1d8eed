#pragma once
#include "framework/Form.h"

// A window that opens next to something in its owner form (a drop-down list, a hint) and never
// takes activation from the owner: while it is open the owner stays the active window and runs
// no deactivation handlers. It closes when the user clicks outside it (it holds the pointer while
// open, so it learns of such a click), presses Esc, or when its owner moves, hides or loses
// activation. Its Left and Top are screen coordinates.
class TPopupWindow : public TForm {
public:
    explicit TPopupWindow(TComponent* Owner);
    ~TPopupWindow() override;

    TForm* PopupOwner() const { return FPopupOwner; }
    // The form whose activation the pop-up leaves alone and whose moves close it. It must be
    // set before the pop-up opens.
    void SetPopupOwner(TForm* Value);

    // Opens the pop-up with its top-left corner at ScreenPos, moved as little as needed to lie
    // on the screen. Opening an open pop-up moves it.
    void Popup(TPoint ScreenPos);
    // Closes the pop-up and fires OnCloseUp; nothing for a closed one.
    void CloseUp();
    bool IsOpen() const { return Visible(); }

    TNotifyEvent OnCloseUp;

    void HandleNativeEvent(const TNativeEvent& Event) override;

protected:
    TNativeWindowParams NativeParams() const override;
    bool HoldsPointer() const override { return FTakesPointer && Visible(); }
    void DialogKey(uint16_t& Key, TShiftState Shift) override;
    // Whether the pop-up holds the pointer while open and closes on a click outside it. A hint
    // does not: the pointer's moves go on to the window under it.
    void SetTakesPointer(bool Value) { FTakesPointer = Value; }

private:
    friend class TForm;
    TForm* FPopupOwner = nullptr;
    bool FTakesPointer = true;
};
