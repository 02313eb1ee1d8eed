#pragma once
#include <string>

#include "framework/NativeViewHost.h"

class IHtmlView;

// The embedded web browser: an HTML view of the system's, made on the first navigation inside
// the form's window and kept on the control's rectangle.
class TCppWebBrowser : public TNativeViewHost {
public:
    explicit TCppWebBrowser(TComponent* Owner);

    // Asks the view to load Location (a file path or a URL).
    void Navigate(const std::string& Location);
    // True while the view is loading.
    bool Busy() const;
    // True when no view could be made, or the last navigation showed nothing.
    bool Failed() const;

private:
    IHtmlView* FHtml = nullptr;   // the view the host owns, seen as an HTML view
    bool FTried = false;
};
