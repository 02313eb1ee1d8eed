#pragma once
// The services of the Linux backend, one function each, each defined in the file named after it.
// Each returns an object that lives until the program ends.

class IColorScheme;
class IClock;
class IRegistry;
class IProfileFiles;
class IProcessInfo;
class IFontEngine;
class IImageDecoder;
class ISystemInfo;
class INativeWindows;
class ILocale;
class IKernel;
class ISockets;
class IHtmlViews;
class IShell;
class IDesktop;
class IHostEnvironment;
class IVersionResource;

IColorScheme* LinuxColorScheme();
IClock* LinuxClock();
IRegistry* LinuxRegistry();
IProfileFiles* LinuxProfileFiles();
IProcessInfo* LinuxProcessInfo();
IFontEngine* LinuxFontEngine();
IImageDecoder* LinuxImageDecoder();
ISystemInfo* LinuxSystemInfo();
INativeWindows* LinuxNativeWindows();
ILocale* LinuxLocale();
IKernel* LinuxKernel();
ISockets* LinuxSockets();
IHtmlViews* LinuxHtmlViews();
IShell* LinuxShell();
IDesktop* LinuxDesktop();
IHostEnvironment* LinuxHostEnvironment();
IVersionResource* LinuxVersionResource();
