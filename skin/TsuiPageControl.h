#pragma once
#include <vector>

#include "skin/TsuiWinControl.h"

class TsuiTabSheet;

// Pages with tabs on top, drawn from the skin. The tabs start TabMargin pixels from the left in
// the order the pages were added. The active page is shown and enabled, the others hidden and
// disabled. A click on a tab, Ctrl+Tab and Ctrl+Shift+Tab (round) activate a page; activation
// by the user moves the focus into the page, which gives the page its enter event.
class TsuiPageControl : public TsuiWinControl {
public:
    explicit TsuiPageControl(TComponent* Owner);

    int PageCount() const;
    TsuiTabSheet* Pages(int Index) const;
    TsuiTabSheet* ActivePage() const { return FActivePage; }
    // Shows Value (one of this control's pages, or nullptr for none) without moving the focus.
    void SetActivePage(TsuiTabSheet* Value);
    int ActivePageIndex() const;
    void SetActivePageIndex(int Value);
    // Activates the next (or previous) page, round, and moves the focus into it.
    void SelectNextPage(bool Forward);

    int32_t TabMargin() const { return FTabMargin; }
    void SetTabMargin(int32_t Value);
    // The tab of page Index, in client coordinates, as drawn when it is not the active one.
    TRect TabRect(int Index);
    // Where the pages lie, in client coordinates.
    TRect DisplayRect() const;
    // The page whose tab is at Point, or nullptr.
    TsuiTabSheet* PageAtTab(TPoint Point);

    // Pages follow the control's size.
    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;

    // Called by a page when it is added.
    void PageAdded(TsuiTabSheet* Page);

    TNotifyEvent OnChange;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseLeave() override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    void FontChanged() override;

private:
    std::vector<TsuiTabSheet*> PageList() const;
    // Activates Page as the user does: shows it, moves the focus into it and reports the change.
    void ActivateByUser(TsuiTabSheet* Page);
    void DrawTab(TCanvas& Canvas, int Index, bool Active);

    TsuiTabSheet* FActivePage = nullptr;
    int32_t FTabMargin = 10;
    int FHotTab = -1;
};
