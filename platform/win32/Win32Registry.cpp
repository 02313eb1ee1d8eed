#include "platform/win32/Win32Services.h"

// Not built yet for this backend.
IRegistry* Win32Registry() { return nullptr; }
