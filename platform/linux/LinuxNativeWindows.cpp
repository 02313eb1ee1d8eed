#include <cstdlib>

#include "platform/INativeWindows.h"
#include "platform/linux/LinuxLazyWindows.h"
#include "platform/linux/LinuxServices.h"

// The window system of the X display the program was started on, opened when first used. A
// program started without a display named has none: the answer is nullptr, which the program
// reports as having no window service. It lives until the program ends, like the other
// services.
INativeWindows* LinuxNativeWindows()
{
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
        return nullptr;
    static auto* const windows = new TLinuxLazyWindows;
    return windows;
}
