#pragma once
#include "skin/SkinBitmaps.h"
#include "skin/TsuiWinControl.h"

// The skinned frame of a dialog that draws its own window frame: a border, a title bar with the
// program's icon, the caption and the minimise, maximise and close buttons, and a face on which
// the dialog's controls lie. It is placed over the whole client area of a frameless form.
// Presses and moves on its own surface (the title bar buttons aside) reach OnMouseDown and
// OnMouseMove with the buttons held, which is how a dialog lets the user drag it.
class TsuiForm : public TsuiWinControl {
public:
    enum TTitleButton : uint8_t { tbNone, tbMinimize, tbMaximize, tbClose };

    explicit TsuiForm(TComponent* Owner);

    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor Value);
    TFont& TitleFont() { return FTitleFont; }
    bool Maximized() const { return FMaximized; }

    static int32_t TitleBarHeight();
    // Where each title bar button lies, in client coordinates.
    TRect TitleButtonRect(TTitleButton Button) const;
    TTitleButton TitleButtonAt(TPoint Point) const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;

private:
    void DrawTitleBar(TCanvas& Canvas);
    void DrawTitleButton(TCanvas& Canvas, TTitleButton Button);
    void PressTitleButton(TTitleButton Button);
    void SetHotButton(TTitleButton Value);

    TColor FBorderColor = 0x007F7F7F;
    TFont FTitleFont;
    TTitleButton FHotButton = tbNone;
    TTitleButton FPressedButton = tbNone;
    bool FMaximized = false;
};
