#include "platform/INativeWindows.h"
#include "platform/linux/LinuxServices.h"

// The native window system of this backend is not there yet; the framework reports that it
// cannot show windows when it finds none.
INativeWindows* LinuxNativeWindows() { return nullptr; }
