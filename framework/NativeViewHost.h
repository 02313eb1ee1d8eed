#pragma once
#include <memory>

#include "framework/WinControl.h"
#include "platform/INativeWindows.h"

// A windowed control that carries a native view of the system's own (the HTML help view) and
// keeps the view on its rectangle: after its own or any parent's move or resize, when it or a
// parent is hidden or shown (a page of a page control changing), and when its form shows or
// hides. The view shows only the part of the control that its parents leave visible. The
// control itself paints nothing: the window system keeps the form's drawing off the view.
class TNativeViewHost : public TWinControl {
public:
    explicit TNativeViewHost(TComponent* Owner);
    ~TNativeViewHost() override;

    INativeChildView* View() const { return FView.get(); }
    // Takes the view and places it at once.
    void SetView(std::unique_ptr<INativeChildView> Value);
    // A plain view of one colour (0xRRGGBB) in the form's window, made by the window system;
    // false where the system makes none.
    bool CreatePlainView(uint32_t RGB);

    // Where the view lies now, in the form's client coordinates (empty while hidden).
    TRect ViewArea() const { return FPlacedArea; }
    bool ViewShown() const { return FPlacedShown; }

    // Places the view of every host again; the framework calls it after any change of a
    // control's bounds, visibility or parent.
    static void PlaceAll();

protected:
    void EraseBackground(TCanvas&) override {}
    bool ShowsParentPixels() const override { return false; }

private:
    void PlaceView(bool Force);
    // The control's client area in form coordinates, cut by every parent's client area.
    TRect VisibleRect() const;

    std::unique_ptr<INativeChildView> FView;
    TRect FPlacedArea;
    bool FPlacedShown = false;
};
