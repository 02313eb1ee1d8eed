#include "skin/TsuiPageControl.h"

#include <algorithm>

#include "skin/SkinBitmaps.h"
#include "framework/VirtualKeys.h"
#include "skin/TsuiTabSheet.h"

namespace {

// The frame around the pages starts below the tabs; the pages lie inside it with a small gap.
constexpr int32_t FrameTop = 34;
constexpr int32_t PageInset = 3;
constexpr int32_t TabTop = 12;
constexpr int32_t ActiveLift = 2;     // the active tab is taller and wider by this much
constexpr int32_t TabPadding = 10;    // each side of the caption
constexpr int32_t MinTabWidth = 44;
constexpr TColor FrameColor = 0x009A9A9A;

}  // namespace

TsuiPageControl::TsuiPageControl(TComponent* Owner) : TsuiWinControl(Owner)
{
    SetControlStyle(ControlStyle() | csAcceptsControls);
    SetBounds(0, 0, 289, 193);
    SetTabStop(false);
}

std::vector<TsuiTabSheet*> TsuiPageControl::PageList() const
{
    std::vector<TsuiTabSheet*> pages;
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* page = dynamic_cast<TsuiTabSheet*>(Controls(i)))
            pages.push_back(page);
    return pages;
}

int TsuiPageControl::PageCount() const { return static_cast<int>(PageList().size()); }

TsuiTabSheet* TsuiPageControl::Pages(int Index) const
{
    const std::vector<TsuiTabSheet*> pages = PageList();
    return Index >= 0 && Index < static_cast<int>(pages.size()) ? pages[static_cast<size_t>(Index)] : nullptr;
}

int TsuiPageControl::ActivePageIndex() const { return FActivePage ? FActivePage->PageIndex() : -1; }

void TsuiPageControl::SetActivePageIndex(int Value) { SetActivePage(Pages(Value)); }

void TsuiPageControl::SetActivePage(TsuiTabSheet* Value)
{
    if (Value == FActivePage || (Value && Value->PageControl() != this))
        return;
    if (FActivePage) {
        FActivePage->SetVisible(false);
        FActivePage->SetEnabled(false);
    }
    FActivePage = Value;
    if (FActivePage) {
        FActivePage->SetEnabled(true);
        FActivePage->SetVisible(true);
    }
    Invalidate();
}

void TsuiPageControl::ActivateByUser(TsuiTabSheet* Page)
{
    if (!Page || Page == FActivePage)
        return;
    SetActivePage(Page);
    // The focus goes into the page, which gives the page its enter event.
    Page->SelectFirst();
    if (OnChange)
        OnChange(this);
}

void TsuiPageControl::SelectNextPage(bool Forward)
{
    const int count = PageCount();
    if (count == 0)
        return;
    const int at = ActivePageIndex();
    const int next = at < 0 ? (Forward ? 0 : count - 1) : (at + (Forward ? 1 : count - 1)) % count;
    ActivateByUser(Pages(next));
}

void TsuiPageControl::SetTabMargin(int32_t Value)
{
    if (Value == FTabMargin)
        return;
    FTabMargin = Value;
    Invalidate();
}

TRect TsuiPageControl::DisplayRect() const
{
    return {PageInset, FrameTop + PageInset, Width() - PageInset, Height() - PageInset};
}

void TsuiPageControl::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight)
{
    TsuiWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    const TRect r = DisplayRect();
    for (TsuiTabSheet* page : PageList())
        page->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TsuiPageControl::PageAdded(TsuiTabSheet* Page)
{
    const TRect r = DisplayRect();
    Page->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    if (!FActivePage) {
        FActivePage = Page;
        Page->SetEnabled(true);
        Page->SetVisible(true);
    } else {
        Page->SetVisible(false);
        Page->SetEnabled(false);
    }
    Invalidate();
}

TRect TsuiPageControl::TabRect(int Index)
{
    int32_t x = FTabMargin;
    Canvas().Font() = Font().Description();
    for (int i = 0; i < PageCount(); ++i) {
        const int32_t w = std::max(MinTabWidth, Canvas().TextExtent(Pages(i)->Caption()).Width + 2 * TabPadding);
        if (i == Index)
            return {x, TabTop, x + w, FrameTop + 1};
        x += w;
    }
    return {};
}

TsuiTabSheet* TsuiPageControl::PageAtTab(TPoint Point)
{
    // The active tab is drawn larger, over its neighbours, so it is looked at first.
    const int active = ActivePageIndex();
    if (active >= 0) {
        TRect r = TabRect(active);
        r = {r.Left - ActiveLift, r.Top - ActiveLift, r.Right + ActiveLift, r.Bottom};
        if (r.Contains(Point))
            return FActivePage;
    }
    for (int i = 0; i < PageCount(); ++i)
        if (TabRect(i).Contains(Point))
            return Pages(i);
    return nullptr;
}

void TsuiPageControl::DrawTab(TCanvas& Canvas, int Index, bool Active)
{
    TRect r = TabRect(Index);
    TSkinPiece piece = Index == FHotTab ? TSkinPiece::TabHot : TSkinPiece::TabInactive;
    if (Active) {
        r = {r.Left - ActiveLift, r.Top - ActiveLift, r.Right + ActiveLift, r.Bottom};
        piece = TSkinPiece::TabActive;
        // The active tab opens into its page and has the page's colour.
        Canvas.Brush().Style = bsSolid;
        Canvas.Brush().Color = FActivePage->Color();
        Canvas.FillRect({r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom});
    }
    DrawSkinStretched(Canvas, piece, r);
    TFontSpec font = Font().Description();
    if (!EffectivelyEnabled())
        font.Color = clGrayText;
    Canvas.Font() = font;
    const std::string& caption = Pages(Index)->Caption();
    const TSize extent = Canvas.TextExtent(caption);
    const int32_t top = Active ? r.Top + 1 : r.Top;
    Canvas.TextOut(r.Left + (r.Width() - extent.Width) / 2, top + (FrameTop - r.Top - extent.Height) / 2 + 1, caption);
}

void TsuiPageControl::Paint()
{
    TCanvas& canvas = Canvas();
    const TRect frame{0, FrameTop, Width(), Height()};
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = FrameColor;
    canvas.FillRect(frame);
    canvas.Brush().Color = FActivePage ? FActivePage->Color() : Color();
    canvas.FillRect(frame.Shrunk(1));
    const int active = ActivePageIndex();
    for (int i = 0; i < PageCount(); ++i)
        if (i != active)
            DrawTab(canvas, i, false);
    if (active >= 0)
        DrawTab(canvas, active, true);
}

void TsuiPageControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft && EffectivelyEnabled())
        ActivateByUser(PageAtTab({X, Y}));
    TsuiWinControl::MouseDown(Button, Shift, X, Y);
}

void TsuiPageControl::MouseMove(TShiftState Shift, int X, int Y)
{
    TsuiTabSheet* page = ClientRect().Contains(X, Y) ? PageAtTab({X, Y}) : nullptr;
    const int hot = page ? page->PageIndex() : -1;
    if (hot != FHotTab) {
        FHotTab = hot;
        Invalidate();
    }
    TsuiWinControl::MouseMove(Shift, X, Y);
}

void TsuiPageControl::MouseLeave()
{
    FHotTab = -1;
    TsuiWinControl::MouseLeave();
}

void TsuiPageControl::KeyDown(uint16_t& Key, TShiftState Shift)
{
    TsuiWinControl::KeyDown(Key, Shift);
    if (Key == VK_TAB && (Shift & ssCtrl) && !(Shift & ssAlt)) {
        Key = 0;
        SelectNextPage(!(Shift & ssShift));
    }
}

void TsuiPageControl::FontChanged() { Invalidate(); }
