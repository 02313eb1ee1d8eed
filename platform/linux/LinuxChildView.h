#pragma once
#include <cstdint>
#include <memory>

#include <gdk/gdk.h>

#include "platform/INativeWindows.h"

// A plain X window of one colour inside a native window. The X server paints it from its
// background and clips the parent's drawing to leave it out, so nothing the parent presents
// covers it. The parent may go first: what is then asked of the X server for the view fails
// quietly.
class TLinuxChildView : public INativeChildView {
public:
    // nullptr when the X server refuses the window.
    static std::unique_ptr<TLinuxChildView> Create(GdkDisplay* Display, unsigned long Parent, uint32_t RGB);
    ~TLinuxChildView() override;
    TLinuxChildView(const TLinuxChildView&) = delete;
    TLinuxChildView& operator=(const TLinuxChildView&) = delete;

    void SetBounds(const TRect& Area) override;
    void Show(bool Visible) override;
    uintptr_t SystemHandle() const override { return FWindow; }

private:
    TLinuxChildView(GdkDisplay* Display, unsigned long Window) : FDisplay(Display), FWindow(Window) {}
    void Apply();

    GdkDisplay* FDisplay;
    unsigned long FWindow;
    TRect FArea;
    bool FVisible = false;
};
