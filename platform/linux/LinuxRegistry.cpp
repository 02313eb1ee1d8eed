#include "platform/linux/LinuxServices.h"

// Not built yet for this backend.
IRegistry* LinuxRegistry() { return nullptr; }
