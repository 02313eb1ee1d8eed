#pragma once
#include <memory>
#include <string>
#include <vector>

#include "skin/TsuiWinControl.h"

class TLMDComboList;
class TPopupWindow;

// How an entry is to be drawn.
using TOwnerDrawState = uint8_t;
constexpr TOwnerDrawState odSelected = 0x01;
constexpr TOwnerDrawState odFocused = 0x02;
constexpr TOwnerDrawState odDisabled = 0x04;
constexpr TOwnerDrawState odComboBoxEdit = 0x08;   // the entry shown in the closed box

// A drop-down list of text entries whose look derived classes draw (DrawItem). The closed box
// shows the selected entry and a drop button; the open list, in a pop-up window below the box,
// shows DropDownCount entries at a time with a scroll bar when there are more. No free text can be typed. The keyboard works as
// on the platform's drop-down lists: in the closed box the keys change the selection at once,
// in the open list they move the highlight, which Enter (or a click) takes and Esc drops.
class TLMDCustomComboBox : public TsuiWinControl {
public:
    explicit TLMDCustomComboBox(TComponent* Owner);
    ~TLMDCustomComboBox() override;

    const std::vector<std::string>& Items() const { return FItems; }
    int ItemCount() const { return static_cast<int>(FItems.size()); }
    // Adds an entry (in its sorted place when Sorted) and returns its index.
    int AddItem(const std::string& Text);
    void ClearItems();
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);

    // The selected entry, -1 for none. An index outside the entries selects none.
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int Value);
    // The text of the selected entry, empty when none is selected.
    std::string Text() const;
    // The name an entry is shown with, which typed letters are matched against.
    virtual std::string ItemCaption(int Index) const;

    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int Value);
    // The height of one entry and the height the closed box takes, both from the font.
    int32_t ItemHeight() const { return FItemHeight; }
    int32_t TextHeight() const;

    bool DroppedDown() const { return FDroppedDown; }
    void SetDroppedDown(bool Value);
    TLMDComboList& List() { return *FList; }
    // The window the open list shows in, owned by the box's form; nullptr until it first opens.
    TPopupWindow* ListWindow() const { return FListWindow; }

    // The index the selection moves to from Current for a navigation key of the platform's
    // lists (arrows, Home, End, Page Up, Page Down, a letter), or Current for any other key.
    int NavigateIndex(int Current, uint16_t Key) const;

    // Draws entry Index into Rect of Canvas. A derived class draws its own entries.
    virtual void DrawItem(TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State);

    // The user chose entry Index in the open list: it becomes the selection and the list closes.
    void ChooseFromList(int Index);

    void Loaded() override;
    // The box keeps the height its font gives it, whatever height is asked for.
    void SetBounds(int32_t ALeft, int32_t ATop, int32_t AWidth, int32_t AHeight) override;

    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(uint16_t& Key, TShiftState Shift) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void FontChanged() override;
    void EnabledChanged() override;
    // The rectangles of the closed box: the shown entry and the drop button.
    TRect EditRect() const;
    TRect ButtonRect() const;
    // Recomputes the entry height and the box height from the font.
    void AdjustHeights();

private:
    // Makes Value the selection as the user does: reports a change.
    void SelectByUser(int Value);
    int InsertPosition(const std::string& Text) const;
    void PlaceList();
    // The pop-up closed, by the box or on its own (a click outside, the form moving).
    void ListClosed();

    std::vector<std::string> FItems;
    bool FSorted = false;
    int FItemIndex = -1;
    int FDropDownCount = 8;
    int32_t FItemHeight = 16;
    int32_t FBoxHeight = 0;   // 0 until the font has been measured
    bool FDroppedDown = false;
    TPopupWindow* FListWindow = nullptr;   // owned by the box
    std::unique_ptr<TLMDComboList> FList;
};
