#include "platform/win32/Win32Services.h"

// Not built yet for this backend.
IProcessInfo* Win32ProcessInfo() { return nullptr; }
