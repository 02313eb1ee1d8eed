#include "platform/Platform.h"
#include "platform/linux/LinuxServices.h"
#include "platform/x86/X86Instructions.h"

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
    p.CpuId = ProcessorCpuId();
    p.System = LinuxSystemInfo();
    p.Windows = LinuxNativeWindows();
    p.Locale = LinuxLocale();
    p.Kernel = LinuxKernel();
    p.TimeStampCounter = ProcessorTimeStampCounter();
    p.Sockets = LinuxSockets();
    p.HtmlViews = LinuxHtmlViews();
    p.Shell = LinuxShell();
    p.Desktop = LinuxDesktop();
    p.Environment = LinuxHostEnvironment();
    p.VersionResource = LinuxVersionResource();
    return p;
}

Platform BackendTimingServices()
{
    Platform p;
    p.Clock = LinuxClock();
    p.Kernel = LinuxKernel();
    p.TimeStampCounter = ProcessorTimeStampCounter();
    return p;
}
