#include "platform/win32/Win32Services.h"

// Not built yet for this backend.
IImageDecoder* Win32ImageDecoder() { return nullptr; }
