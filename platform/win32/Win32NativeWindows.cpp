#include "platform/INativeWindows.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/Win32WindowSystem.h"

INativeWindows* Win32NativeWindows()
{
    // Never destroyed: objects that end after it at exit may still destroy their windows
    // through it, and the system takes the windows away with the process anyway.
    static auto* windows = new TWin32WindowSystem;
    return windows;
}
