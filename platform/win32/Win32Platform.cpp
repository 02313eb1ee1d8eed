#include "platform/Platform.h"
#include "platform/win32/Win32Services.h"

Platform BackendPlatform()
{
    Platform p;
    p.Colors = Win32ColorScheme();
    p.Clock = Win32Clock();
    p.Registry = Win32Registry();
    p.Profiles = Win32ProfileFiles();
    p.Process = Win32ProcessInfo();
    p.Fonts = Win32FontEngine();
    p.Images = Win32ImageDecoder();
    p.CpuId = Win32CpuId();
    p.System = Win32SystemInfo();
    p.Windows = Win32NativeWindows();
    p.Locale = Win32Locale();
    p.Kernel = Win32Kernel();
    p.TimeStampCounter = Win32TimeStampCounter();
    p.Sockets = Win32Sockets();
    p.HtmlViews = Win32HtmlViews();
    p.Shell = Win32Shell();
    return p;
}

Platform BackendTimingServices()
{
    Platform p;
    p.Clock = Win32Clock();
    p.Kernel = Win32Kernel();
    p.TimeStampCounter = Win32TimeStampCounter();
    return p;
}
