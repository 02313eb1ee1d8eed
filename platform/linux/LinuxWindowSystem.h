#pragma once
#include <atomic>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include <gtk/gtk.h>

#include "platform/INativeWindows.h"

class TLinuxWindow;

// The native window system on GTK 3 and GDK for X11. Windows are GTK top-level windows (see
// TLinuxWindow); the loop primitives run the default GLib main context, in which GDK reads
// the X connection: PeekEvent dispatches what is ready without blocking and hands out the
// events the windows queued, WaitForEvent blocks in the main context's poll.
//
// Input, window and posted events wait in one queue in the order they happened. Window timers
// are GLib timeouts that only mark their timer as due, so a timer never has more than one event
// waiting, and due timers are handed out only when nothing else waits.
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
    TRect ScreenRect() const override;
    void ShowErrorBox(const std::string& Caption, const std::string& Text) override;
    void ShowInfoBox(const std::string& Caption, const std::string& Text) override;

    // The X window id of a native window (0 for none or a message-only window), which the
    // preview needs to place itself in its host and tests need to look at the real window.
    unsigned long XWindow(TNativeWindow Window) const;

    // What TLinuxWindow reports. Queue appends an event; LastQueued is the newest event still
    // waiting, or nullptr, so a double click can mark the press that it follows.
    void Queue(const TNativeEvent& Event);
    TNativeEvent* LastQueued();
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
        uint64_t DueSince = 0;   // 0 while not due; else the order in which timers fell due
    };
    using TTimerKey = std::pair<TNativeWindow, uintptr_t>;

    explicit TLinuxWindowSystem(GdkDisplay* Display);
    TLinuxWindow* Find(TNativeWindow Window) const;
    GdkCursor* Cursor(TCursor Shape);
    void Pump();
    bool TakeQueued(TNativeEvent& Event);
    bool TakeDueTimer(TNativeEvent& Event);
    bool AnyTimerDue() const;
    void RemoveTimer(const TTimerKey& Key);
    void PurgeEvents(TNativeWindow Window);
    GtkWindow* ErrorBoxParent() const;
    void ShowMessageBox(const std::string& Caption, const std::string& Text, GtkMessageType Type,
                        const std::string& IconName, GtkWindow* Parent);
    void WatchRawInput(bool Watch);
    static gboolean OnTimer(gpointer Data);
    static GdkFilterReturn OnXEvent(GdkXEvent* XEvent, GdkEvent* Event, gpointer Self);

    GdkDisplay* FDisplay;
    int FInputOpcode = -1;   // the X input extension's, while raw input is watched
    TNativeWindow FNextHandle = 0x1000;
    std::map<TNativeWindow, std::unique_ptr<TLinuxWindow>> FWindows;
    std::map<TTimerKey, std::unique_ptr<TTimer>> FTimers;
    uint64_t FDueCounter = 0;
    std::map<TCursor, GdkCursor*> FCursors;
    TRect FObservedInsets;
    bool FInsetsObserved = false;
    std::deque<TNativeEvent> FEvents;   // main thread only
    gint64 FQuietSince = 0;             // when a pass of the main context last found nothing; 0: not lately

    // Shared with other threads.
    std::mutex FPostedMutex;
    std::deque<TNativeEvent> FPosted;
    std::atomic<bool> FWoken{false};
};
