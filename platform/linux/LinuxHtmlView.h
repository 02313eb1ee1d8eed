#pragma once
#include <memory>
#include <string>

#include <gtk/gtk.h>

#include "platform/IHtmlView.h"

// The HTML view on Linux: the system's web engine in a window of its own that lives as an X
// child window of the parent window, so the X server keeps the parent's drawing off it.
// (The toolkit's own embedding asks for a socket of its own kind on the parent's side, which a
// window of the framework does not have, so the holder is made a child by the X server.)
//
// The engine's library is opened on first use, not linked: the saver never shows a page, and
// loading the engine's large library at every start would cost it start-up time and memory.
// Where the library is missing, no view can be made and the caller shows its fallback.
class TLinuxHtmlView : public IHtmlView {
public:
    // A view inside the X window Parent; nullptr when the engine cannot be loaded.
    static std::unique_ptr<TLinuxHtmlView> Create(unsigned long Parent);
    ~TLinuxHtmlView() override;

    void SetBounds(const TRect& Area) override;
    void Show(bool Visible) override;
    uintptr_t SystemHandle() const override;
    bool Navigate(const std::string& Location) override;
    bool Busy() const override;
    bool Failed() const override { return FFailed; }

    // The URL Navigate asks the engine for: a URL as it is, a file path as a file URL with
    // every byte outside the URL's plain characters escaped; a relative path is taken from the
    // current directory. Empty when the path cannot be expressed.
    static std::string LocationToUrl(const std::string& Location);

private:
    TLinuxHtmlView(GtkWidget* Holder, GtkWidget* View);
    void Place();
    static void OnLoadChanged(GtkWidget* View, int Event, gpointer Self);
    static gboolean OnLoadFailed(GtkWidget* View, int Event, const char* Uri, GError* Error, gpointer Self);
    static void OnProcessTerminated(GtkWidget* View, int Reason, gpointer Self);

    GtkWidget* FHolder;
    GtkWidget* FView;
    TRect FBounds;
    bool FVisible = false;
    bool FLoading = false;
    bool FFailed = false;
};

// The service that makes them, in the platform's service table.
class TLinuxHtmlViews : public IHtmlViews {
public:
    std::unique_ptr<IHtmlView> Create(TNativeWindow Parent) override;
};
