#pragma once
#include <memory>
#include <string>

#include <windows.h>

#include "platform/IHtmlView.h"

struct IOleObject;
struct IWebBrowser2;
class TBrowserSite;

// The HTML view on Windows: the system's web browser object, activated in place inside the
// parent window by a small container of our own (TBrowserSite). The browser makes a child
// window of its own; the parent clips its children, so presenting the back buffer never
// paints over it.
class TWin32HtmlView : public IHtmlView {
public:
    // How long a navigation may go without a document before the view counts it as failed.
    static constexpr ULONGLONG DocumentGraceMilliseconds = 1000;

    // A view inside the window Parent; nullptr when the system has no browser object or Parent
    // is not a window.
    static std::unique_ptr<TWin32HtmlView> Create(HWND Parent);
    ~TWin32HtmlView() override;

    void SetBounds(const TRect& Area) override;
    void Show(bool Visible) override;
    uintptr_t SystemHandle() const override;
    bool Navigate(const std::string& Location) override;
    bool Busy() const override;
    bool Failed() const override;

private:
    TWin32HtmlView(TBrowserSite* Site, IOleObject* Object, IWebBrowser2* Browser);
    HWND BrowserWindow() const;
    bool HasDocument() const;
    void Place();

    TBrowserSite* FSite;
    IOleObject* FObject;
    IWebBrowser2* FBrowser;
    TRect FBounds;
    bool FVisible = false;
    bool FFailed = false;
    ULONGLONG FNavigatedAt = 0;   // tick count of the last navigation; 0 before the first
};

// The service that makes them, in the platform's service table.
class TWin32HtmlViews : public IHtmlViews {
public:
    std::unique_ptr<IHtmlView> Create(TNativeWindow Parent) override;
};
