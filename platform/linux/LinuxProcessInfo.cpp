#include "platform/linux/LinuxServices.h"

// Not built yet for this backend.
IProcessInfo* LinuxProcessInfo() { return nullptr; }
