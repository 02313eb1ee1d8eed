#pragma once
#include "skin/TsuiWinControl.h"

// A panel with a caption bar across its top, drawn from the skin, holding other controls. The
// caption is written in CaptionFontColor on the bar; the rest of the panel is filled with the
// panel's colour inside a thin border.
class TsuiPanel : public TsuiWinControl {
public:
    explicit TsuiPanel(TComponent* Owner);

    TColor CaptionFontColor() const { return FCaptionFontColor; }
    void SetCaptionFontColor(TColor Value);
    // The height of the caption bar.
    static int32_t CaptionHeight();

protected:
    void Paint() override;

private:
    TColor FCaptionFontColor = clWhite;
};
