#include "platform/Platform.h"
#include "platform/win32/Win32Services.h"
#include "platform/x86/X86Instructions.h"

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
    p.CpuId = ProcessorCpuId();
    p.System = Win32SystemInfo();
    p.Windows = Win32NativeWindows();
    p.Locale = Win32Locale();
    p.Kernel = Win32Kernel();
    p.TimeStampCounter = ProcessorTimeStampCounter();
    p.Sockets = Win32Sockets();
    p.HtmlViews = Win32HtmlViews();
    p.Shell = Win32Shell();
    p.Desktop = Win32Desktop();
    p.Environment = Win32HostEnvironment();
    p.VersionResource = Win32VersionResource();
    return p;
}

Platform BackendTimingServices()
{
    Platform p;
    p.Clock = Win32Clock();
    p.Kernel = Win32Kernel();
    p.TimeStampCounter = ProcessorTimeStampCounter();
    return p;
}
