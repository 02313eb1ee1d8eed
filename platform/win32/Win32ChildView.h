#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/INativeWindows.h"

// A plain child window of one colour inside a native window. The parent clips its children
// out of its drawing, so nothing it presents covers the view. The parent may go first, taking
// the view's window with it.
class TWin32ChildView : public INativeChildView {
public:
    // nullptr when the system refuses the window.
    static std::unique_ptr<TWin32ChildView> Create(HINSTANCE Instance, HWND Parent, uint32_t Colour);
    ~TWin32ChildView() override;
    TWin32ChildView(const TWin32ChildView&) = delete;
    TWin32ChildView& operator=(const TWin32ChildView&) = delete;

    void SetBounds(const TRect& Area) override;
    void Show(bool Visible) override;
    uintptr_t SystemHandle() const override { return reinterpret_cast<uintptr_t>(FWindow); }

private:
    TWin32ChildView(HWND Window, HBRUSH Brush) : FWindow(Window), FBrush(Brush) {}
    void Apply();
    static LRESULT CALLBACK ViewProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);

    HWND FWindow;
    HBRUSH FBrush;
    TRect FArea;
    bool FVisible = false;
};
