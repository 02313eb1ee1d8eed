#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>

#include "platform/INativeWindows.h"
#include "platform/core/NativeEventQueue.h"
#include "platform/win32/Win32Surface.h"

// The window system of Windows. Every native window has one window procedure that turns the
// messages the program cares about into events and queues them; the loop takes them with
// PeekEvent, which also dispatches whatever the system's queue holds, so controls and dialogs
// of the system that live on this thread keep working.
//
// Messages the system sends and waits on (activation, system commands, close requests) are
// answered at once, since the program reads its events later: activation and close requests
// get the system's usual answer without the window being destroyed, and system commands are
// held back, answered as handled (SC_SCREENSAVE with 1, which refuses a second saver), and run
// by the system only when the program passes them on with DefaultSystemCommand.
//
// Kinds of window: framed windows have the system's caption and border, frameless ones are
// plain pop-up windows (the saver among them), pop-ups of the program are owned tool windows
// that are never activated, and a foreign child is a child window of a window of any process,
// placed in its client area; it hears of its end as a Destroyed event when that window goes,
// and of the host's new size as a Resized event with the host's client rectangle.
//
// Posted messages never enter the system's queue: they wait in the shared event queue beside
// the window's other events, so their values arrive as given, whatever their number, and those
// of a window that has gone are dropped with it. WM_TIMER only tells that queue a timer fell
// due, so a timer has one event waiting at most.
class TWin32WindowSystem : public INativeWindows {
public:
    TWin32WindowSystem();
    ~TWin32WindowSystem() override;
    TWin32WindowSystem(const TWin32WindowSystem&) = delete;
    TWin32WindowSystem& operator=(const TWin32WindowSystem&) = delete;

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

private:
    struct TWindow {
        TWin32WindowSystem* Owner = nullptr;
        HWND Handle = nullptr;
        bool MessageOnly = false;
        TNativeWindowKind Kind = TNativeWindowKind::Framed;
        bool Tracking = false;           // the system tells when the pointer leaves
        bool Destroying = false;         // the program destroys it; otherwise its end is news
        TRect Requested;                 // the outer rectangle the program last asked for
        HCURSOR Pointer = nullptr;
        TWin32Surface Surface;           // a copy of what a back buffer of its own presented
        // The back buffer's own memory once a store was handed out, and whether the last
        // presentation came from it, so that a repaint shows it instead of Surface.
        std::shared_ptr<TWin32Surface> BackBuffer;
        bool ShownInPlace = false;
        const TWin32Surface& Shown() const { return ShownInPlace ? *BackBuffer : Surface; }
        uint32_t HeldCommand = 0;        // the last system command held back, and its position
        LPARAM HeldCommandParam = 0;
        // A foreign child's host, watched for changes of its size, and the client size last seen.
        HWND Host = nullptr;
        HWINEVENTHOOK HostHook = nullptr;
        int32_t HostWidth = -1;
        int32_t HostHeight = -1;
    };

    static LRESULT CALLBACK WindowProc(HWND Handle, UINT Msg, WPARAM WParam, LPARAM LParam);
    LRESULT HandleMessage(TWindow& Window, UINT Msg, WPARAM WParam, LPARAM LParam);
    bool HandleInput(TWindow& Window, UINT Msg, WPARAM WParam, LPARAM LParam);
    LRESULT HandleSystemCommand(TWindow& Window, WPARAM WParam, LPARAM LParam);
    void HandlePaint(TWindow& Window);
    static void ShowRows(HDC Target, const TBitmap& BackBuffer, const TRect& Area);
    void HandleTimer(TWindow& Window, uintptr_t Id);
    void HandlePositionChanged(TWindow& Window);
    void HandleDestroyed(TWindow& Window);
    void TrackLeaving(TWindow& Window, LPARAM Position);
    void WatchHost(TWindow& Window, HWND Host);
    void UnwatchHost(TWindow& Window);
    void HostMoved(HWND Host);
    void LookAtHosts();
    static void CALLBACK OnHostEvent(HWINEVENTHOOK Hook, DWORD Event, HWND Window, LONG Object, LONG Child, DWORD Thread,
                                     DWORD Time);

    TWindow* Find(TNativeWindow Window) const;
    void Queue(const TNativeEvent& Event);
    bool DispatchOne();
    bool InQuietSpell(int64_t Now) const;

    ATOM FClass = 0;
    HINSTANCE FInstance = nullptr;
    HANDLE FWakeEvent = nullptr;
    HWND FCaptured = nullptr;            // the window that asked for the pointer
    int FMoveDrags = 0;                  // above 0 while a caption drag runs: commands go through
    int64_t FQuietSince = 0;             // when a look at the system's queue last found it empty; 0: not lately
    int64_t FQuietSpell = 0;             // how long a peek then leaves the queue alone, in counter ticks
    std::map<HWND, std::unique_ptr<TWindow>> FWindows;
    // Frame insets by window style and extended style; forgotten when the system's settings
    // change.
    mutable std::map<std::pair<DWORD, DWORD>, TRect> FInsets;
    TNativeEventQueue FQueue;   // shared with the threads that call Post and Wake
};
