#include "platform/linux/LinuxHtmlView.h"

#include <dlfcn.h>
#include <unistd.h>

#include <gdk/gdkx.h>

#include "platform/Platform.h"
#include "platform/linux/LinuxServices.h"

namespace {

// The few entries of the engine's library that the view uses, looked up once.
struct TWebEngine {
    GtkWidget* (*NewView)() = nullptr;
    void (*LoadUri)(GtkWidget* View, const char* Uri) = nullptr;
    gboolean (*IsLoading)(GtkWidget* View) = nullptr;
};

const TWebEngine* WebEngine()
{
    static const TWebEngine* engine = [] () -> const TWebEngine* {
        void* library = dlopen("libwebkit2gtk-4.1.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!library)
            return nullptr;
        static TWebEngine e;
        e.NewView = reinterpret_cast<GtkWidget* (*)()>(dlsym(library, "webkit_web_view_new"));
        e.LoadUri = reinterpret_cast<void (*)(GtkWidget*, const char*)>(dlsym(library, "webkit_web_view_load_uri"));
        e.IsLoading = reinterpret_cast<gboolean (*)(GtkWidget*)>(dlsym(library, "webkit_web_view_is_loading"));
        if (!e.NewView || !e.LoadUri || !e.IsLoading)
            return nullptr;
        return &e;
    }();
    return engine;
}

// The engine's load events: the load is finished when the last one arrives.
constexpr int LoadFinished = 3;

// A scheme of two letters or more followed by a colon; "C:" and plain paths have none.
bool HasScheme(const std::string& Location)
{
    const size_t colon = Location.find(':');
    if (colon == std::string::npos || colon < 2 || !g_ascii_isalpha(Location[0]))
        return false;
    for (size_t i = 1; i < colon; ++i)
        if (!g_ascii_isalnum(Location[i]) && Location[i] != '+' && Location[i] != '-' && Location[i] != '.')
            return false;
    return true;
}

// Whether Window names a window on the display; a wrong id is answered with an error that the
// trap keeps from ending the program.
bool IsWindow(Display* Display, unsigned long Window)
{
    GdkDisplay* display = gdk_x11_lookup_xdisplay(Display);
    gdk_x11_display_error_trap_push(display);
    XWindowAttributes attributes;
    const Status found = XGetWindowAttributes(Display, Window, &attributes);
    return gdk_x11_display_error_trap_pop(display) == 0 && found != 0;
}

}  // namespace

std::string TLinuxHtmlView::LocationToUrl(const std::string& Location)
{
    if (Location.empty())
        return {};
    if (HasScheme(Location))
        return Location;
    gchar* absolute = g_canonicalize_filename(Location.c_str(), nullptr);
    gchar* uri = g_filename_to_uri(absolute, nullptr, nullptr);
    g_free(absolute);
    const std::string url = uri ? uri : "";
    g_free(uri);
    return url;
}

std::unique_ptr<TLinuxHtmlView> TLinuxHtmlView::Create(unsigned long Parent)
{
    GdkDisplay* display = gdk_display_get_default();
    if (!Parent || !display || !GDK_IS_X11_DISPLAY(display) || !IsWindow(GDK_DISPLAY_XDISPLAY(display), Parent))
        return nullptr;
    const TWebEngine* engine = WebEngine();
    if (!engine)
        return nullptr;
    // A window of its own holds the engine's view; the X server makes it a child of Parent.
    GtkWidget* holder = gtk_window_new(GTK_WINDOW_POPUP);
    GtkWidget* view = engine->NewView();
    gtk_container_add(GTK_CONTAINER(holder), view);
    gtk_widget_show(view);
    gtk_widget_realize(holder);
    GdkWindow* window = gtk_widget_get_window(holder);
    gdk_x11_display_error_trap_push(display);
    XReparentWindow(GDK_DISPLAY_XDISPLAY(display), GDK_WINDOW_XID(window), Parent, 0, 0);
    XSync(GDK_DISPLAY_XDISPLAY(display), False);
    if (gdk_x11_display_error_trap_pop(display) != 0) {
        gtk_widget_destroy(holder);
        return nullptr;
    }
    return std::unique_ptr<TLinuxHtmlView>(new TLinuxHtmlView(holder, view));
}

TLinuxHtmlView::TLinuxHtmlView(GtkWidget* Holder, GtkWidget* View) : FHolder(Holder), FView(View)
{
    g_signal_connect(FView, "load-changed", G_CALLBACK(OnLoadChanged), this);
    g_signal_connect(FView, "load-failed", G_CALLBACK(OnLoadFailed), this);
    g_signal_connect(FView, "web-process-terminated", G_CALLBACK(OnProcessTerminated), this);
}

TLinuxHtmlView::~TLinuxHtmlView()
{
    g_signal_handlers_disconnect_by_data(FView, this);
    gtk_widget_destroy(FHolder);
}

// The holder is a window of its own inside the parent; it is placed with the X server directly,
// as the toolkit takes it for a window of the screen and would place it there.
void TLinuxHtmlView::Place()
{
    GdkWindow* window = gtk_widget_get_window(FHolder);
    Display* display = GDK_WINDOW_XDISPLAY(window);
    const bool shown = FVisible && !FBounds.IsEmpty();
    if (!shown) {
        gtk_widget_hide(FHolder);
        XUnmapWindow(display, GDK_WINDOW_XID(window));
        return;
    }
    gtk_window_resize(GTK_WINDOW(FHolder), FBounds.Width(), FBounds.Height());
    gtk_widget_set_size_request(FHolder, FBounds.Width(), FBounds.Height());
    gtk_widget_show(FHolder);
    XMoveResizeWindow(display, GDK_WINDOW_XID(window), FBounds.Left, FBounds.Top, static_cast<unsigned>(FBounds.Width()),
                      static_cast<unsigned>(FBounds.Height()));
    XMapWindow(display, GDK_WINDOW_XID(window));
}

void TLinuxHtmlView::SetBounds(const TRect& Area)
{
    if (Area == FBounds)
        return;
    FBounds = Area;
    Place();
}

void TLinuxHtmlView::Show(bool Visible)
{
    if (Visible == FVisible)
        return;
    FVisible = Visible;
    Place();
}

uintptr_t TLinuxHtmlView::SystemHandle() const { return GDK_WINDOW_XID(gtk_widget_get_window(FHolder)); }

bool TLinuxHtmlView::Navigate(const std::string& Location)
{
    const std::string url = LocationToUrl(Location);
    FFailed = url.empty();
    if (FFailed)
        return false;
    FLoading = true;
    WebEngine()->LoadUri(FView, url.c_str());
    return true;
}

bool TLinuxHtmlView::Busy() const { return FLoading && WebEngine()->IsLoading(FView); }

void TLinuxHtmlView::OnLoadChanged(GtkWidget*, int Event, gpointer Self)
{
    if (Event == LoadFinished)
        static_cast<TLinuxHtmlView*>(Self)->FLoading = false;
}

// The engine shows a page of its own for a failed load (a missing file among them); the view
// lets it, so the failure is seen and not a blank.
gboolean TLinuxHtmlView::OnLoadFailed(GtkWidget*, int, const char*, GError*, gpointer)
{
    return FALSE;
}

void TLinuxHtmlView::OnProcessTerminated(GtkWidget*, int, gpointer Self)
{
    auto* self = static_cast<TLinuxHtmlView*>(Self);
    self->FLoading = false;
    self->FFailed = true;
}

std::unique_ptr<IHtmlView> TLinuxHtmlViews::Create(TNativeWindow Parent)
{
    INativeWindows* windows = CurrentPlatform().Windows;
    if (!windows)
        return nullptr;
    return TLinuxHtmlView::Create(windows->SystemHandle(Parent));
}

IHtmlViews* LinuxHtmlViews()
{
    static TLinuxHtmlViews views;
    return &views;
}
