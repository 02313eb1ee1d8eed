#include "config/TLMDCustomComboBox.h"

#include <algorithm>
#include <cctype>

#include "config/TLMDComboList.h"
#include "framework/Form.h"
#include "framework/PopupWindow.h"
#include "platform/Platform.h"
#include "platform/gfx/IFontEngine.h"
#include "skin/SkinBitmaps.h"
#include "framework/VirtualKeys.h"

namespace {

constexpr int32_t ButtonWidth = 17;
constexpr TColor BoxBorder = 0x009A9A9A;
constexpr int32_t BoxPadding = 11;   // the closed box is this much higher than a line of text
constexpr int WheelLines = 3;

// Entries sort as the platform's lists sort them: letters without regard to case.
bool LessNoCase(const std::string& a, const std::string& b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
}

// The character a letter or digit key types, or 0 for another key.
char TypedCharacter(uint16_t Key)
{
    if ((Key >= 'A' && Key <= 'Z') || (Key >= '0' && Key <= '9'))
        return static_cast<char>(std::tolower(Key));
    return 0;
}

}  // namespace

TLMDCustomComboBox::TLMDCustomComboBox(TComponent* Owner)
    : TsuiWinControl(Owner), FList(std::make_unique<TLMDComboList>(nullptr, *this))
{
    SetParentColor(false);
    SetColor(clWindow);
    SetBounds(0, 0, 145, 21);
    AdjustHeights();
}

TLMDCustomComboBox::~TLMDCustomComboBox()
{
    // The list leaves its window before either goes; the window is freed as an owned component.
    if (FList && FList->Parent())
        FList->SetParent(nullptr);
    if (FListWindow)
        FListWindow->OnCloseUp = nullptr;
}

int TLMDCustomComboBox::InsertPosition(const std::string& Text) const
{
    if (!FSorted)
        return ItemCount();
    return static_cast<int>(std::upper_bound(FItems.begin(), FItems.end(), Text, LessNoCase) - FItems.begin());
}

int TLMDCustomComboBox::AddItem(const std::string& Text)
{
    const int at = InsertPosition(Text);
    FItems.insert(FItems.begin() + at, Text);
    if (FItemIndex >= at)
        ++FItemIndex;
    Invalidate();
    return at;
}

void TLMDCustomComboBox::ClearItems()
{
    FItems.clear();
    FItemIndex = -1;
    FList->SetHotIndex(-1);
    FList->SetTopIndex(0);
    Invalidate();
}

void TLMDCustomComboBox::SetSorted(bool Value)
{
    if (Value == FSorted)
        return;
    FSorted = Value;
    if (!Value)
        return;
    const std::string selected = Text();
    const bool hadSelection = FItemIndex >= 0;
    std::stable_sort(FItems.begin(), FItems.end(), LessNoCase);
    if (hadSelection)
        FItemIndex = static_cast<int>(std::find(FItems.begin(), FItems.end(), selected) - FItems.begin());
    Invalidate();
}

void TLMDCustomComboBox::SetItemIndex(int Value)
{
    if (Value < -1 || Value >= ItemCount())
        Value = -1;
    if (Value == FItemIndex)
        return;
    FItemIndex = Value;
    Invalidate();
}

std::string TLMDCustomComboBox::Text() const
{
    return FItemIndex >= 0 ? FItems[static_cast<size_t>(FItemIndex)] : std::string();
}

std::string TLMDCustomComboBox::ItemCaption(int Index) const
{
    return Index >= 0 && Index < ItemCount() ? FItems[static_cast<size_t>(Index)] : std::string();
}

void TLMDCustomComboBox::SetDropDownCount(int Value)
{
    Value = std::max(1, Value);
    if (Value == FDropDownCount)
        return;
    FDropDownCount = Value;
    if (FDroppedDown)
        PlaceList();
}

int32_t TLMDCustomComboBox::TextHeight() const
{
    IFontEngine* fonts = CurrentPlatform().Fonts;
    TsuiWinControl* self = const_cast<TLMDCustomComboBox*>(this);
    return fonts ? fonts->TextExtent("", self->Font().Description()).Height : self->Font().Height();
}

void TLMDCustomComboBox::AdjustHeights()
{
    if (Loading())
        return;
    const int32_t text = TextHeight();
    FItemHeight = text + 2;
    FBoxHeight = text + BoxPadding;
    SetHeight(FBoxHeight);
    if (FDroppedDown)
        PlaceList();
}

void TLMDCustomComboBox::SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight)
{
    TsuiWinControl::SetBounds(ALeft, ATop, AWidth, FBoxHeight > 0 && !Loading() ? FBoxHeight : AHeight);
}

void TLMDCustomComboBox::Loaded()
{
    TsuiWinControl::Loaded();
    AdjustHeights();
}

void TLMDCustomComboBox::FontChanged()
{
    AdjustHeights();
    Invalidate();
}

void TLMDCustomComboBox::EnabledChanged()
{
    if (!Enabled())
        SetDroppedDown(false);
    Invalidate();
}

int TLMDCustomComboBox::NavigateIndex(int Current, uint16_t Key) const
{
    const int count = ItemCount();
    if (count == 0)
        return -1;
    const int page = std::max(1, FDropDownCount - 1);
    const int last = count - 1;
    switch (Key) {
    case VK_UP:
    case VK_LEFT:
        return Current < 0 ? 0 : std::max(Current - 1, 0);
    case VK_DOWN:
    case VK_RIGHT:
        return Current < 0 ? 0 : std::min(Current + 1, last);
    case VK_HOME:
        return 0;
    case VK_END:
        return last;
    case VK_PRIOR:
        return Current < 0 ? 0 : std::max(Current - page, 0);
    case VK_NEXT:
        return Current < 0 ? std::min(page, last) : std::min(Current + page, last);
    default:
        break;
    }
    const char typed = TypedCharacter(Key);
    if (!typed)
        return Current;
    // The next entry whose shown name starts with the letter, after the current one and round.
    for (int step = 1; step <= count; ++step) {
        const int i = ((Current < 0 ? -1 : Current) + step) % count;
        const std::string caption = ItemCaption(i);
        if (!caption.empty() && std::tolower(static_cast<unsigned char>(caption[0])) == typed)
            return i;
    }
    return Current;
}

void TLMDCustomComboBox::SelectByUser(int Value)
{
    if (Value == FItemIndex)
        return;
    SetItemIndex(Value);
    if (OnChange)
        OnChange(this);
}

void TLMDCustomComboBox::ChooseFromList(int Index)
{
    SetDroppedDown(false);
    if (Index >= 0 && Index < ItemCount())
        SelectByUser(Index);
}

void TLMDCustomComboBox::KeyDown(uint16_t& Key, TShiftState Shift)
{
    TsuiWinControl::KeyDown(Key, Shift);
    if (Key == 0 || !EffectivelyEnabled())
        return;
    const bool alt = (Shift & ssAlt) != 0;
    if (Key == VK_F4 || (alt && (Key == VK_DOWN || Key == VK_UP))) {
        SetDroppedDown(!FDroppedDown);
        Key = 0;
        return;
    }
    if (FDroppedDown && (Key == VK_RETURN || Key == VK_ESCAPE)) {
        if (Key == VK_RETURN)
            ChooseFromList(FList->HotIndex());
        else
            SetDroppedDown(false);
        Key = 0;
        return;
    }
    if (alt || (Shift & ssCtrl))
        return;
    const int current = FDroppedDown ? FList->HotIndex() : FItemIndex;
    const int next = NavigateIndex(current, Key);
    const bool navigation = next != current || TypedCharacter(Key) ||
                            (Key >= VK_PRIOR && Key <= VK_DOWN);
    if (!navigation)
        return;
    Key = 0;
    if (FDroppedDown)
        FList->SetHotIndex(next);
    else
        SelectByUser(next);
}

bool TLMDCustomComboBox::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    if (TsuiWinControl::DoMouseWheel(Shift, WheelDelta, MousePos))
        return true;
    const int notches = WheelDelta / 120;
    if (notches == 0 || !EffectivelyEnabled())
        return true;
    if (FDroppedDown) {
        FList->ScrollBy(-notches * WheelLines);
        return true;
    }
    int index = FItemIndex;
    for (int i = 0; i < std::abs(notches); ++i)
        index = NavigateIndex(index, notches > 0 ? VK_UP : VK_DOWN);
    SelectByUser(index);
    return true;
}

void TLMDCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft && EffectivelyEnabled()) {
        if (CanFocus())
            SetFocus();
        SetDroppedDown(!FDroppedDown);
    }
    TsuiWinControl::MouseDown(Button, Shift, X, Y);
}

void TLMDCustomComboBox::SetDroppedDown(bool Value)
{
    if (Value == FDroppedDown || (Value && (!EffectivelyEnabled() || !ParentForm())))
        return;
    FDroppedDown = Value;
    if (Value) {
        FList->SetHotIndex(FItemIndex);
        PlaceList();
        if (OnDropDown)
            OnDropDown(this);
    } else if (FListWindow && FListWindow->IsOpen()) {
        FListWindow->CloseUp();   // reports back through ListClosed
        return;
    } else {
        ListClosed();
    }
    Invalidate();
}

void TLMDCustomComboBox::ListClosed()
{
    FDroppedDown = false;
    Invalidate();
    if (OnCloseUp)
        OnCloseUp(this);
}

// The list opens in a pop-up window right below the box, as wide as the box.
void TLMDCustomComboBox::PlaceList()
{
    TForm* form = ParentForm();
    if (!form)
        return;
    if (!FListWindow) {
        FListWindow = new TPopupWindow(this);
        FListWindow->OnCloseUp = [this](TObject*) { ListClosed(); };
    }
    FListWindow->SetPopupOwner(form);
    const TRect size = FList->ListBounds(Width());
    FListWindow->SetBounds(FListWindow->Left(), FListWindow->Top(), size.Width(), size.Height());
    if (FList->Parent() != FListWindow)
        FList->SetParent(FListWindow);
    FList->SetBounds(0, 0, size.Width(), size.Height());
    FList->SetHotIndex(FList->HotIndex());
    FListWindow->Popup(ClientToScreen({0, Height()}));
}

TRect TLMDCustomComboBox::ButtonRect() const { return {Width() - 1 - ButtonWidth, 1, Width() - 1, Height() - 1}; }

TRect TLMDCustomComboBox::EditRect() const { return {2, 2, Width() - 2 - ButtonWidth, Height() - 2}; }

void TLMDCustomComboBox::Paint()
{
    TCanvas& canvas = Canvas();
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = BoxBorder;
    canvas.FillRect(ClientRect());
    canvas.Brush().Color = Color();
    canvas.FillRect(ClientRect().Shrunk(1));

    TOwnerDrawState state = odComboBoxEdit;
    if (!EffectivelyEnabled())
        state |= odDisabled;
    else if (Focused() && !FDroppedDown)
        state |= odSelected | odFocused;
    const TRect edit = EditRect();
    if (FItemIndex >= 0) {
        const TRect saved = canvas.ClipRect();
        canvas.SetClipRect(saved.Intersected(edit));
        DrawItem(canvas, FItemIndex, edit, state);
        canvas.SetClipRect(saved);
    }

    const TRect button = ButtonRect();
    const TSkinPiece face = !EffectivelyEnabled() ? TSkinPiece::ButtonDisabled
                            : FDroppedDown        ? TSkinPiece::ButtonPressed
                            : MouseInControl()    ? TSkinPiece::ButtonHot
                                                  : TSkinPiece::ButtonNormal;
    DrawSkinStretched(canvas, face, button);
    const TSkinPiece arrow = EffectivelyEnabled() ? TSkinPiece::DropArrow : TSkinPiece::DropArrowDisabled;
    DrawSkin(canvas, arrow, button.Left + (button.Width() - SkinWidth(arrow)) / 2,
             button.Top + (button.Height() - SkinHeight(arrow) + 1) / 2);
}

void TLMDCustomComboBox::DrawItem(TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State)
{
    if (Index < 0 || Index >= ItemCount())
        return;
    Canvas.Brush().Style = bsSolid;
    Canvas.Brush().Color = (State & odSelected) ? clHighlight : Color();
    Canvas.FillRect(Rect);
    TFontSpec font = Font().Description();
    font.Color = (State & odSelected) ? clHighlightText : (State & odDisabled) ? clInactiveCaption : font.Color;
    Canvas.Font() = font;
    Canvas.TextOut(Rect.Left + 2, Rect.Top + 1, ItemCaption(Index));
}
