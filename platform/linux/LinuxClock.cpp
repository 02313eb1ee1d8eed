#include "platform/linux/LinuxServices.h"

// Not built yet for this backend.
IClock* LinuxClock() { return nullptr; }
