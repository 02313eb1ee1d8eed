#pragma once
#include <string>

#include "platform/gfx/Bitmap.h"

// Writes a picture as a baseline JPEG file of the given quality (1 to 100). The same picture
// and quality always give the same bytes, so pictures made by our tools can be made again and
// compared. False when the file cannot be written.
bool WriteJpeg(const std::string& Path, const TBitmap& Picture, int Quality);
