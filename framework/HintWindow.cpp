#include "framework/HintWindow.h"

#include <algorithm>

#include "framework/Application.h"
#include "platform/INativeWindows.h"
#include "platform/Platform.h"
#include "platform/gfx/IFontEngine.h"

namespace {

// The width of the border on each side.
constexpr int32_t BorderWidth = 1;

}  // namespace

THintWindow::THintWindow(TComponent* Owner) : TPopupWindow(Owner)
{
    SetTakesPointer(false);
    SetColor(FaceColor);
    FFont.Name = "Tahoma";
    FFont.Height = 11;
    FFont.Color = clBlack;
}

int32_t THintWindow::TextWidth(const std::string& Text) const
{
    IFontEngine* fonts = CurrentPlatform().Fonts;
    return fonts ? fonts->TextExtent(Text, FFont).Width : static_cast<int32_t>(Text.size()) * FFont.Height / 2;
}

// Lines are filled word by word and broken at spaces; a single word wider than a line stays
// one line and is cut where the window ends.
void THintWindow::LayOut(const std::string& Text, int32_t MaxTextWidth, int32_t MaxLines)
{
    FLines.clear();
    std::string line;
    size_t pos = 0;
    while (pos <= Text.size()) {
        const size_t end = std::min(Text.find_first_of(" \n", pos), Text.size());
        const std::string word = Text.substr(pos, end - pos);
        if (!word.empty()) {
            const std::string candidate = line.empty() ? word : line + " " + word;
            if (line.empty() || TextWidth(candidate) <= MaxTextWidth) {
                line = candidate;
            } else {
                FLines.push_back(line);
                line = word;
            }
        }
        if (end < Text.size() && Text[end] == '\n') {
            FLines.push_back(line);
            line.clear();
        }
        pos = end + 1;
    }
    if (!line.empty() || FLines.empty())
        FLines.push_back(line);
    if (static_cast<int32_t>(FLines.size()) > MaxLines)
        FLines.resize(static_cast<size_t>(std::max(MaxLines, 1)));
}

void THintWindow::ActivateHint(TPoint ScreenPos, const std::string& Text)
{
    FText = Text;
    INativeWindows* windows = Application().Windows();
    const TRect screen = windows ? windows->ScreenRect() : TRect{0, 0, 640, 480};
    IFontEngine* fonts = CurrentPlatform().Fonts;
    FLineHeight = std::max(fonts ? fonts->TextExtent("", FFont).Height : FFont.Height + 2, 1);
    const int32_t frame = 2 * (BorderWidth + Padding);
    const int32_t maxTextWidth = std::max(screen.Width() - frame, 1);
    const int32_t maxLines = std::max((screen.Height() - frame) / FLineHeight, 1);
    LayOut(Text, maxTextWidth, maxLines);
    int32_t textWidth = 0;
    for (const std::string& line : FLines)
        textWidth = std::max(textWidth, TextWidth(line));
    const int32_t width = std::min(std::min(textWidth, maxTextWidth) + frame, screen.Width());
    const int32_t height = std::min(static_cast<int32_t>(FLines.size()) * FLineHeight + frame, screen.Height());
    SetBounds(Left(), Top(), width, height);
    Invalidate();
    Popup(ScreenPos);
}

void THintWindow::Paint()
{
    TCanvas& canvas = Canvas();
    const TRect client = ClientRect();
    canvas.Pen().Color = BorderColor;
    canvas.Brush().Style = bsSolid;
    canvas.Brush().Color = FaceColor;
    canvas.Rectangle(client);
    // The text stays inside the border, however long a line is.
    const TRect inner = client.Shrunk(BorderWidth);
    canvas.SetClipRect(canvas.ClipRect().Intersected(inner));
    if (canvas.ClipRect().IsEmpty() || !CurrentPlatform().Fonts)
        return;
    canvas.Font() = FFont;
    int32_t y = BorderWidth + Padding;
    for (const std::string& line : FLines) {
        canvas.TextOut(BorderWidth + Padding, y, line);
        y += FLineHeight;
    }
}
