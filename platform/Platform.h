#pragma once

class IColorScheme;
class IClock;
class IRegistry;
class IProfileFiles;
class IProcessInfo;
class IFontEngine;
class IImageDecoder;
class ICpuId;
class ISystemInfo;
class INativeWindows;
class ILocale;
class IKernel;
class ITimeStampCounter;
class ISockets;
class IShell;
class IHtmlViews;
class IDesktop;
class IHostEnvironment;
class IVersionResource;

// The services a backend provides: the one boundary between portable code and the operating
// system. Portable code reaches the system only through CurrentPlatform(); the backend that
// the build links fills it in on first use, and tests put scripted fakes in its place.
struct Platform {
    IColorScheme* Colors = nullptr;
    IClock* Clock = nullptr;
    IRegistry* Registry = nullptr;
    IProfileFiles* Profiles = nullptr;
    IProcessInfo* Process = nullptr;
    IFontEngine* Fonts = nullptr;
    IImageDecoder* Images = nullptr;
    ICpuId* CpuId = nullptr;
    ISystemInfo* System = nullptr;
    INativeWindows* Windows = nullptr;
    ILocale* Locale = nullptr;
    IKernel* Kernel = nullptr;
    ITimeStampCounter* TimeStampCounter = nullptr;
    ISockets* Sockets = nullptr;
    IShell* Shell = nullptr;
    IHtmlViews* HtmlViews = nullptr;
    IDesktop* Desktop = nullptr;
    IHostEnvironment* Environment = nullptr;
    IVersionResource* VersionResource = nullptr;
};

Platform& CurrentPlatform();

// Implemented once by each real backend (platform/linux, platform/win32): the services of the
// machine the program runs on. They live until the program ends.
Platform BackendPlatform();

// The backend's clock, kernel and time-stamp counter alone; the other services stay null. These
// open nothing and may be used from any thread, so work that needs only them (measuring the
// processor clock) can start before the rest of the backend, the window system above all, is
// made. They are the same objects that BackendPlatform hands out.
Platform BackendTimingServices();

// Replaces some services for the lifetime of the object (in tests), restoring the previous
// table afterwards.
class ScopedPlatform {
public:
    explicit ScopedPlatform(const Platform& Replacement) : FSaved(CurrentPlatform()) { CurrentPlatform() = Replacement; }
    ~ScopedPlatform() { CurrentPlatform() = FSaved; }
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

private:
    Platform FSaved;
};
