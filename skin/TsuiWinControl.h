#pragma once
#include <string>

#include "framework/Font.h"
#include "framework/WinControl.h"

// The base of the skinned windowed controls: a caption, a font in the skin's face, and the
// enabled, hover and tab-stop state the controls draw and act on.
class TsuiWinControl : public TWinControl {
public:
    explicit TsuiWinControl(TComponent* Owner);

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    TFont& Font() { return FFont; }

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // Enabled, and so is every parent up to the form.
    bool EffectivelyEnabled() const;
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value) { FTabStop = Value; }
    bool CanFocus() const { return Showing() && EffectivelyEnabled(); }
    // Whether the pointer is over the control now.
    bool MouseInControl() const { return FMouseInControl; }

    // Focuses the first control inside that can take the focus, in creation order, depth
    // first; true when one did.
    bool SelectFirst();
    // Takes the focus, repainting the control that loses it and this one, whose looks show it.
    void TakeFocus();
    // Runs the enter event: the focus came into this control or one inside it.
    virtual void DoEnter();

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    virtual void CaptionChanged() { Invalidate(); }
    virtual void FontChanged() { Invalidate(); }
    virtual void EnabledChanged() { Invalidate(); }
    virtual void MouseEnter();
    virtual void MouseLeave();
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Click() override;
    // The parent's colour, for painting the corners the artwork leaves open.
    TColor BackgroundColor() const;
    // Fills the client area with the background colour.
    void FillBackground(TCanvas& Canvas);

private:
    void TrackPointer(int X, int Y);

    std::string FCaption;
    TFont FFont;
    bool FEnabled = true;
    bool FTabStop = true;
    bool FMouseInControl = false;
};
