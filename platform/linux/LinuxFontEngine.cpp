#include "platform/linux/LinuxServices.h"

// Not built yet for this backend.
IFontEngine* LinuxFontEngine() { return nullptr; }
