#pragma once
#include <string>
#include <vector>

#include "platform/gfx/Bitmap.h"

// Writes a Windows icon file holding one 32-bit picture per size, in the order given. Pixels of
// the colour Transparent become fully transparent; every other pixel is opaque. False when the
// file cannot be written.
bool WriteIcon(const std::string& Path, const std::vector<const TBitmap*>& Pictures, TPixel Transparent);
