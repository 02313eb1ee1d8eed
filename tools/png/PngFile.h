#pragma once
#include <string>

#include "platform/gfx/Bitmap.h"

// PNG files for the developer tools and the tests: golden pictures, snapshots and the pictures
// a failing test leaves behind. The colour of each pixel is kept exactly; an alpha channel in a
// file read is dropped. False when the file cannot be read or written.
bool ReadPng(const std::string& Path, TBitmap& Into);
bool WritePng(const std::string& Path, const TBitmap& Picture);
