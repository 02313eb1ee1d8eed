#pragma once
#include "platform/gfx/IImageDecoder.h"

// JPEG pictures through the Windows Imaging Component. The file is read and checked here first
// (present, not empty, a JPEG, complete), so every bad file gets the same clear message as on
// the other platforms instead of a bare error code.
class TWin32ImageDecoder : public IImageDecoder {
public:
    void LoadJpeg(const std::string& Path, TBitmap& Into) override;
    void LoadJpegData(const std::string& Name, const uint8_t* Data, size_t Size, TBitmap& Into) override;
};
