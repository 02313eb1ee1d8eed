#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include <gtk/gtk.h>

#include "platform/INativeWindows.h"
#include "platform/core/NativeEventQueue.h"

class TLinuxWindow;
union _XEvent;

// The native window system on GTK 3 and GDK for X11. Windows are GTK top-level windows (see
// TLinuxWindow); the loop primitives run the default GLib main context, in which GDK reads
// the X connection: PeekEvent dispatches what is ready without blocking and hands out the
// events the windows queued, WaitForEvent blocks in the main context's poll.
//
// Input, window and posted events wait in the shared event queue in the order they happened.
// Window timers are GLib timeouts that only tell the queue their timer fell due, so a timer
// never has more than one event waiting, and due timers are handed out only when nothing else
// waits.
class TLinuxWindowSystem : public INativeWindows {
public:
    // Opens the default X display. When it cannot be opened, says so on standard error and
    // gives nullptr; nothing of GTK is left half set up.
    static std::unique_ptr<TLinuxWindowSystem> Open();
    ~TLinuxWindowSystem() override;

    // INativeWindows
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

    // The X window id of a native window (0 for none or a message-only window), which the
    // preview needs to place itself in its host and tests need to look at the real window.
    unsigned long XWindow(TNativeWindow Window) const;

    // What TLinuxWindow reports, in the order it happened.
    TNativeEventQueue& Events() { return FQueue; }
    // The toolkit window of a window of this system, for a transient; nullptr for none.
    GtkWindow* WidgetOf(TNativeWindow Window) const;
    // The insets the window manager gave a decorated window, remembered for FrameInsets.
    void ObserveFrameInsets(const TRect& Insets);
    // Whether a window manager runs that frames windows and hands out the focus.
    bool WindowManagerRunning() const;

private:
    struct TTimer {
        TLinuxWindowSystem* System = nullptr;
        TNativeWindow Window = 0;
        uintptr_t Id = 0;
        guint Source = 0;
    };
    using TTimerKey = std::pair<TNativeWindow, uintptr_t>;

    explicit TLinuxWindowSystem(GdkDisplay* Display);
    TLinuxWindow* Find(TNativeWindow Window) const;
    GdkCursor* Cursor(TCursor Shape);
    void Pump();
    void RemoveTimer(const TTimerKey& Key);
    GtkWindow* ErrorBoxParent() const;
    void ShowMessageBox(const std::string& Caption, const std::string& Text, GtkMessageType Type,
                        const std::string& IconName, GtkWindow* Parent);
    void WatchRawInput(bool Watch);
    bool OnRawInput(const union _XEvent& XEvent);
    bool OnForeignStructure(const union _XEvent& XEvent);
    void ForeignChildGone(TLinuxWindow& Window);
    static gboolean OnTimer(gpointer Data);
    static GdkFilterReturn OnXEvent(GdkXEvent* XEvent, GdkEvent* Event, gpointer Self);

    GdkDisplay* FDisplay;
    int FInputOpcode = -1;   // the X input extension's, while raw input is watched
    TNativeWindow FNextHandle = 0x1000;
    std::map<TNativeWindow, std::unique_ptr<TLinuxWindow>> FWindows;
    std::map<TTimerKey, std::unique_ptr<TTimer>> FTimers;
    std::map<TCursor, GdkCursor*> FCursors;
    TRect FObservedInsets;
    bool FInsetsObserved = false;
    gint64 FQuietSince = 0;   // when a pass of the main context last found nothing; 0: not lately
    TNativeEventQueue FQueue;   // shared with the threads that post and wake
};
