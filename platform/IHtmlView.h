#pragma once
#include <memory>
#include <string>

#include "platform/INativeWindows.h"

// A view of the system's own that shows an HTML page inside a native window (the help page).
// It is a native child view: the framework places it and never draws over it.
class IHtmlView : public INativeChildView {
public:
    // Starts loading Location: a file path as the system spells it, or a URL. False when the
    // view could not even start.
    virtual bool Navigate(const std::string& Location) = 0;
    // True while a navigation is under way.
    virtual bool Busy() const = 0;
    // True when the last navigation ended without showing anything: the caller shows a
    // fallback of its own instead. A page the engine shows for a missing file is not a failure.
    virtual bool Failed() const = 0;
};

// Makes HTML views. Where the system has no engine, Create gives nullptr.
class IHtmlViews {
public:
    virtual ~IHtmlViews() = default;
    virtual std::unique_ptr<IHtmlView> Create(TNativeWindow Parent) = 0;
};
