#include "platform/INativeWindows.h"
#include "platform/linux/LinuxServices.h"
#include "platform/linux/LinuxWindowSystem.h"

// The window system of the X display the program was started on. Without a display there is
// none: the reason is on standard error and the answer is nullptr, which the framework reports
// as having no window service. It lives until the program ends, like the other services.
INativeWindows* LinuxNativeWindows()
{
    static TLinuxWindowSystem* const windows = TLinuxWindowSystem::Open().release();
    return windows;
}
