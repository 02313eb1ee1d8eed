#include "platform/win32/Win32Services.h"

// Not built yet for this backend.
IColorScheme* Win32ColorScheme() { return nullptr; }
