#include "platform/win32/Win32Services.h"

// Not built yet for this backend.
IClock* Win32Clock() { return nullptr; }
