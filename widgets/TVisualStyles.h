#pragma once
#include "widgets/IVisualStyles.h"

// The visual styles of the machine: off unless switched on. A parent's background is the fill
// its own background erase gives, so drawing it fills the area with the parent's colour.
class TVisualStyles : public IVisualStyles {
public:
    bool IsThemeActive() const override { return FThemeActive; }
    void SetThemeActive(bool Value) { FThemeActive = Value; }
    bool DrawThemeParentBackground(const TControl& Control, TCanvas& Canvas, const TRect& Rect) override;

private:
    bool FThemeActive = false;
};

// The visual styles that panels ask; the machine's unless a TScopedVisualStyles has put
// others in their place.
IVisualStyles& VisualStyles();

// Puts other visual styles in place for the lifetime of the object (in tests) and restores the
// previous ones afterwards.
class TScopedVisualStyles {
public:
    explicit TScopedVisualStyles(IVisualStyles& Replacement);
    ~TScopedVisualStyles();
    TScopedVisualStyles(const TScopedVisualStyles&) = delete;
    TScopedVisualStyles& operator=(const TScopedVisualStyles&) = delete;

private:
    IVisualStyles* FSaved;
};
