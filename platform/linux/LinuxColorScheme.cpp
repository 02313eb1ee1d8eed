#include "platform/core/ClassicColorScheme.h"
#include "platform/linux/LinuxServices.h"

// The desktop offers no system colours of the kind the program's dialogs are drawn with, so
// Linux uses the classic default scheme.
IColorScheme* LinuxColorScheme()
{
    static TClassicColorScheme scheme;
    return &scheme;
}
