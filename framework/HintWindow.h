#pragma once
#include <string>
#include <vector>

#include "framework/PopupWindow.h"
#include "platform/gfx/FontSpec.h"

// The small window that shows a control's hint: the text on a pale face inside a thin dark
// border. It never holds the pointer, so the window under it keeps getting the pointer's moves.
// A text too wide for the screen is broken into lines at spaces (a word wider than the screen
// is cut), and lines beyond the screen's height are left out: the window is never larger than
// the screen.
class THintWindow : public TPopupWindow {
public:
    explicit THintWindow(TComponent* Owner);

    // Sizes the window to Text and opens it at ScreenPos (moved onto the screen).
    void ActivateHint(TPoint ScreenPos, const std::string& Text);
    const std::string& Text() const { return FText; }
    // The lines the text was laid out in, as the window shows them.
    const std::vector<std::string>& Lines() const { return FLines; }
    const TFontSpec& Font() const { return FFont; }

    static constexpr TColor FaceColor = 0x00E1FFFF;
    static constexpr TColor BorderColor = 0x00404040;
    // Space between the border and the text.
    static constexpr int32_t Padding = 3;

protected:
    void Paint() override;

private:
    void LayOut(const std::string& Text, int32_t MaxTextWidth, int32_t MaxLines);
    int32_t TextWidth(const std::string& Text) const;

    std::string FText;
    std::vector<std::string> FLines;
    TFontSpec FFont;
    int32_t FLineHeight = 0;
};
