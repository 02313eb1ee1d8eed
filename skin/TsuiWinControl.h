#pragma once
#include <string>

#include "framework/Font.h"
#include "framework/WinControl.h"

// The base of the skinned windowed controls: a caption and a font in the skin's face. The
// controls take part in the tab cycle, and repaint when the pointer comes or goes, as their
// looks show it.
class TsuiWinControl : public TWinControl {
public:
    explicit TsuiWinControl(TComponent* Owner);

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    TFont& Font() { return FFont; }

protected:
    virtual void CaptionChanged() { Invalidate(); }
    virtual void FontChanged() { Invalidate(); }
    void MouseEnter() override;
    void MouseLeave() override;
    // The parent's colour, for painting the corners the artwork leaves open.
    TColor BackgroundColor() const;
    // Fills the client area with the background colour.
    void FillBackground(TCanvas& Canvas);

private:
    std::string FCaption;
    TFont FFont;
};
