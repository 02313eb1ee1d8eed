#include "platform/win32/Win32Services.h"

// Not built yet for this backend.
IProfileFiles* Win32ProfileFiles() { return nullptr; }
