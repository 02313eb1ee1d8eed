#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/gfx/Bitmap.h"

// Reads the Side x Side picture of a Windows icon file held in memory (32-bit pictures only, as
// the program's own icon has them) into Into, laid over Background where the icon is
// transparent or partly so. False, with Into unchanged, when the data holds no such picture or
// is damaged.
bool DecodeIconImage(const uint8_t* Data, size_t Size, int32_t Side, TPixel Background, TBitmap& Into);
