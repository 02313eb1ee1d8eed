#pragma once
#include "platform/gfx/IImageDecoder.h"

// JPEG pictures through libjpeg-turbo. The library reports errors through a callback that must
// not return; this decoder leaves it with longjmp to a point just around each library call, so
// a damaged file becomes an Exception instead of ending the process.
class TLinuxImageDecoder : public IImageDecoder {
public:
    void LoadJpeg(const std::string& Path, TBitmap& Into) override;
    void LoadJpegData(const std::string& Name, const uint8_t* Data, size_t Size, TBitmap& Into) override;
};
