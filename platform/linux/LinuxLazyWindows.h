#pragma once
#include <atomic>
#include <memory>

#include "platform/INativeWindows.h"

class TLinuxWindowSystem;

// The window system of the X display the program was started on, opened on first use. A
// program that never shows a window (the snapshot tool, the benchmarks, tests that put a
// window system of their own in its place) opens no display and says nothing about one.
// When the display cannot be opened, the reason is on standard error once and every call
// does nothing: Create gives 0 and boxes are written to standard error.
class TLinuxLazyWindows : public INativeWindows {
public:
    TLinuxLazyWindows();
    ~TLinuxLazyWindows() override;

    TNativeWindow Create(const TNativeWindowParams& Params) override;
    void Destroy(TNativeWindow Window) override;
    void SetBounds(TNativeWindow Window, const TRect& Bounds) override;
    void SetCaption(TNativeWindow Window, const std::string& Caption) override;
    void Show(TNativeWindow Window, bool Visible) override;
    TRect FrameInsets(const TNativeWindowParams& Params) const override;
    void Present(TNativeWindow Window, const TBitmap& BackBuffer, const TRect& Area) override;
    std::unique_ptr<IPixelStore> BackBufferStore(TNativeWindow Window) override;
    void SetPointer(TNativeWindow Window, TCursor Shape) override;
    bool StartTimer(TNativeWindow Window, uintptr_t Id, uint32_t Milliseconds) override;
    void StopTimer(TNativeWindow Window, uintptr_t Id) override;
    void Post(TNativeWindow Window, uint32_t Msg, uintptr_t WParam, intptr_t LParam) override;
    void Wake() override;
    bool PeekEvent(TNativeEvent& Event, bool IncludeTimers) override;
    void WaitForEvent() override;
    void DefaultSystemCommand(TNativeWindow Window, uint32_t Command) override;
    void BeginMoveDrag(TNativeWindow Window) override;
    void CapturePointer(TNativeWindow Window, bool Capture) override;
    uintptr_t SystemHandle(TNativeWindow Window) const override;
    bool SystemWindowRect(uintptr_t Handle, TRect& Rect) const override;
    std::unique_ptr<INativeChildView> CreateChildView(TNativeWindow Parent, uint32_t RGB) override;
    TRect ScreenRect() const override;
    void ShowErrorBox(const std::string& Caption, const std::string& Text) override;
    void ShowInfoBox(const std::string& Caption, const std::string& Text) override;

private:
    // The opened window system, or nullptr when the display cannot be opened (main thread).
    TLinuxWindowSystem* Opened() const;

    mutable std::unique_ptr<TLinuxWindowSystem> FSystem;
    mutable bool FTried = false;
    // What other threads see: the system once it is open.
    mutable std::atomic<TLinuxWindowSystem*> FShared{nullptr};
    std::atomic<bool> FWokenEarly{false};
};
