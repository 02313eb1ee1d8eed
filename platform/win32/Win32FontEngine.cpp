#include "platform/win32/Win32Services.h"

// Not built yet for this backend.
IFontEngine* Win32FontEngine() { return nullptr; }
