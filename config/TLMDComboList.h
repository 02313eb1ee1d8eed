#pragma once
#include "framework/WinControl.h"

class TLMDCustomComboBox;

// The open list of a drop-down combo box, as a control of its own: it shows the combo box's
// entries from TopIndex on, the highlighted one drawn selected, with a scroll bar when not
// all fit. The pointer highlights the entry under it; a click chooses it. The wheel and the
// scroll bar scroll. It never takes the focus: the combo box keeps the keyboard.
class TLMDComboList : public TWinControl {
public:
    TLMDComboList(TComponent* Owner, TLMDCustomComboBox& Combo);

    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int Value);
    int HotIndex() const { return FHotIndex; }
    // Highlights Value and scrolls it into view.
    void SetHotIndex(int Value);
    // How many entries show at once.
    int VisibleCount() const;
    bool HasScrollBar() const;
    // The size the list needs for Width.
    TRect ListBounds(int32_t Width) const;
    // The entry at Point (client coordinates), or -1.
    int ItemAt(TPoint Point) const;
    void ScrollBy(int Lines);
    // Scroll bar parts, in client coordinates.
    TRect ScrollBarRect() const;
    TRect ThumbRect() const;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;

private:
    int MaxTopIndex() const;
    TRect ItemsRect() const;
    void DrawScrollBar(TCanvas& Canvas);
    void ScrollBarPress(TPoint Point);
    void DragThumb(int32_t Y);

    TLMDCustomComboBox& FCombo;
    int FTopIndex = 0;
    int FHotIndex = -1;
    bool FDraggingThumb = false;
    int32_t FDragOffset = 0;
};
