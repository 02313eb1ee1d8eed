#include "platform/linux/LinuxServices.h"

// Not built yet for this backend.
IColorScheme* LinuxColorScheme() { return nullptr; }
