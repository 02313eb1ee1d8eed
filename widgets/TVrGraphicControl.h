#pragma once
#include <cstdint>
#include <string>

#include "framework/Control.h"

// The base of the drawn widgets: a windowless control that shows a changed state at once,
// unless its layout is still loading or an update bracket (BeginUpdate/EndUpdate) is open.
class TVrGraphicControl : public TControl {
public:
    explicit TVrGraphicControl(TComponent* Owner);

    // The widget family's version; fixed, and never part of a stored layout.
    const std::string& Version() const { return FVersion; }

    int32_t UpdateCount() const { return FUpdateCount; }
    void BeginUpdate() { ++FUpdateCount; }
    // Closes one bracket and shows the result. The count has no lower bound: one EndUpdate too
    // many keeps every update from painting until a BeginUpdate brings the count back to 0.
    void EndUpdate();

protected:
    // Asks for the widget's current state to be shown now: a repaint when the widget is not
    // loading and no update bracket is open, otherwise nothing. Every setter that changes the
    // picture ends here.
    virtual void UpdateControlCanvas();
    // For widgets whose size follows their content: adjusts the size, then shows the result.
    virtual void UpdateControlBounds();
    // Works out the size the content needs; nothing for a widget of fixed size.
    virtual void AdjustControlSize() {}
    // A change of font or text changes the picture.
    virtual void FontChanged() { UpdateControlCanvas(); }
    virtual void TextChanged() { UpdateControlCanvas(); }

private:
    std::string FVersion = "1.3";
    int32_t FUpdateCount = 0;
};
