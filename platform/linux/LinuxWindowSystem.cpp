#include "platform/linux/LinuxWindowSystem.h"

#include <algorithm>
#include <chrono>
#include <cerrno>   // program_invocation_short_name
#include <cstdio>

#include <X11/extensions/XInput2.h>
#include <gdk/gdkx.h>

#include "platform/core/NativeWindowKind.h"
#include "platform/linux/LinuxChildView.h"
#include "platform/linux/LinuxWindow.h"
#include "platform/linux/StartupWatchdog.h"

namespace {

// System command numbers the window system carries out itself.
constexpr uint32_t ScMinimize = 0xF020;
constexpr uint32_t ScMaximize = 0xF030;
constexpr uint32_t ScClose = 0xF060;
constexpr uint32_t ScRestore = 0xF120;

// Timers run no faster than this, as on the other platform.
constexpr uint32_t MinTimerPeriod = 10;

// PeekEvent dispatches at most this many ready sources, so a source that is always ready
// cannot keep it from returning.
constexpr int MaxDispatchesPerPeek = 256;

// How long after a pass of the main context that found nothing ready a peek hands out only what
// is queued, in microseconds.
constexpr gint64 QuietSpell = 1000;

// How long opening the display may take before the program gives up.
constexpr std::chrono::milliseconds DisplayOpenLimit{10000};

std::string ValidUtf8(const std::string& Text)
{
    if (g_utf8_validate_len(Text.data(), Text.size(), nullptr))
        return Text;
    gchar* valid = g_utf8_make_valid(Text.data(), Text.size());
    std::string out(valid);
    g_free(valid);
    return out;
}

}  // namespace

std::unique_ptr<TLinuxWindowSystem> TLinuxWindowSystem::Open()
{
    const char* name = g_getenv("DISPLAY");
    if (!gdk_display_get_default()) {
        // The program formats and parses numbers itself and keeps the C locale; GTK would
        // otherwise switch the whole process to the user's locale.
        gtk_disable_setlocale();
        // Foreign X windows (the preview's host) and the full-screen window's grabs need X11.
        gdk_set_allowed_backends("x11");
        // Every window is drawn from a back buffer in memory, never with OpenGL. Without GL,
        // opening the display loads no GL driver, which would cost a good part of the start-up
        // time and tens of megabytes of resident memory.
        g_setenv("GDK_GL", "disable", FALSE);
        // A server that accepts the connection and never answers would keep the program here
        // for ever; a working one answers within milliseconds.
        const TStartupWatchdog watchdog(DisplayOpenLimit, std::string(program_invocation_short_name)
            + ": the X display \"" + (name ? name : "") + "\" did not answer within "
            + std::to_string(DisplayOpenLimit.count() / 1000) + " seconds; no window can be shown.");
        gtk_init_check(nullptr, nullptr);
    }
    if (!gdk_display_get_default() || !GDK_IS_X11_DISPLAY(gdk_display_get_default())) {
        if (name && *name)
            std::fprintf(stderr, "%s: cannot open the X display \"%s\"; no window can be shown.\n",
                         program_invocation_short_name, name);
        else
            std::fprintf(stderr, "%s: no X display is set (DISPLAY is empty); no window can be shown.\n",
                         program_invocation_short_name);
        return nullptr;
    }
    GdkDisplay* display = gdk_display_get_default();
    // Pictures are drawn in 24-bit colour; a screen with fewer colours would show nothing.
    const int depth = gdk_visual_get_depth(gdk_screen_get_system_visual(gdk_display_get_default_screen(display)));
    if (depth < 24) {
        std::fprintf(stderr, "%s: the X display \"%s\" shows %d-bit colour; the program needs a screen of 24-bit colour.\n",
                     program_invocation_short_name, name ? name : "", depth);
        return nullptr;
    }
    // The framework works in device pixels: one pixel of its back buffer is one on the screen.
    gdk_x11_display_set_window_scale(display, 1);
    return std::unique_ptr<TLinuxWindowSystem>(new TLinuxWindowSystem(display));
}

// A post or wake from any thread makes the main context's poll, in progress or next, return.
TLinuxWindowSystem::TLinuxWindowSystem(GdkDisplay* Display) : FDisplay(Display)
{
    FQueue.SetWakeHandler([] { g_main_context_wakeup(g_main_context_default()); });
    gdk_window_add_filter(nullptr, OnXEvent, this);
    WatchRawInput(true);
}

TLinuxWindowSystem::~TLinuxWindowSystem()
{
    WatchRawInput(false);
    gdk_window_remove_filter(nullptr, OnXEvent, this);
    for (auto& [key, timer] : FTimers)
        g_source_remove(timer->Source);
    FTimers.clear();
    FWindows.clear();
    for (auto& [shape, cursor] : FCursors)
        g_object_unref(cursor);
}

// A window of this system that is still there; one that went with its foreign host is not.
TLinuxWindow* TLinuxWindowSystem::Find(TNativeWindow Window) const
{
    const auto it = FWindows.find(Window);
    return it == FWindows.end() || it->second->Gone() ? nullptr : it->second.get();
}

GtkWindow* TLinuxWindowSystem::WidgetOf(TNativeWindow Window) const
{
    const TLinuxWindow* w = Find(Window);
    return w ? w->Widget() : nullptr;
}

TNativeWindow TLinuxWindowSystem::Create(const TNativeWindowParams& Params)
{
    const TNativeWindow handle = FNextHandle++;
    auto window = std::make_unique<TLinuxWindow>(*this, handle, Params);
    if (!window->Made())
        return 0;
    FWindows[handle] = std::move(window);
    FQueue.Open(handle);
    return handle;
}

void TLinuxWindowSystem::Destroy(TNativeWindow Window)
{
    if (!FWindows.count(Window))
        return;
    for (auto it = FTimers.begin(); it != FTimers.end();) {
        const TTimerKey key = (it++)->first;
        if (key.first == Window)
            RemoveTimer(key);
    }
    FWindows.erase(Window);
    FQueue.Purge(Window);
}

void TLinuxWindowSystem::SetBounds(TNativeWindow Window, const TRect& Bounds)
{
    if (TLinuxWindow* w = Find(Window))
        w->SetBounds(Bounds);
}

void TLinuxWindowSystem::SetCaption(TNativeWindow Window, const std::string& Caption)
{
    if (TLinuxWindow* w = Find(Window))
        w->SetCaption(Caption);
}

void TLinuxWindowSystem::Show(TNativeWindow Window, bool Visible)
{
    if (TLinuxWindow* w = Find(Window))
        w->Show(Visible);
}

// Without a window manager nothing is drawn around a window. With one, the border and caption
// are the window manager's, and their size is known only from a window it has framed; until
// then the client area is taken to be the whole window, and the first frame it draws arrives
// as a Resized event.
TRect TLinuxWindowSystem::FrameInsets(const TNativeWindowParams& Params) const
{
    const TNativeWindowParams p = ResolvedWindowParams(Params);
    if (p.Kind != TNativeWindowKind::Framed || !WindowManagerRunning())
        return {};
    return FInsetsObserved ? FObservedInsets : TRect{};
}

bool TLinuxWindowSystem::WindowManagerRunning() const
{
    GdkScreen* screen = gdk_display_get_default_screen(FDisplay);
    return gdk_x11_screen_supports_net_wm_hint(screen, gdk_atom_intern_static_string("_NET_FRAME_EXTENTS"));
}

void TLinuxWindowSystem::ObserveFrameInsets(const TRect& Insets)
{
    if (Insets == TRect{})
        return;
    FObservedInsets = Insets;
    FInsetsObserved = true;
}

void TLinuxWindowSystem::Present(TNativeWindow Window, const TBitmap& BackBuffer, const TRect& Area)
{
    if (TLinuxWindow* w = Find(Window))
        w->Present(BackBuffer, Area);
}

std::unique_ptr<IPixelStore> TLinuxWindowSystem::BackBufferStore(TNativeWindow Window)
{
    TLinuxWindow* w = Find(Window);
    return w ? w->BackBufferStore() : nullptr;
}

// Named pointers come from the cursor theme; where the theme lacks one, X's own cursor font
// has a shape for each. Shapes without a pointer of their own show the arrow.
GdkCursor* TLinuxWindowSystem::Cursor(TCursor Shape)
{
    if (Shape != crNone && Shape != crCross && Shape != crIBeam && Shape != crHandPoint)
        Shape = crArrow;
    if (const auto it = FCursors.find(Shape); it != FCursors.end())
        return it->second;
    GdkCursor* cursor = nullptr;
    switch (Shape) {
    case crNone:
        cursor = gdk_cursor_new_for_display(FDisplay, GDK_BLANK_CURSOR);
        break;
    case crCross:
        cursor = gdk_cursor_new_from_name(FDisplay, "crosshair");
        if (!cursor)
            cursor = gdk_cursor_new_for_display(FDisplay, GDK_CROSSHAIR);
        break;
    case crIBeam:
        cursor = gdk_cursor_new_from_name(FDisplay, "text");
        if (!cursor)
            cursor = gdk_cursor_new_for_display(FDisplay, GDK_XTERM);
        break;
    case crHandPoint:
        cursor = gdk_cursor_new_from_name(FDisplay, "pointer");
        if (!cursor)
            cursor = gdk_cursor_new_for_display(FDisplay, GDK_HAND2);
        break;
    default:
        cursor = gdk_cursor_new_from_name(FDisplay, "default");
        if (!cursor)
            cursor = gdk_cursor_new_for_display(FDisplay, GDK_LEFT_PTR);
        break;
    }
    FCursors[Shape] = cursor;
    return cursor;
}

void TLinuxWindowSystem::SetPointer(TNativeWindow Window, TCursor Shape)
{
    if (TLinuxWindow* w = Find(Window))
        w->SetPointer(Cursor(Shape));
}

bool TLinuxWindowSystem::StartTimer(TNativeWindow Window, uintptr_t Id, uint32_t Milliseconds)
{
    if (!Find(Window))
        return false;
    const TTimerKey key{Window, Id};
    RemoveTimer(key);
    auto timer = std::make_unique<TTimer>();
    timer->System = this;
    timer->Window = Window;
    timer->Id = Id;
    timer->Source = g_timeout_add(std::max(Milliseconds, MinTimerPeriod), OnTimer, timer.get());
    FTimers[key] = std::move(timer);
    FQueue.StartTimer(Window, Id);
    return true;
}

void TLinuxWindowSystem::StopTimer(TNativeWindow Window, uintptr_t Id) { RemoveTimer({Window, Id}); }

void TLinuxWindowSystem::RemoveTimer(const TTimerKey& Key)
{
    const auto it = FTimers.find(Key);
    if (it == FTimers.end())
        return;
    g_source_remove(it->second->Source);
    FTimers.erase(it);
    FQueue.StopTimer(Key.first, Key.second);
}

gboolean TLinuxWindowSystem::OnTimer(gpointer Data)
{
    auto* timer = static_cast<TTimer*>(Data);
    timer->System->FQueue.TimerFell(timer->Window, timer->Id);
    return G_SOURCE_CONTINUE;
}

void TLinuxWindowSystem::Post(TNativeWindow Window, uint32_t Msg, uintptr_t WParam, intptr_t LParam)
{
    FQueue.Post(Window, Msg, WParam, LParam);
}

void TLinuxWindowSystem::Wake() { FQueue.Wake(); }

// The framework peeks several times in one pass of its loop (for input, after painting, for
// timers), each time right after the last. Each pass of the main context polls the X connection
// and reads from it, and right after a pass that found nothing ready another one finds nothing
// either. So within a short spell after such a pass a peek leaves the main context alone: an
// event that arrives in that spell waits at most that long.
void TLinuxWindowSystem::Pump()
{
    const gint64 now = g_get_monotonic_time();
    if (FQuietSince != 0 && now - FQuietSince < QuietSpell)
        return;
    int dispatched = 0;
    while (dispatched < MaxDispatchesPerPeek && g_main_context_iteration(nullptr, FALSE))
        ++dispatched;
    FQuietSince = dispatched == 0 ? now : 0;
}

bool TLinuxWindowSystem::PeekEvent(TNativeEvent& Event, bool IncludeTimers)
{
    if (FQueue.Take(Event, false))
        return true;
    Pump();
    return FQueue.Take(Event, IncludeTimers);
}

// A wake given while the loop was not waiting ends this wait at once; the main context's
// wake-up makes a poll in progress return.
void TLinuxWindowSystem::WaitForEvent()
{
    while (!FQueue.TakeWake()) {
        if (FQueue.Waiting(true))
            return;
        g_main_context_iteration(nullptr, TRUE);
        FQuietSince = 0;   // something woke the wait; the next peek looks again
    }
}

void TLinuxWindowSystem::DefaultSystemCommand(TNativeWindow Window, uint32_t Command)
{
    TLinuxWindow* w = Find(Window);
    if (!w)
        return;
    switch (Command & 0xFFF0) {
    case ScClose: {
        TNativeEvent e;
        e.Kind = TNativeEvent::CloseRequest;
        e.Window = Window;
        FQueue.Push(e);
        break;
    }
    case ScMinimize:
        w->Minimize();
        break;
    case ScMaximize:
        w->Maximize();
        break;
    case ScRestore:
        w->Restore();
        break;
    default:
        // Starting the screen saver, keyboard menus and the rest have nothing to do here.
        break;
    }
}

void TLinuxWindowSystem::BeginMoveDrag(TNativeWindow Window)
{
    if (TLinuxWindow* w = Find(Window))
        w->BeginMoveDrag();
}

// The primary monitor's size, counted from the screen's corner as the framework places its
// windows; a display that names no primary monitor has its first one taken.
TRect TLinuxWindowSystem::ScreenRect() const
{
    GdkMonitor* monitor = gdk_display_get_primary_monitor(FDisplay);
    if (!monitor && gdk_display_get_n_monitors(FDisplay) > 0)
        monitor = gdk_display_get_monitor(FDisplay, 0);
    if (monitor) {
        GdkRectangle g;
        gdk_monitor_get_geometry(monitor, &g);
        return {0, 0, g.width, g.height};
    }
    Display* x = GDK_DISPLAY_XDISPLAY(FDisplay);
    return {0, 0, DisplayWidth(x, DefaultScreen(x)), DisplayHeight(x, DefaultScreen(x))};
}

unsigned long TLinuxWindowSystem::XWindow(TNativeWindow Window) const
{
    const TLinuxWindow* w = Find(Window);
    return w ? w->XWindow() : 0;
}

uintptr_t TLinuxWindowSystem::SystemHandle(TNativeWindow Window) const { return XWindow(Window); }

void TLinuxWindowSystem::CapturePointer(TNativeWindow Window, bool Capture)
{
    if (TLinuxWindow* w = Find(Window))
        w->CapturePointer(Capture);
}

// Any window of the display, which another program may take away at any moment: the X server's
// refusal is caught, never fatal.
bool TLinuxWindowSystem::SystemWindowRect(uintptr_t Handle, TRect& Rect) const
{
    if (!Handle)
        return false;
    Display* x = GDK_DISPLAY_XDISPLAY(FDisplay);
    gdk_x11_display_error_trap_push(FDisplay);
    XWindowAttributes a{};
    ::Window child = 0;
    int left = 0, top = 0;
    bool known = XGetWindowAttributes(x, static_cast<::Window>(Handle), &a) &&
                 XTranslateCoordinates(x, static_cast<::Window>(Handle), a.root, 0, 0, &left, &top, &child);
    if (gdk_x11_display_error_trap_pop(FDisplay) != 0)
        known = false;
    if (known)
        Rect = {left - a.border_width, top - a.border_width, left + a.width + a.border_width,
                top + a.height + a.border_width};
    return known;
}

std::unique_ptr<INativeChildView> TLinuxWindowSystem::CreateChildView(TNativeWindow Parent, uint32_t RGB)
{
    const unsigned long parent = XWindow(Parent);
    if (!parent)
        return nullptr;
    return TLinuxChildView::Create(FDisplay, parent, RGB);
}

// The box belongs to the program's active window, or to any window it shows.
GtkWindow* TLinuxWindowSystem::ErrorBoxParent() const
{
    GtkWindow* shown = nullptr;
    for (const auto& [handle, w] : FWindows) {
        if (!w->Visible() || w->Kind() != TLinuxWindow::TKind::Normal || !w->Widget())
            continue;
        if (gtk_window_is_active(w->Widget()))
            return w->Widget();
        if (!shown)
            shown = w->Widget();
    }
    return shown;
}

void TLinuxWindowSystem::ShowErrorBox(const std::string& Caption, const std::string& Text)
{
    ShowMessageBox(Caption, Text, GTK_MESSAGE_ERROR, "dialog-error", ErrorBoxParent());
}

void TLinuxWindowSystem::ShowInfoBox(const std::string& Caption, const std::string& Text)
{
    ShowMessageBox(Caption, Text, GTK_MESSAGE_INFO, "dialog-information", nullptr);
}

// The box runs its own loop until OK is pressed or it is closed. The full-screen window gives
// up its grab meanwhile, or the box could get neither keys nor clicks; events of the program's
// windows keep being queued and its timers keep falling due.
void TLinuxWindowSystem::ShowMessageBox(const std::string& Caption, const std::string& Text, GtkMessageType Type,
                                        const std::string& IconName, GtkWindow* Parent)
{
    GtkWidget* box = gtk_message_dialog_new(Parent, GTK_DIALOG_MODAL, Type, GTK_BUTTONS_OK, "%s", ValidUtf8(Text).c_str());
    gtk_window_set_title(GTK_WINDOW(box), ValidUtf8(Caption).c_str());
    gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
    gtk_window_set_position(GTK_WINDOW(box), GTK_WIN_POS_CENTER);
    // The icon beside the text; the icon theme may have only its symbolic form.
    GtkIconTheme* theme = gtk_icon_theme_get_default();
    const std::string icon = gtk_icon_theme_has_icon(theme, IconName.c_str()) ? IconName : IconName + "-symbolic";
    GtkWidget* image = gtk_image_new_from_icon_name(icon.c_str(), GTK_ICON_SIZE_DIALOG);
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_message_dialog_set_image(GTK_MESSAGE_DIALOG(box), image);
    G_GNUC_END_IGNORE_DEPRECATIONS
    // Giving the box an image of its own makes it forget what kind of message it shows.
    g_object_set(box, "message-type", Type, nullptr);
    gtk_widget_show(image);

    // The message is also kept as a property of the box's X window, where assistive tools and
    // the end-to-end tests read it without looking at pixels.
    gtk_widget_realize(box);
    const std::string message = ValidUtf8(Text);
    gdk_property_change(gtk_widget_get_window(box), gdk_atom_intern_static_string("QUORVEL_MESSAGE_TEXT"),
                        gdk_atom_intern_static_string("UTF8_STRING"), 8, GDK_PROP_MODE_REPLACE,
                        reinterpret_cast<const guchar*>(message.data()), static_cast<gint>(message.size()));

    for (auto& [handle, w] : FWindows)
        w->SuspendGrab();
    gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
    for (auto& [handle, w] : FWindows)
        w->ResumeGrab();
}

// Key and button presses of the whole display arrive as raw input on the root window, even
// while another program holds a grab; they let the full-screen window end on input that such a
// grab keeps from it.
void TLinuxWindowSystem::WatchRawInput(bool Watch)
{
    Display* x = GDK_DISPLAY_XDISPLAY(FDisplay);
    int event = 0, error = 0, opcode = -1;
    if (!XQueryExtension(x, "XInputExtension", &opcode, &event, &error))
        return;
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (Watch) {
        XISetMask(bits, XI_RawKeyPress);
        XISetMask(bits, XI_RawButtonPress);
    }
    XIEventMask mask{XIAllMasterDevices, Watch ? static_cast<int>(sizeof bits) : 0, bits};
    gdk_x11_display_error_trap_push(FDisplay);
    XISelectEvents(x, DefaultRootWindow(x), &mask, 1);
    gdk_x11_display_error_trap_pop_ignored(FDisplay);
    FInputOpcode = Watch ? opcode : -1;
}

// Sees every X event before the toolkit does.
GdkFilterReturn TLinuxWindowSystem::OnXEvent(GdkXEvent* XEvent, GdkEvent*, gpointer Self)
{
    auto* self = static_cast<TLinuxWindowSystem*>(Self);
    const auto& xevent = *static_cast<const ::XEvent*>(XEvent);
    if (self->OnForeignStructure(xevent))
        return GDK_FILTER_REMOVE;
    self->OnRawInput(xevent);
    return GDK_FILTER_CONTINUE;
}

bool TLinuxWindowSystem::OnRawInput(const ::XEvent& XEvent)
{
    if (XEvent.type != GenericEvent || FInputOpcode < 0 || XEvent.xcookie.extension != FInputOpcode ||
        !XEvent.xcookie.data)
        return false;
    const auto* raw = static_cast<const XIRawEvent*>(XEvent.xcookie.data);
    TNativeEvent::TKind kind;
    if (XEvent.xcookie.evtype == XI_RawKeyPress)
        kind = TNativeEvent::KeyDown;
    else if (XEvent.xcookie.evtype == XI_RawButtonPress)
        kind = TNativeEvent::MouseDown;
    else
        return false;
    for (auto& [handle, w] : FWindows)
        w->InputDespiteGrab(kind, static_cast<unsigned int>(raw->detail));
    return false;
}

// What happens to the foreign hosts of child windows, and to those children: a host that is
// destroyed takes its children with it, and a host's new size is the children's news. True
// when the event was about a child's own end, which the toolkit is kept from seeing: it would
// warn of a window destroyed behind its back, and the window is gone for this system anyway.
bool TLinuxWindowSystem::OnForeignStructure(const ::XEvent& XEvent)
{
    if (XEvent.type != DestroyNotify && XEvent.type != ConfigureNotify)
        return false;
    const ::Window subject = XEvent.type == DestroyNotify ? XEvent.xdestroywindow.window : XEvent.xconfigure.window;
    for (auto& [handle, w] : FWindows) {
        if (!w->Host() || w->Gone())
            continue;
        const bool own = w->XWindow() == subject;
        if (!own && w->Host() != subject)
            continue;
        if (XEvent.type == DestroyNotify) {
            ForeignChildGone(*w);
            return own;
        }
        if (!own)
            w->HostResized(XEvent.xconfigure.width, XEvent.xconfigure.height);
    }
    return false;
}

// A child that went with its host: its timers stop, what waited for it is dropped and the
// program hears that it was destroyed. Destroy then only forgets it.
void TLinuxWindowSystem::ForeignChildGone(TLinuxWindow& Window)
{
    const TNativeWindow handle = Window.Handle();
    Window.HostGone();
    for (auto it = FTimers.begin(); it != FTimers.end();) {
        const TTimerKey key = (it++)->first;
        if (key.first == handle)
            RemoveTimer(key);
    }
    FQueue.Purge(handle);
    TNativeEvent e;
    e.Kind = TNativeEvent::Destroyed;
    e.Window = handle;
    FQueue.Push(e);
}
