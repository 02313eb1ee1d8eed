#pragma once
// The services of the Win32 backend, one function each, each defined in the file named after it.
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

IColorScheme* Win32ColorScheme();
IClock* Win32Clock();
IRegistry* Win32Registry();
IProfileFiles* Win32ProfileFiles();
IProcessInfo* Win32ProcessInfo();
IFontEngine* Win32FontEngine();
IImageDecoder* Win32ImageDecoder();
ISystemInfo* Win32SystemInfo();
INativeWindows* Win32NativeWindows();
ILocale* Win32Locale();
IKernel* Win32Kernel();
ISockets* Win32Sockets();
IHtmlViews* Win32HtmlViews();
IShell* Win32Shell();
IDesktop* Win32Desktop();
IHostEnvironment* Win32HostEnvironment();
IVersionResource* Win32VersionResource();
