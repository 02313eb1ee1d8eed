#pragma once

class TCanvas;
class TControl;
struct TRect;

// The platform's visual styles as a panel sees them: whether they are on, and the service that
// draws a control's parent background under it.
class IVisualStyles {
public:
    virtual ~IVisualStyles() = default;
    virtual bool IsThemeActive() const = 0;
    // Draws the background of Control's parent into Canvas over Rect (both in Control's client
    // coordinates). False when it cannot; nothing is drawn then.
    virtual bool DrawThemeParentBackground(const TControl& Control, TCanvas& Canvas, const TRect& Rect) = 0;
};
