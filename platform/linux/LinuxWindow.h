#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include <cairo.h>
#include <gtk/gtk.h>

#include "platform/INativeWindows.h"
#include "platform/linux/LinuxPixelStore.h"

class TBitmap;
class TLinuxWindowSystem;

// One native window of the GTK backend: a GTK top-level window without children whose client
// area shows what the framework presents. The framework's back buffer lives in an image the
// window shows without copying it (see BackBufferStore); a back buffer kept elsewhere is copied
// into an image of the window's own. Either image lets an area the X server lost (another
// window was over it) be shown again at once. The window turns what GDK reports about it into
// the framework's events, queued on its window system.
//
// How the window is made depends on its kind:
// - Normal (Framed and Frameless): a managed top-level window, with or without the window
//   manager's border and caption; it takes the keyboard focus when shown, also where no window
//   manager runs. A window with an owner is its transient.
// - Popup: a borderless window owned by another (drop-down lists, hints): override-redirect,
//   so it stays exactly where it is put, transient for its owner, and it never takes the focus.
// - Child (ForeignChild): the X window is made a child of a window of another program, the
//   host, and placed in the host's client coordinates. When the host goes, the window goes with
//   it and the window system reports it destroyed; when the host's size changes, that is
//   reported as a Resized event of the child with the host's client rectangle.
// - FullScreen: a borderless window that covers the primary screen: override-redirect, so it
//   sits at the screen's corner with the screen's size whether or not a window manager runs,
//   above every managed window; it takes the focus and grabs keyboard and pointer while shown.
//   Presses that another program's grab keeps from it reach it through the display's raw input
//   (see InputDespiteGrab), so it still ends on input.
class TLinuxWindow {
public:
    enum class TKind : uint8_t { Normal, Popup, FullScreen, Child };

    TLinuxWindow(TLinuxWindowSystem& System, TNativeWindow Handle, const TNativeWindowParams& Params);
    ~TLinuxWindow();
    TLinuxWindow(const TLinuxWindow&) = delete;
    TLinuxWindow& operator=(const TLinuxWindow&) = delete;

    TNativeWindow Handle() const { return FHandle; }
    // False when the window could not be made (a foreign host that is no window).
    bool Made() const { return FParams.MessageOnly || FWidget; }
    // The foreign host, for a Child: its id and the client size last seen.
    unsigned long Host() const { return FKind == TKind::Child ? FParams.Host : 0; }
    // The host went, and the window with it: nothing more is asked of the X server for it.
    void HostGone();
    bool Gone() const { return FGone; }
    // The host's size changed; reported when it differs from the one seen before.
    void HostResized(int32_t Width, int32_t Height);
    // Pointer capture: every press, release and move goes to this window while it holds it.
    void CapturePointer(bool Capture);
    const TNativeWindowParams& Params() const { return FParams; }
    TKind Kind() const { return FKind; }
    bool MessageOnly() const { return FParams.MessageOnly; }
    bool Visible() const { return FVisible; }
    GtkWindow* Widget() const { return FWidget ? GTK_WINDOW(FWidget) : nullptr; }
    // The X window id; 0 for a message-only window.
    unsigned long XWindow() const;

    void SetBounds(const TRect& Bounds);
    void SetCaption(const std::string& Caption);
    void Show(bool Visible);
    void Present(const TBitmap& BackBuffer, const TRect& Area);
    // Memory for the framework's back buffer that the window shows as it is; nullptr for a
    // message-only window.
    std::unique_ptr<IPixelStore> BackBufferStore();
    void SetPointer(GdkCursor* Cursor);
    void BeginMoveDrag();
    void Minimize();
    void Maximize();
    void Restore();

    // A modal box of this program needs the keyboard and pointer while it runs.
    void SuspendGrab();
    void ResumeGrab();
    // A key (Detail = X key code) or button press (Detail = X button) somewhere on the display.
    void InputDespiteGrab(TNativeEvent::TKind Kind, unsigned int Detail);

private:
    static TKind KindFor(const TNativeWindowParams& Params);
    void Build();
    bool PlaceInHost();
    void SetUpOwner();
    void Demolish();
    void ApplyGeometry();
    void ResizeShadow(int32_t Width, int32_t Height);
    cairo_surface_t* ShownImage() const;
    bool HoldsBackBuffer(const TBitmap& BackBuffer) const;
    void PresentInPlace(const TBitmap& BackBuffer, const TRect& Area);
    void FitWindowSurface(int32_t Width, int32_t Height);
    void DrawImage(cairo_t* Cr, cairo_surface_t* Image, const TRect& Area);
    void DrawDirect(cairo_t* Cr, const TBitmap& BackBuffer, const TRect& Area);
    void DrawOnWindow(const TBitmap& BackBuffer, cairo_surface_t* Image, const TRect& Area);
    void TakeFocus();
    void TakeFocusAndGrab();
    void ReleaseGrab();
    bool OwnsScreen() const;
    void Queue(TNativeEvent Event);
    TNativeEvent MakeEvent(TNativeEvent::TKind Kind) const;

    static gboolean OnDraw(GtkWidget* Widget, cairo_t* Cr, gpointer Self);
    static gboolean OnKey(GtkWidget* Widget, GdkEventKey* Event, gpointer Self);
    static gboolean OnButton(GtkWidget* Widget, GdkEventButton* Event, gpointer Self);
    static gboolean OnMotion(GtkWidget* Widget, GdkEventMotion* Event, gpointer Self);
    static gboolean OnScroll(GtkWidget* Widget, GdkEventScroll* Event, gpointer Self);
    static gboolean OnFocus(GtkWidget* Widget, GdkEventFocus* Event, gpointer Self);
    bool HoldsFocus() const;
    static gboolean OnDelete(GtkWidget* Widget, GdkEvent* Event, gpointer Self);
    static gboolean OnConfigure(GtkWidget* Widget, GdkEventConfigure* Event, gpointer Self);
    static gboolean OnMap(GtkWidget* Widget, GdkEvent* Event, gpointer Self);
    static gboolean OnCrossing(GtkWidget* Widget, GdkEventCrossing* Event, gpointer Self);
    static gboolean OnGrabBroken(GtkWidget* Widget, GdkEvent* Event, gpointer Self);

    TLinuxWindowSystem& FSystem;
    const TNativeWindow FHandle;
    TNativeWindowParams FParams;   // what the window is made as
    bool FGone = false;
    bool FCaptured = false;
    int32_t FHostWidth = -1;
    int32_t FHostHeight = -1;
    TKind FKind = TKind::Normal;
    bool FVisible = false;
    bool FPointerGrabbed = false;
    bool FKeyboardGrabbed = false;
    bool FGrabSuspended = false;
    GtkWidget* FWidget = nullptr;
    GdkCursor* FCursor = nullptr;
    cairo_surface_t* FShadow = nullptr;          // a copy of the presented pixels, client size
    cairo_surface_t* FWindowSurface = nullptr;   // the X window itself
    struct _XGC* FContext = nullptr;              // for requests of its own to the X window
    std::shared_ptr<TLinuxBackBuffer> FBackBuffer;   // once a store was handed out
    bool FShownInPlace = false;                      // the last presentation came from it

    // The last button press, which a caption drag starts from.
    guint FPressButton = 0;
    gint FPressRootX = 0;
    gint FPressRootY = 0;
    guint32 FPressTime = GDK_CURRENT_TIME;
};
