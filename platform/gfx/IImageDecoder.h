#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

class TBitmap;

// Decodes picture files into bitmaps (libjpeg-turbo on Linux, the platform codec on Windows).
class IImageDecoder {
public:
    virtual ~IImageDecoder() = default;
    // Loads a JPEG file (UTF-8 path) into Into, resizing it to the picture's size. Colour,
    // grayscale and CMYK pictures, baseline or progressive, decode to RGB. A missing, empty,
    // truncated, damaged or non-JPEG file, a picture larger than MaxJpegSide on a side or
    // MaxJpegPixels in all, or one of more than MaxJpegScans scans, raises Exception with a
    // message naming the file, and leaves Into as it was.
    virtual void LoadJpeg(const std::string& Path, TBitmap& Into) = 0;
    // The same for a JPEG picture held in memory (a picture compiled into the program); Name
    // stands for the file in the messages.
    virtual void LoadJpegData(const std::string& Name, const uint8_t* Data, size_t Size, TBitmap& Into) = 0;
};

// The largest picture the decoders accept: a header can claim 65535 x 65535 pixels, which would
// take 16 GiB, so such files are refused before any pixel memory is taken.
constexpr int32_t MaxJpegSide = 16384;
constexpr int64_t MaxJpegPixels = int64_t(32) * 1024 * 1024;

// A progressive file may claim any number of scans, each of which walks the whole picture, so a
// small crafted file could keep the decoder busy for hours. Real pictures use about ten.
constexpr int MaxJpegScans = 256;
