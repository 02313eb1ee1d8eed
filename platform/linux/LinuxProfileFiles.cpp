#include "platform/linux/LinuxServices.h"

// Not built yet for this backend.
IProfileFiles* LinuxProfileFiles() { return nullptr; }
