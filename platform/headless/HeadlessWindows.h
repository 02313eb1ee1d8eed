#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/INativeWindows.h"
#include "platform/core/NativeEventQueue.h"
#include "platform/gfx/Bitmap.h"

class IClock;

// A window system that lives in memory and is driven by a test. Its windows are bitmaps that
// hold what was presented; its screen has whatever size the test gives; input, activation
// changes and system commands are injected; window timers fire when the clock the test
// controls has moved far enough. What the program would show the user (error boxes) and ask of
// the system (default system commands, caption drags) is recorded instead of done.
class THeadlessWindows : public INativeWindows {
public:
    struct TErrorBox {
        std::string Caption;
        std::string Text;
    };
    struct TWindowState {
        TNativeWindowParams Params;
        bool Visible = false;
        TCursor Pointer = crDefault;
        TBitmap Pixels;                  // what has been presented, client size
        std::vector<TRect> Presented;    // every presented area, oldest first
    };

    explicit THeadlessWindows(IClock& Clock, int32_t ScreenWidth = 1024, int32_t ScreenHeight = 768);
    ~THeadlessWindows() override;

    // INativeWindows
    TNativeWindow Create(const TNativeWindowParams& Params) override;
    void Destroy(TNativeWindow Window) override;
    void SetBounds(TNativeWindow Window, const TRect& Bounds) override;
    void SetCaption(TNativeWindow Window, const std::string& Caption) override;
    void Show(TNativeWindow Window, bool Visible) override;
    TRect FrameInsets(const TNativeWindowParams& Params) const override;
    void Present(TNativeWindow Window, const TBitmap& BackBuffer, const TRect& Area) override;
    void SetPointer(TNativeWindow Window, TCursor Shape) override;
    bool StartTimer(TNativeWindow Window, uintptr_t Id, uint32_t Milliseconds) override;
    void StopTimer(TNativeWindow Window, uintptr_t Id) override;
    void Post(TNativeWindow Window, uint32_t Msg, uintptr_t WParam, intptr_t LParam) override;
    void Wake() override;
    bool PeekEvent(TNativeEvent& Event, bool IncludeTimers) override;
    void WaitForEvent() override;
    void DefaultSystemCommand(TNativeWindow Window, uint32_t Command) override;
    void BeginMoveDrag(TNativeWindow Window) override;
    TRect ScreenRect() const override { return {0, 0, FScreenWidth, FScreenHeight}; }
    void ShowErrorBox(const std::string& Caption, const std::string& Text) override;
    void ShowInfoBox(const std::string& Caption, const std::string& Text) override;
    void CapturePointer(TNativeWindow Window, bool Capture) override;
    uintptr_t SystemHandle(TNativeWindow Window) const override;
    bool SystemWindowRect(uintptr_t Handle, TRect& Rect) const override;
    std::unique_ptr<INativeChildView> CreateChildView(TNativeWindow Parent, uint32_t RGB) override;

    // The screen.
    void SetScreenSize(int32_t Width, int32_t Height);
    // The border and title bar of windows that have them (default: none).
    void SetFrameInsets(const TRect& Insets) { FFrameInsets = Insets; }

    // Input and system events, queued in order for the window. Shift is the state after the
    // event: a released button is no longer in it.
    void KeyDown(TNativeWindow Window, uint16_t Key, TShiftState Shift = 0);
    void KeyUp(TNativeWindow Window, uint16_t Key, TShiftState Shift = 0);
    void MouseDown(TNativeWindow Window, TMouseButton Button, TPoint Position, TShiftState Shift = ssLeft);
    void MouseUp(TNativeWindow Window, TMouseButton Button, TPoint Position, TShiftState Shift = 0);
    void MouseMove(TNativeWindow Window, TPoint Position, TShiftState Shift = 0);
    void Wheel(TNativeWindow Window, int32_t Delta, TPoint Position, TShiftState Shift = 0);
    void Activate(TNativeWindow Window, bool Active);
    void SystemCommand(TNativeWindow Window, uint32_t Command);
    void CloseRequest(TNativeWindow Window);
    void Expose(TNativeWindow Window, const TRect& Area);
    // The pointer came into the window's client area at Position, or left it.
    void MouseEnter(TNativeWindow Window, TPoint Position);
    void MouseLeave(TNativeWindow Window);

    // Windows of other programs, known by their system handle: a foreign child's host.
    // Destroying one queues Destroyed for every window of this program inside it.
    void AddForeignWindow(uintptr_t Handle, const TRect& Rect);
    void DestroyForeignWindow(uintptr_t Handle);
    void Queue(const TNativeEvent& Event);
    size_t QueuedEvents() const;

    // Called each time the loop would block with nothing to do; a test injects the next events
    // or moves the clock there. When nothing arrives (from the hook, a timer or another thread)
    // within the stall limit of real time, the wait throws an Exception and Stalled() turns
    // true, so a test that forgot to end its loop fails instead of hanging.
    void SetOnWait(std::function<void()> Hook) { FOnWait = std::move(Hook); }
    void SetStallLimitMilliseconds(uint32_t Value) { FStallLimit = Value; }
    bool Stalled() const { return FStalled; }
    int WaitCount() const { return FWaitCount; }

    // What the test reads back.
    const TWindowState* Window(TNativeWindow Window) const;
    std::vector<TNativeWindow> Windows() const;
    const TBitmap& Pixels(TNativeWindow Window) const;
    std::vector<TRect> PresentedAreas(TNativeWindow Window) const;
    void ClearPresented(TNativeWindow Window);
    TCursor Pointer(TNativeWindow Window) const;
    const std::vector<TErrorBox>& ErrorBoxes() const { return FErrorBoxes; }
    void ClearErrorBoxes() { FErrorBoxes.clear(); }
    const std::vector<TErrorBox>& InfoBoxes() const { return FInfoBoxes; }
    const std::vector<uint32_t>& DefaultSystemCommands() const { return FSystemCommands; }
    int MoveDrags() const { return FMoveDrags; }
    // Whether StartTimer refuses every new timer, as a system out of timers does.
    void SetTimersRefused(bool Value) { FTimersRefused = Value; }
    bool TimerRunning(TNativeWindow Window, uintptr_t Id) const;
    // The window that holds the pointer now (0 for none), and every change of it in order:
    // (window, captured).
    TNativeWindow PointerCapture() const { return FPointerCapture; }
    const std::vector<std::pair<TNativeWindow, bool>>& CaptureChanges() const { return FCaptureChanges; }
    // The windows of a kind, oldest first.
    std::vector<TNativeWindow> WindowsOfKind(TNativeWindowKind Kind) const;

private:
    struct TTimer {
        uint32_t Period = 0;
        uint32_t Due = 0;   // tick count at which the next Timer event may come
    };
    void FallDueTimers();
    bool Ready();
    TWindowState* Find(TNativeWindow Window);

    IClock& FClock;
    int32_t FScreenWidth;
    int32_t FScreenHeight;
    TRect FFrameInsets;
    TNativeWindow FNextHandle = 0x100;
    std::map<TNativeWindow, std::unique_ptr<TWindowState>> FWindows;
    bool FTimersRefused = false;
    std::map<std::pair<TNativeWindow, uintptr_t>, TTimer> FTimers;
    std::vector<TErrorBox> FErrorBoxes;
    std::vector<TErrorBox> FInfoBoxes;
    std::vector<uint32_t> FSystemCommands;
    int FMoveDrags = 0;
    TNativeWindow FPointerCapture = 0;
    std::vector<std::pair<TNativeWindow, bool>> FCaptureChanges;
    std::map<uintptr_t, TRect> FForeignWindows;
    uintptr_t FNextViewHandle = 0x7000;
    std::function<void()> FOnWait;
    uint32_t FStallLimit = 5000;
    bool FStalled = false;
    int FWaitCount = 0;
    TNativeEventQueue FQueue;   // shared with other threads
};
