#include "platform/Platform.h"
#include "platform/linux/LinuxServices.h"

Platform BackendPlatform()
{
    Platform p;
    p.Colors = LinuxColorScheme();
    p.Clock = LinuxClock();
    p.Registry = LinuxRegistry();
    p.Profiles = LinuxProfileFiles();
    p.Process = LinuxProcessInfo();
    p.Fonts = LinuxFontEngine();
    p.Images = LinuxImageDecoder();
    p.CpuId = LinuxCpuId();
    p.System = LinuxSystemInfo();
    p.Windows = LinuxNativeWindows();
    p.Locale = LinuxLocale();
    p.Kernel = LinuxKernel();
    p.TimeStampCounter = LinuxTimeStampCounter();
    p.Sockets = LinuxSockets();
    p.HtmlViews = LinuxHtmlViews();
    p.Shell = LinuxShell();
    return p;
}

Platform BackendTimingServices()
{
    Platform p;
    p.Clock = LinuxClock();
    p.Kernel = LinuxKernel();
    p.TimeStampCounter = LinuxTimeStampCounter();
    return p;
}
