#include "platform/INativeWindows.h"
#include "platform/win32/Win32Services.h"

// The native window system of this backend is not there yet; the framework reports that it
// cannot show windows when it finds none.
INativeWindows* Win32NativeWindows() { return nullptr; }
