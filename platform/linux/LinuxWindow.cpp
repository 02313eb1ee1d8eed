#include "platform/linux/LinuxWindow.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include <cairo-xlib.h>
#include <gdk/gdkx.h>

#include "platform/core/NativeWindowKind.h"
#include "platform/gfx/Bitmap.h"
#include "platform/linux/LinuxSharedImage.h"
#include "platform/linux/LinuxVirtualKeys.h"
#include "platform/linux/LinuxWindowSystem.h"

// Xlib names event types with macros that clash with the framework's event kinds.
#undef Expose
#undef None

namespace {

// X keeps positions in 16 signed bits and sizes in 16 unsigned bits, and a window has at
// least one pixel each way; cairo's image surfaces stop at the same largest size.
constexpr int32_t MinCoordinate = -32768;
constexpr int32_t MaxCoordinate = 32767;
constexpr int32_t MaxExtent = 32767;

// Areas up to this many pixels are presented straight from the back buffer.
constexpr int64_t SmallArea = 64 * 1024;

int32_t ClampedCoordinate(int32_t Value) { return std::clamp(Value, MinCoordinate, MaxCoordinate); }
int32_t ClampedExtent(int32_t Value) { return std::clamp(Value, 1, MaxExtent); }

// Text as GTK takes it: valid UTF-8. Anything else becomes U+FFFD instead of an empty title.
std::string ValidUtf8(const std::string& Text)
{
    if (g_utf8_validate_len(Text.data(), Text.size(), nullptr))
        return Text;
    std::unique_ptr<gchar, decltype(&g_free)> valid(g_utf8_make_valid(Text.data(), Text.size()), g_free);
    return valid.get();
}

constexpr GdkEventMask WindowEvents = GdkEventMask(
    GDK_EXPOSURE_MASK | GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_KEY_PRESS_MASK |
    GDK_KEY_RELEASE_MASK | GDK_SCROLL_MASK | GDK_FOCUS_CHANGE_MASK | GDK_STRUCTURE_MASK | GDK_ENTER_NOTIFY_MASK |
    GDK_LEAVE_NOTIFY_MASK);

TShiftState ShiftFromState(guint State)
{
    TShiftState s = 0;
    if (State & GDK_SHIFT_MASK)
        s |= ssShift;
    if (State & GDK_MOD1_MASK)
        s |= ssAlt;
    if (State & GDK_CONTROL_MASK)
        s |= ssCtrl;
    if (State & GDK_BUTTON1_MASK)
        s |= ssLeft;
    if (State & GDK_BUTTON3_MASK)
        s |= ssRight;
    if (State & GDK_BUTTON2_MASK)
        s |= ssMiddle;
    return s;
}

// The modifier that a modifier key itself stands for; GDK reports the state before the key,
// the framework wants it after.
TShiftState ModifierOfKey(guint KeyVal)
{
    switch (KeyVal) {
    case GDK_KEY_Shift_L:
    case GDK_KEY_Shift_R:
        return ssShift;
    case GDK_KEY_Control_L:
    case GDK_KEY_Control_R:
        return ssCtrl;
    case GDK_KEY_Alt_L:
    case GDK_KEY_Alt_R:
    case GDK_KEY_Meta_L:
    case GDK_KEY_Meta_R:
        return ssAlt;
    default:
        return 0;
    }
}

TShiftState ButtonShift(TMouseButton Button)
{
    return Button == TMouseButton::mbRight ? ssRight : Button == TMouseButton::mbMiddle ? ssMiddle : ssLeft;
}

TPoint PositionOf(double X, double Y)
{
    return {static_cast<int32_t>(std::floor(X)), static_cast<int32_t>(std::floor(Y))};
}

}  // namespace

TLinuxWindow::TLinuxWindow(TLinuxWindowSystem& System, TNativeWindow Handle, const TNativeWindowParams& Params)
    : FSystem(System), FHandle(Handle), FParams(ResolvedWindowParams(Params))
{
    if (!FParams.MessageOnly)
        Build();
}

TLinuxWindow::~TLinuxWindow()
{
    Demolish();
    if (FShadow)
        cairo_surface_destroy(FShadow);
}

TLinuxWindow::TKind TLinuxWindow::KindFor(const TNativeWindowParams& Params)
{
    switch (Params.Kind) {
    case TNativeWindowKind::Popup:
        return TKind::Popup;
    case TNativeWindowKind::ForeignChild:
        return TKind::Child;
    default:
        return Params.FullScreen ? TKind::FullScreen : TKind::Normal;
    }
}

void TLinuxWindow::Build()
{
    FKind = KindFor(FParams);
    FWidget = gtk_window_new(FKind == TKind::Normal ? GTK_WINDOW_TOPLEVEL : GTK_WINDOW_POPUP);
    GtkWindow* window = GTK_WINDOW(FWidget);
    if (FKind == TKind::Popup) {
        // Shown without taking the focus from the owner, which keeps getting the keys.
        gtk_window_set_accept_focus(window, FALSE);
        gtk_window_set_focus_on_map(window, FALSE);
        gtk_window_set_type_hint(window, GDK_WINDOW_TYPE_HINT_DROPDOWN_MENU);
    }
    SetUpOwner();
    // The framework paints every pixel of the client area; GTK draws no background of its own.
    gtk_widget_set_app_paintable(FWidget, TRUE);
    gtk_window_set_title(window, ValidUtf8(FParams.Caption).c_str());
    gtk_window_set_decorated(window, FParams.Border || FParams.TitleBar);
    gtk_window_set_keep_above(window, FParams.StayOnTop);
    gtk_widget_add_events(FWidget, WindowEvents);

    g_signal_connect(FWidget, "draw", G_CALLBACK(OnDraw), this);
    g_signal_connect(FWidget, "key-press-event", G_CALLBACK(OnKey), this);
    g_signal_connect(FWidget, "key-release-event", G_CALLBACK(OnKey), this);
    g_signal_connect(FWidget, "button-press-event", G_CALLBACK(OnButton), this);
    g_signal_connect(FWidget, "button-release-event", G_CALLBACK(OnButton), this);
    g_signal_connect(FWidget, "motion-notify-event", G_CALLBACK(OnMotion), this);
    g_signal_connect(FWidget, "scroll-event", G_CALLBACK(OnScroll), this);
    g_signal_connect(FWidget, "focus-in-event", G_CALLBACK(OnFocus), this);
    g_signal_connect(FWidget, "focus-out-event", G_CALLBACK(OnFocus), this);
    g_signal_connect(FWidget, "delete-event", G_CALLBACK(OnDelete), this);
    g_signal_connect(FWidget, "configure-event", G_CALLBACK(OnConfigure), this);
    g_signal_connect(FWidget, "map-event", G_CALLBACK(OnMap), this);
    g_signal_connect(FWidget, "enter-notify-event", G_CALLBACK(OnCrossing), this);
    g_signal_connect(FWidget, "leave-notify-event", G_CALLBACK(OnCrossing), this);
    g_signal_connect(FWidget, "grab-broken-event", G_CALLBACK(OnGrabBroken), this);

    ApplyGeometry();
    // Realized at once, so the window has its X id before it is first shown.
    gtk_widget_realize(FWidget);
    if (FKind == TKind::Child && !PlaceInHost()) {
        g_signal_handlers_disconnect_by_data(FWidget, this);
        gtk_widget_destroy(FWidget);
        FWidget = nullptr;
        return;
    }
    GdkWindow* gdkWindow = gtk_widget_get_window(FWidget);
    gdk_window_set_cursor(gdkWindow, FCursor);
    FWindowSurface = cairo_xlib_surface_create(GDK_WINDOW_XDISPLAY(gdkWindow), GDK_WINDOW_XID(gdkWindow),
                                               gdk_x11_visual_get_xvisual(gdk_window_get_visual(gdkWindow)),
                                               gdk_window_get_width(gdkWindow), gdk_window_get_height(gdkWindow));
    XGCValues values{};
    values.graphics_exposures = False;
    FContext = XCreateGC(GDK_WINDOW_XDISPLAY(gdkWindow), GDK_WINDOW_XID(gdkWindow), GCGraphicsExposures, &values);
    if (FBackBuffer)
        FBackBuffer->Window = FWindowSurface;
    // A window made anew keeps what was presented to the one before it.
    if (cairo_surface_t* shown = ShownImage())
        FitWindowSurface(cairo_image_surface_get_width(shown), cairo_image_surface_get_height(shown));
}

// Framed and frameless windows with an owner, and pop-ups, are transients of the owner: the
// window manager keeps them above it, and a pop-up goes with it.
void TLinuxWindow::SetUpOwner()
{
    if (FKind == TKind::Child || !FParams.Owner)
        return;
    if (GtkWindow* owner = FSystem.WidgetOf(FParams.Owner))
        gtk_window_set_transient_for(GTK_WINDOW(FWidget), owner);
}

// The X window becomes a child of the host, at its bounds in the host's client coordinates.
// The host belongs to another program and may be gone by now: any error of the X server makes
// the window fail, and nothing is left half made. The host's structure is watched, so its end
// and its new sizes reach the window system.
bool TLinuxWindow::PlaceInHost()
{
    GdkWindow* gdkWindow = gtk_widget_get_window(FWidget);
    GdkDisplay* display = gdk_window_get_display(gdkWindow);
    Display* x = GDK_DISPLAY_XDISPLAY(display);
    const ::Window host = static_cast<::Window>(FParams.Host);
    gdk_x11_display_error_trap_push(display);
    XWindowAttributes a{};
    const bool isWindow = host != 0 && XGetWindowAttributes(x, host, &a);
    if (isWindow) {
        XSelectInput(x, host, a.your_event_mask | StructureNotifyMask);
        XReparentWindow(x, GDK_WINDOW_XID(gdkWindow), host, ClampedCoordinate(FParams.Bounds.Left),
                        ClampedCoordinate(FParams.Bounds.Top));
        FHostWidth = a.width;
        FHostHeight = a.height;
    }
    XSync(x, False);
    return gdk_x11_display_error_trap_pop(display) == 0 && isWindow;
}

void TLinuxWindow::HostGone()
{
    if (FGone)
        return;
    FGone = true;
    FVisible = false;
    FCaptured = false;
}

void TLinuxWindow::HostResized(int32_t Width, int32_t Height)
{
    if (FGone || (Width == FHostWidth && Height == FHostHeight))
        return;
    FHostWidth = Width;
    FHostHeight = Height;
    TNativeEvent e = MakeEvent(TNativeEvent::Resized);
    e.Area = {0, 0, Width, Height};
    Queue(e);
}

// While captured, the pointer belongs to this window alone: presses, releases and moves
// anywhere come to it in its client coordinates. The full-screen window holds the pointer
// anyway while it shows.
void TLinuxWindow::CapturePointer(bool Capture)
{
    if (!FWidget || FGone || FKind == TKind::FullScreen || Capture == FCaptured)
        return;
    GdkWindow* gdkWindow = gtk_widget_get_window(FWidget);
    GdkSeat* seat = gdk_display_get_default_seat(gdk_window_get_display(gdkWindow));
    if (!Capture) {
        FCaptured = false;
        gdk_seat_ungrab(seat);
        return;
    }
    if (!gtk_widget_get_mapped(FWidget))
        return;
    FCaptured = gdk_seat_grab(seat, gdkWindow, GDK_SEAT_CAPABILITY_ALL_POINTING, FALSE, FCursor, nullptr, nullptr,
                              nullptr) == GDK_GRAB_SUCCESS;
}

void TLinuxWindow::Demolish()
{
    if (!FWidget)
        return;
    // The X window of a child whose host went is gone already; what is asked for it fails.
    GdkDisplay* display = gtk_widget_get_display(FWidget);
    gdk_x11_display_error_trap_push(display);
    if (FCaptured) {
        FCaptured = false;
        gdk_seat_ungrab(gdk_display_get_default_seat(display));
    }
    ReleaseGrab();
    // Destroying the widget unmaps it; nothing of that may reach the queue any more.
    g_signal_handlers_disconnect_by_data(FWidget, this);
    if (FBackBuffer)
        FBackBuffer->Window = nullptr;
    if (FWindowSurface) {
        XFreeGC(cairo_xlib_surface_get_display(FWindowSurface), FContext);
        FContext = nullptr;
        cairo_surface_destroy(FWindowSurface);
        FWindowSurface = nullptr;
    }
    gtk_widget_destroy(FWidget);
    FWidget = nullptr;
    gdk_x11_display_error_trap_pop_ignored(display);
}

// The outer rectangle goes to the window manager's frame; the X window gets the client part.
// GTK keeps the geometry for later showings, and an existing X window gets it in one request:
// GTK alone would move at once and resize at its next frame, and the X server would report the
// moved window of the old size as a change of its own.
void TLinuxWindow::ApplyGeometry()
{
    const TRect insets = FKind == TKind::Normal ? FSystem.FrameInsets(FParams) : TRect{};
    const TRect& b = FParams.Bounds;
    const int32_t x = ClampedCoordinate(b.Left);
    const int32_t y = ClampedCoordinate(b.Top);
    const int32_t width = ClampedExtent(b.Width() - insets.Left - insets.Right);
    const int32_t height = ClampedExtent(b.Height() - insets.Top - insets.Bottom);
    if (gtk_widget_get_realized(FWidget))
        gdk_window_move_resize(gtk_widget_get_window(FWidget), x, y, width, height);
    gtk_window_move(GTK_WINDOW(FWidget), x, y);
    gtk_window_resize(GTK_WINDOW(FWidget), width, height);
}

unsigned long TLinuxWindow::XWindow() const
{
    if (!FWidget || !gtk_widget_get_realized(FWidget))
        return 0;
    return GDK_WINDOW_XID(gtk_widget_get_window(FWidget));
}

void TLinuxWindow::SetBounds(const TRect& Bounds)
{
    FParams.Bounds = Bounds;
    if (FWidget)
        ApplyGeometry();
}

void TLinuxWindow::SetCaption(const std::string& Caption)
{
    FParams.Caption = Caption;
    if (FWidget)
        gtk_window_set_title(GTK_WINDOW(FWidget), ValidUtf8(Caption).c_str());
}

void TLinuxWindow::Show(bool Visible)
{
    if (!FWidget || Visible == FVisible)
        return;
    FVisible = Visible;
    if (!Visible) {
        CapturePointer(false);
        ReleaseGrab();
        gtk_widget_hide(FWidget);
        return;
    }
    if (FKind == TKind::Normal) {
        gtk_window_present(GTK_WINDOW(FWidget));
        return;
    }
    // A window without a frame has its bounds as its client area, so the copy of its pixels
    // can be made before the first presentation. Making a screen-sized one touches megabytes of
    // fresh memory, which is better spent while the program still waits for anything else. A
    // window whose back buffer lives in its own image needs no copy at all.
    if (!FShadow && !FBackBuffer)
        ResizeShadow(std::min(FParams.Bounds.Width(), MaxExtent), std::min(FParams.Bounds.Height(), MaxExtent));
    gtk_widget_show(FWidget);
}

// The copy of the presented pixels follows the size of the back buffer, which is the
// framework's idea of the client size; what it held stays where the sizes overlap.
void TLinuxWindow::ResizeShadow(int32_t Width, int32_t Height)
{
    // An image like the window's own lives in memory shared with a local X server where it can,
    // so drawing it onto the window copies no pixels through the connection.
    cairo_surface_t* shadow = FWindowSurface
                                  ? cairo_surface_create_similar_image(FWindowSurface, CAIRO_FORMAT_RGB24, Width, Height)
                                  : cairo_image_surface_create(CAIRO_FORMAT_RGB24, Width, Height);
    if (cairo_surface_status(shadow) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(shadow);
        shadow = nullptr;
    } else {
        cairo_t* cr = cairo_create(shadow);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_paint(cr);
        if (FShadow) {
            cairo_set_source_surface(cr, FShadow, 0, 0);
            cairo_paint(cr);
        }
        cairo_destroy(cr);
    }
    if (FShadow)
        cairo_surface_destroy(FShadow);
    FShadow = shadow;
    FitWindowSurface(Width, Height);
}

void TLinuxWindow::FitWindowSurface(int32_t Width, int32_t Height)
{
    Width = std::max(Width, 1);
    Height = std::max(Height, 1);
    if (FWindowSurface && (cairo_xlib_surface_get_width(FWindowSurface) != Width ||
                           cairo_xlib_surface_get_height(FWindowSurface) != Height))
        cairo_xlib_surface_set_size(FWindowSurface, Width, Height);
}

// What the window shows again of an area the X server lost: the back buffer where the last
// presentation came from it, else the copy of what was presented.
cairo_surface_t* TLinuxWindow::ShownImage() const
{
    if (FShownInPlace && FBackBuffer && FBackBuffer->Image)
        return FBackBuffer->Image;
    return FShadow;
}

void TLinuxWindow::DrawImage(cairo_t* Cr, cairo_surface_t* Image, const TRect& Area)
{
    cairo_set_operator(Cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(Cr, Image, 0, 0);
    cairo_rectangle(Cr, Area.Left, Area.Top, Area.Width(), Area.Height());
    cairo_fill(Cr);
}

std::unique_ptr<IPixelStore> TLinuxWindow::BackBufferStore()
{
    if (FParams.MessageOnly)
        return nullptr;
    if (!FBackBuffer) {
        FBackBuffer = std::make_shared<TLinuxBackBuffer>();
        FBackBuffer->Window = FWindowSurface;
    }
    return std::make_unique<TLinuxPixelStore>(FBackBuffer);
}

bool TLinuxWindow::HoldsBackBuffer(const TBitmap& BackBuffer) const
{
    cairo_surface_t* image = FBackBuffer ? FBackBuffer->Image : nullptr;
    return image && !BackBuffer.Empty() &&
           cairo_image_surface_get_data(image) == reinterpret_cast<const unsigned char*>(BackBuffer.Scanline(0)) &&
           cairo_image_surface_get_width(image) == BackBuffer.Width() &&
           cairo_image_surface_get_height(image) == BackBuffer.Height();
}

// Only Area travels to the X server, drawn straight onto the window without waiting for GTK's
// next frame: from the back buffer itself where it lives in the window's image, else from the
// copy its rows are copied into first.
void TLinuxWindow::Present(const TBitmap& BackBuffer, const TRect& Area)
{
    if (!FWidget)
        return;
    FShownInPlace = HoldsBackBuffer(BackBuffer);
    if (FShownInPlace) {
        PresentInPlace(BackBuffer, Area);
        return;
    }
    const int32_t width = std::min(BackBuffer.Width(), MaxExtent);
    const int32_t height = std::min(BackBuffer.Height(), MaxExtent);
    if (!FShadow || cairo_image_surface_get_width(FShadow) != width || cairo_image_surface_get_height(FShadow) != height)
        ResizeShadow(width, height);
    const TRect r = Area.Intersected({0, 0, width, height});
    if (!FShadow || r.IsEmpty())
        return;
    cairo_surface_flush(FShadow);
    unsigned char* data = cairo_image_surface_get_data(FShadow);
    const int stride = cairo_image_surface_get_stride(FShadow);
    for (int32_t y = r.Top; y < r.Bottom; ++y)
        std::memcpy(data + static_cast<size_t>(y) * stride + static_cast<size_t>(r.Left) * sizeof(TPixel),
                    BackBuffer.Scanline(y) + r.Left, static_cast<size_t>(r.Width()) * sizeof(TPixel));
    cairo_surface_mark_dirty_rectangle(FShadow, r.Left, r.Top, r.Width(), r.Height());
    if (!FWindowSurface || !gtk_widget_get_mapped(FWidget))
        return;
    DrawOnWindow(BackBuffer, FShadow, r);
}

// The X server reads a large area straight from the shared image. The framework draws into the
// same memory at its next paint, so the window waits until the server has read the area: a
// picture half drawn never reaches the screen.
void TLinuxWindow::PresentInPlace(const TBitmap& BackBuffer, const TRect& Area)
{
    if (FShadow) {
        // A copy from before the back buffer moved into the window's image is of no more use.
        cairo_surface_destroy(FShadow);
        FShadow = nullptr;
    }
    cairo_surface_t* image = FBackBuffer->Image;
    const TRect r = Area.Intersected(BackBuffer.BoundsRect());
    if (r.IsEmpty())
        return;
    cairo_surface_mark_dirty_rectangle(image, r.Left, r.Top, r.Width(), r.Height());
    if (!FWindowSurface || !gtk_widget_get_mapped(FWidget))
        return;
    FitWindowSurface(BackBuffer.Width(), BackBuffer.Height());
    const TLinuxSharedImage* shared = FBackBuffer->Shared.get();
    if (shared && static_cast<int64_t>(r.Width()) * r.Height() > SmallArea) {
        // Whatever cairo still holds for the window goes first, so the requests keep their order.
        cairo_surface_flush(FWindowSurface);
        shared->Put(cairo_xlib_surface_get_drawable(FWindowSurface), FContext, r);
        return;
    }
    DrawOnWindow(BackBuffer, image, r);
}

// Draws Area of the presented pixels onto the window through cairo and sends the request on its
// way: a small area straight from the back buffer, a large one from Image.
void TLinuxWindow::DrawOnWindow(const TBitmap& BackBuffer, cairo_surface_t* Image, const TRect& Area)
{
    cairo_t* cr = cairo_create(FWindowSurface);
    if (static_cast<int64_t>(Area.Width()) * Area.Height() <= SmallArea)
        DrawDirect(cr, BackBuffer, Area);
    else
        DrawImage(cr, Image, Area);
    cairo_destroy(cr);
    cairo_surface_flush(FWindowSurface);
    XFlush(cairo_xlib_surface_get_display(FWindowSurface));
}

// A small area travels through the connection straight from the back buffer. Drawing it from
// the shadow, which may lie in shared memory, would first wait for the X server to be done with
// the shadow's last use, a round trip that costs more than the few pixels themselves.
void TLinuxWindow::DrawDirect(cairo_t* Cr, const TBitmap& BackBuffer, const TRect& Area)
{
    // cairo only reads a source surface.
    auto* pixels = reinterpret_cast<unsigned char*>(const_cast<TPixel*>(BackBuffer.Scanline(Area.Top)));
    cairo_surface_t* source =
        cairo_image_surface_create_for_data(pixels + static_cast<size_t>(Area.Left) * sizeof(TPixel), CAIRO_FORMAT_RGB24,
                                            Area.Width(), Area.Height(), BackBuffer.Width() * sizeof(TPixel));
    cairo_set_operator(Cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(Cr, source, Area.Left, Area.Top);
    cairo_rectangle(Cr, Area.Left, Area.Top, Area.Width(), Area.Height());
    cairo_fill(Cr);
    // The pixels belong to the framework: neither the context nor the source may hold on to
    // them once this returns.
    cairo_set_source_rgb(Cr, 0, 0, 0);
    cairo_surface_finish(source);
    cairo_surface_destroy(source);
}

void TLinuxWindow::SetPointer(GdkCursor* Cursor)
{
    FCursor = Cursor;
    if (FWidget && gtk_widget_get_realized(FWidget))
        gdk_window_set_cursor(gtk_widget_get_window(FWidget), Cursor);
}

// The drag starts where the last button went down, which is where the framework saw the press
// on its caption; without one it starts where the pointer is.
void TLinuxWindow::BeginMoveDrag()
{
    if (!FWidget || !gtk_widget_get_mapped(FWidget))
        return;
    if (!FPressButton) {
        GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(gtk_widget_get_display(FWidget)));
        gdk_device_get_position(pointer, nullptr, &FPressRootX, &FPressRootY);
    }
    gtk_window_begin_move_drag(GTK_WINDOW(FWidget), FPressButton ? FPressButton : 1, FPressRootX, FPressRootY, FPressTime);
}

void TLinuxWindow::Minimize()
{
    if (FWidget)
        gtk_window_iconify(GTK_WINDOW(FWidget));
}

void TLinuxWindow::Maximize()
{
    if (FWidget)
        gtk_window_maximize(GTK_WINDOW(FWidget));
}

void TLinuxWindow::Restore()
{
    if (!FWidget)
        return;
    gtk_window_deiconify(GTK_WINDOW(FWidget));
    gtk_window_unmaximize(GTK_WINDOW(FWidget));
}

// Sets the X focus on the window now that it is viewable. Without a window manager nobody else
// does, and GTK's own request carries the time of the last input it saw, which the X server
// ignores when the focus has moved since.
void TLinuxWindow::TakeFocus()
{
    GdkWindow* gdkWindow = gtk_widget_get_window(FWidget);
    GdkDisplay* display = gdk_window_get_display(gdkWindow);
    gdk_x11_display_error_trap_push(display);
    XSetInputFocus(GDK_DISPLAY_XDISPLAY(display), GDK_WINDOW_XID(gdkWindow), RevertToParent, CurrentTime);
    gdk_x11_display_error_trap_pop_ignored(display);
}

// The full-screen window takes the focus itself, since no window manager gives focus to an
// override-redirect window, and then grabs keyboard and pointer so that every key and click
// comes to it. With the focus already on the window the grab moves no focus, so the grab
// itself never reads as a loss of activation. When another program holds a grab, the window is
// shown all the same and still gets the input that reaches it.
void TLinuxWindow::TakeFocusAndGrab()
{
    if (FGrabSuspended || !FWidget || (FPointerGrabbed && FKeyboardGrabbed))
        return;
    TakeFocus();
    GdkWindow* gdkWindow = gtk_widget_get_window(FWidget);
    GdkSeat* seat = gdk_display_get_default_seat(gdk_window_get_display(gdkWindow));
    // Pointer and keyboard are taken one by one, so that one held elsewhere leaves the other.
    if (!FPointerGrabbed)
        FPointerGrabbed = gdk_seat_grab(seat, gdkWindow, GDK_SEAT_CAPABILITY_ALL_POINTING, FALSE, nullptr, nullptr,
                                        nullptr, nullptr) == GDK_GRAB_SUCCESS;
    if (!FKeyboardGrabbed)
        FKeyboardGrabbed = gdk_seat_grab(seat, gdkWindow, GDK_SEAT_CAPABILITY_KEYBOARD, FALSE, nullptr, nullptr, nullptr,
                                         nullptr) == GDK_GRAB_SUCCESS;
}

void TLinuxWindow::ReleaseGrab()
{
    if (!FPointerGrabbed && !FKeyboardGrabbed)
        return;
    FPointerGrabbed = FKeyboardGrabbed = false;
    gdk_seat_ungrab(gdk_display_get_default_seat(gtk_widget_get_display(FWidget)));
}

bool TLinuxWindow::OwnsScreen() const
{
    return FWidget && FKind == TKind::FullScreen && FVisible && !FGrabSuspended && gtk_widget_get_mapped(FWidget);
}

// Input that another program's grab kept from the full-screen window, seen as raw input of the
// whole display: it is passed on as if it had come to the window, and the window tries once
// more to take the grab, which the other program may have let go of by now.
void TLinuxWindow::InputDespiteGrab(TNativeEvent::TKind Kind, unsigned int Detail)
{
    if (!OwnsScreen())
        return;
    const bool missed = Kind == TNativeEvent::KeyDown ? !FKeyboardGrabbed : !FPointerGrabbed;
    if (!missed)
        return;
    GdkWindow* gdkWindow = gtk_widget_get_window(FWidget);
    GdkDisplay* display = gdk_window_get_display(gdkWindow);
    GdkKeymap* keymap = gdk_keymap_get_for_display(display);
    TNativeEvent e = MakeEvent(Kind);
    e.Shift = ShiftFromState(gdk_keymap_get_modifier_state(keymap));
    if (Kind == TNativeEvent::KeyDown) {
        e.Key = VirtualKeyOfKey(keymap, Detail, 0);
    } else {
        if (Detail < 1 || Detail > 5)
            return;
        int x = 0, y = 0;
        gdk_window_get_device_position(gdkWindow, gdk_seat_get_pointer(gdk_display_get_default_seat(display)), &x, &y,
                                       nullptr);
        e.Position = {x, y};
        if (Detail >= 4) {
            e.Kind = TNativeEvent::Wheel;
            e.WheelDelta = Detail == 4 ? 120 : -120;
        } else {
            e.Button = Detail == 1 ? TMouseButton::mbLeft : Detail == 3 ? TMouseButton::mbRight : TMouseButton::mbMiddle;
            e.Shift |= ButtonShift(e.Button);
        }
    }
    Queue(e);
    TakeFocusAndGrab();
}

void TLinuxWindow::SuspendGrab()
{
    FGrabSuspended = true;
    ReleaseGrab();
}

void TLinuxWindow::ResumeGrab()
{
    FGrabSuspended = false;
    if (FWidget && FKind == TKind::FullScreen && FVisible && gtk_widget_get_mapped(FWidget))
        TakeFocusAndGrab();
}

TNativeEvent TLinuxWindow::MakeEvent(TNativeEvent::TKind Kind) const
{
    TNativeEvent e;
    e.Kind = Kind;
    e.Window = FHandle;
    return e;
}

void TLinuxWindow::Queue(TNativeEvent Event) { FSystem.Events().Push(Event); }

// The window system lost the pixels of an area: they are drawn again from the shadow at once
// (black where nothing was presented yet), and the framework hears of it, since the shadow may
// be older than what it would paint now.
gboolean TLinuxWindow::OnDraw(GtkWidget*, cairo_t* Cr, gpointer Self)
{
    auto* self = static_cast<TLinuxWindow*>(Self);
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    cairo_clip_extents(Cr, &x1, &y1, &x2, &y2);
    const TRect area{static_cast<int32_t>(std::floor(x1)), static_cast<int32_t>(std::floor(y1)),
                     static_cast<int32_t>(std::ceil(x2)), static_cast<int32_t>(std::ceil(y2))};
    cairo_set_source_rgb(Cr, 0, 0, 0);
    cairo_paint(Cr);
    if (cairo_surface_t* shown = self->ShownImage())
        self->DrawImage(Cr, shown, area);
    if (!area.IsEmpty()) {
        TNativeEvent e = self->MakeEvent(TNativeEvent::Expose);
        e.Area = area;
        self->Queue(e);
    }
    return TRUE;
}

gboolean TLinuxWindow::OnKey(GtkWidget*, GdkEventKey* Event, gpointer Self)
{
    auto* self = static_cast<TLinuxWindow*>(Self);
    const bool down = Event->type == GDK_KEY_PRESS;
    TNativeEvent e = self->MakeEvent(down ? TNativeEvent::KeyDown : TNativeEvent::KeyUp);
    e.Key = VirtualKeyOfKey(gdk_keymap_get_for_display(gdk_window_get_display(Event->window)), Event->hardware_keycode,
                            Event->keyval);
    e.Shift = ShiftFromState(Event->state);
    const TShiftState own = ModifierOfKey(Event->keyval);
    e.Shift = down ? (e.Shift | own) : (e.Shift & ~own);
    self->Queue(e);
    return TRUE;
}

// Buttons 1 to 3 are left, middle and right; the wheel comes as scroll events and the side
// buttons have no place in the framework. A double click comes from GDK as a second press
// right after the first of the pair's second click; it marks that press as a double click
// instead of adding one, as the other platform reports a double click in place of the press.
gboolean TLinuxWindow::OnButton(GtkWidget*, GdkEventButton* Event, gpointer Self)
{
    auto* self = static_cast<TLinuxWindow*>(Self);
    if (Event->button < 1 || Event->button > 3 || Event->type == GDK_3BUTTON_PRESS)
        return TRUE;
    const TMouseButton button = Event->button == 1   ? TMouseButton::mbLeft
                                : Event->button == 3 ? TMouseButton::mbRight
                                                     : TMouseButton::mbMiddle;
    const bool down = Event->type != GDK_BUTTON_RELEASE;
    TNativeEvent e = self->MakeEvent(down ? TNativeEvent::MouseDown : TNativeEvent::MouseUp);
    e.Button = button;
    e.Position = PositionOf(Event->x, Event->y);
    e.Shift = ShiftFromState(Event->state);
    e.Shift = down ? (e.Shift | ButtonShift(button)) : (e.Shift & ~ButtonShift(button));
    if (down) {
        self->FPressButton = Event->button;
        self->FPressRootX = static_cast<gint>(Event->x_root);
        self->FPressRootY = static_cast<gint>(Event->y_root);
        self->FPressTime = Event->time;
    }
    if (Event->type == GDK_2BUTTON_PRESS) {
        e.Shift |= ssDouble;
        const auto markPress = [&](TNativeEvent& last) {
            if (last.Kind != TNativeEvent::MouseDown || last.Window != self->FHandle || last.Button != button ||
                (last.Shift & ssDouble))
                return false;
            last.Shift |= ssDouble;
            return true;
        };
        if (self->FSystem.Events().AmendNewest(markPress))
            return TRUE;
    }
    self->Queue(e);
    return TRUE;
}

gboolean TLinuxWindow::OnMotion(GtkWidget*, GdkEventMotion* Event, gpointer Self)
{
    auto* self = static_cast<TLinuxWindow*>(Self);
    TNativeEvent e = self->MakeEvent(TNativeEvent::MouseMove);
    e.Position = PositionOf(Event->x, Event->y);
    e.Shift = ShiftFromState(Event->state);
    self->Queue(e);
    return TRUE;
}

// One notch is 120, positive away from the user; smooth scrolling gives the same per unit of
// its delta. Sideways scrolling has no event in the framework.
gboolean TLinuxWindow::OnScroll(GtkWidget*, GdkEventScroll* Event, gpointer Self)
{
    auto* self = static_cast<TLinuxWindow*>(Self);
    int32_t delta = 0;
    if (Event->direction == GDK_SCROLL_UP)
        delta = 120;
    else if (Event->direction == GDK_SCROLL_DOWN)
        delta = -120;
    else if (Event->direction == GDK_SCROLL_SMOOTH)
        delta = static_cast<int32_t>(std::lround(-Event->delta_y * 120));
    if (delta == 0)
        return TRUE;
    TNativeEvent e = self->MakeEvent(TNativeEvent::Wheel);
    e.WheelDelta = delta;
    e.Position = PositionOf(Event->x, Event->y);
    e.Shift = ShiftFromState(Event->state);
    self->Queue(e);
    return TRUE;
}

// GDK reports the focus leaving the window also when nothing moved it elsewhere: when a grab
// is taken or let go, and when the window that had the focus through the pointer is given the
// focus explicitly. Only a real move of the focus to another window is a loss of activation,
// so a report of the focus leaving is checked against where the X server has the focus now.
gboolean TLinuxWindow::OnFocus(GtkWidget*, GdkEventFocus* Event, gpointer Self)
{
    auto* self = static_cast<TLinuxWindow*>(Self);
    if (!Event->in && self->HoldsFocus())
        return FALSE;
    TNativeEvent e = self->MakeEvent(TNativeEvent::Activate);
    e.Active = Event->in != 0;
    self->Queue(e);
    return FALSE;
}

namespace {
constexpr Window NoWindow = 0;   // X's "None", which the toolkit headers take away as a name
}  // namespace

// Whether the keyboard focus is on this window or one inside it, or follows the pointer while
// the pointer is inside this window.
bool TLinuxWindow::HoldsFocus() const
{
    GdkWindow* own = gtk_widget_get_window(FWidget);
    if (!own)
        return false;
    Display* display = GDK_WINDOW_XDISPLAY(own);
    const Window self = GDK_WINDOW_XID(own);
    Window focus = NoWindow;
    int revert = 0;
    XGetInputFocus(display, &focus, &revert);
    if (focus == PointerRoot) {
        Window root = NoWindow, child = NoWindow;
        int rootX = 0, rootY = 0, x = 0, y = 0;
        unsigned int mask = 0;
        XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y, &mask);
        focus = child;
    }
    for (Window w = focus; w != NoWindow;) {
        if (w == self)
            return true;
        Window root = NoWindow, parent = NoWindow, *children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, w, &root, &parent, &children, &count))
            return false;
        if (children)
            XFree(children);
        if (w == root)
            return false;
        w = parent;
    }
    return false;
}

gboolean TLinuxWindow::OnDelete(GtkWidget*, GdkEvent*, gpointer Self)
{
    auto* self = static_cast<TLinuxWindow*>(Self);
    self->Queue(self->MakeEvent(TNativeEvent::CloseRequest));
    return TRUE;
}

// The framework hears of a new outer rectangle only when it differs from the one it set, so
// its own SetBounds does not come back to it as a change.
gboolean TLinuxWindow::OnConfigure(GtkWidget*, GdkEventConfigure* Event, gpointer Self)
{
    auto* self = static_cast<TLinuxWindow*>(Self);
    // The toolkit gives a child of a foreign host root coordinates; its size follows the host,
    // which the window system watches instead.
    if (self->FKind == TKind::Child)
        return FALSE;
    TRect insets;
    if (self->FKind == TKind::Normal && (self->FParams.Border || self->FParams.TitleBar)) {
        GdkRectangle frame;
        gdk_window_get_frame_extents(Event->window, &frame);
        insets = {Event->x - frame.x, Event->y - frame.y, frame.x + frame.width - Event->x - Event->width,
                  frame.y + frame.height - Event->y - Event->height};
        if (insets.Left >= 0 && insets.Top >= 0 && insets.Right >= 0 && insets.Bottom >= 0)
            self->FSystem.ObserveFrameInsets(insets);
        else
            insets = {};
    }
    const TRect outer{Event->x - insets.Left, Event->y - insets.Top, Event->x + Event->width + insets.Right,
                      Event->y + Event->height + insets.Bottom};
    if (outer != self->FParams.Bounds) {
        self->FParams.Bounds = outer;
        TNativeEvent e = self->MakeEvent(TNativeEvent::Resized);
        e.Area = outer;
        self->Queue(e);
    }
    return FALSE;
}

// The pointer coming into the client area or leaving it. Crossings into a child view and out of
// it stay within the client area, and those a grab makes move no pointer: neither is reported.
gboolean TLinuxWindow::OnCrossing(GtkWidget*, GdkEventCrossing* Event, gpointer Self)
{
    auto* self = static_cast<TLinuxWindow*>(Self);
    if (Event->detail == GDK_NOTIFY_INFERIOR || Event->mode != GDK_CROSSING_NORMAL)
        return TRUE;
    TNativeEvent e = self->MakeEvent(Event->type == GDK_ENTER_NOTIFY ? TNativeEvent::MouseEnter : TNativeEvent::MouseLeave);
    e.Position = PositionOf(Event->x, Event->y);
    e.Shift = ShiftFromState(Event->state);
    self->Queue(e);
    return TRUE;
}

// Another program or a window of the system took the pointer: the capture is over.
gboolean TLinuxWindow::OnGrabBroken(GtkWidget*, GdkEvent*, gpointer Self)
{
    static_cast<TLinuxWindow*>(Self)->FCaptured = false;
    return FALSE;
}

gboolean TLinuxWindow::OnMap(GtkWidget*, GdkEvent*, gpointer Self)
{
    auto* self = static_cast<TLinuxWindow*>(Self);
    if (self->FKind == TKind::FullScreen)
        self->TakeFocusAndGrab();
    else if (self->FKind == TKind::Normal && !self->FSystem.WindowManagerRunning())
        self->TakeFocus();
    return FALSE;
}
