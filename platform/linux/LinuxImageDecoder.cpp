#include "platform/linux/LinuxServices.h"

// Not built yet for this backend.
IImageDecoder* LinuxImageDecoder() { return nullptr; }
