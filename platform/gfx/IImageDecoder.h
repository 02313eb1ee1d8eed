#pragma once
#include <string>

class TBitmap;

// Decodes picture files into bitmaps (libjpeg-turbo on Linux, the platform codec on Windows).
class IImageDecoder {
public:
    virtual ~IImageDecoder() = default;
    // Loads a JPEG file (UTF-8 path) into Into, resizing it to the picture's size. A missing,
    // empty, truncated or non-JPEG file raises Exception with a message naming the file, and
    // leaves Into as it was.
    virtual void LoadJpeg(const std::string& Path, TBitmap& Into) = 0;
};
