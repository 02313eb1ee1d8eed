#pragma once
#include "skin/SkinBitmaps.h"
#include "skin/TsuiWinControl.h"

// A radio button drawn from the skin's marks. The radio buttons with the same parent form one
// group: checking one unchecks the others. A click anywhere in its rectangle and Space check
// it; the arrow keys move the focus to the next or previous button of the group and check it.
class TsuiRadioButton : public TsuiWinControl {
public:
    explicit TsuiRadioButton(TComponent* Owner);

    bool Checked() const { return FChecked; }
    void SetChecked(bool Value);
    // Which mark the button shows now.
    TSkinPiece Mark() const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Click() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;

private:
    void UncheckSiblings();
    // The next (or previous) radio button of the group that can take the focus, in creation
    // order and round, or nullptr when there is none other.
    TsuiRadioButton* Neighbour(bool Forward) const;

    bool FChecked = false;
};
