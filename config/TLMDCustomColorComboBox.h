#pragma once
#include "config/TLMDCustomComboBox.h"

// Which colours the list holds and what it may do besides.
using TLMDColorComboOptions = uint8_t;
constexpr TLMDColorComboOptions coDefaultColors = 0x01;   // the sixteen standard colours
constexpr TLMDColorComboOptions coSystemColors = 0x02;    // the named system colours
constexpr TLMDColorComboOptions coCustomColors = 0x04;
constexpr TLMDColorComboOptions coAllowAnyColor = 0x08;
constexpr TLMDColorComboOptions coAllowDialog = 0x10;

// How an entry shows its colour.
enum TLMDColorDisplayStyle : uint8_t { csColor, csText, csColorText, csColor3DText };

// A combo box of named colours: each entry is a colour name of the colour-name table, shown as a
// swatch of the colour followed by the name without its "cl" prefix.
class TLMDCustomColorComboBox : public TLMDCustomComboBox {
public:
    explicit TLMDCustomColorComboBox(TComponent* Owner);

    TLMDColorComboOptions Options() const { return FOptions; }
    void SetOptions(TLMDColorComboOptions Value);
    TLMDColorDisplayStyle DisplayStyle() const { return FDisplayStyle; }
    void SetDisplayStyle(TLMDColorDisplayStyle Value);

    // Fills the list from the colour-name table as the options say, keeping the selected colour
    // selected when it is still listed.
    void CreateColorList();
    // The colour of the selected entry, or -1 when none is selected or its text is no colour.
    TColor GetSelectedColor() const;

    std::string ItemCaption(int Index) const override;
    void DrawItem(TCanvas& Canvas, int Index, const TRect& Rect, TOwnerDrawState State) override;
    void Loaded() override;

    // The colour an entry's text names: a name of the table, or a hexadecimal number after "$";
    // clNone for any other text.
    static TColor ItemColor(const std::string& Text);
    // The name an entry's text is shown with: without its first two characters when it starts
    // with "c" (at most 100 characters), otherwise the whole text.
    static std::string ShownName(const std::string& Text);

private:
    int IndexOfColor(TColor Color) const;

    TLMDColorComboOptions FOptions = coDefaultColors | coAllowAnyColor;
    TLMDColorDisplayStyle FDisplayStyle = csColorText;
};
