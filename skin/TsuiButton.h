#pragma once
#include "skin/SkinBitmaps.h"
#include "skin/TsuiWinControl.h"

// A push button drawn from the skin's button faces: normal, hover, pressed, focused and
// disabled. A press and release of the left button inside it clicks it, and so do Space and
// Enter while it has the focus.
class TsuiButton : public TsuiWinControl {
public:
    explicit TsuiButton(TComponent* Owner);

    // Which face the button shows now.
    TSkinPiece Face() const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void EnabledChanged() override;

private:
    bool FPressed = false;
};
