#include "platform/win32/Win32ImageDecoder.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <vector>

#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "platform/win32/Win32Services.h"

using Microsoft::WRL::ComPtr;

namespace {

// A JPEG file is smaller than the 32-bit pixels it decodes to, so a file larger than the pixels
// of the largest accepted picture is refused before it is read.
constexpr int64_t MaxFileSize = MaxJpegPixels * 4;

std::wstring Widened(const std::string& Text)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, Text.data(), int(Text.size()), nullptr, 0);
    std::wstring wide(size_t(std::max(length, 0)), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, Text.data(), int(Text.size()), wide.data(), length);
    return wide;
}

std::string Hex(HRESULT Result)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(Result));
    return text;
}

// COM for the calling thread for the length of one load, in whatever model the thread already
// has; the call is only balanced when it succeeded.
class TComScope {
public:
    TComScope() : FResult(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~TComScope()
    {
        if (SUCCEEDED(FResult))
            CoUninitialize();
    }

private:
    HRESULT FResult;
};

class TJpegFile {
public:
    explicit TJpegFile(const std::string& Path) : FPath(Path) {}
    TJpegFile(const std::string& Name, const uint8_t* Data, size_t Size) : FPath(Name), FData(Data, Data + Size), FInMemory(true) {}

    std::vector<TPixel> Decode(int32_t& Width, int32_t& Height)
    {
        if (!FInMemory)
            Read();
        else if (FData.empty())
            throw Exception::Fmt("Picture '%s' is empty", {FPath});
        CheckStructure();
        TComScope com;
        ComPtr<IWICImagingFactory> factory;
        Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)));
        ComPtr<IWICBitmapFrameDecode> frame = FirstFrame(factory.Get());
        UINT width = 0, height = 0;
        Check(frame->GetSize(&width, &height));
        CheckSize(width, height);
        Width = int32_t(width);
        Height = int32_t(height);
        return Pixels(frame.Get(), width, height);
    }

private:
    void Read()
    {
        const std::wstring path = Widened(FPath);
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            throw Exception::Fmt("Cannot open picture '%s'", {FPath});
        LARGE_INTEGER size{};
        const bool sized = GetFileSizeEx(file, &size);
        if (!sized || size.QuadPart > MaxFileSize) {
            CloseHandle(file);
            throw Exception::Fmt(sized ? "Picture '%s' is too large" : "Cannot open picture '%s'", {FPath});
        }
        FData.resize(size_t(size.QuadPart));
        DWORD read = 0;
        const bool ok = FData.empty() || ReadFile(file, FData.data(), DWORD(FData.size()), &read, nullptr);
        CloseHandle(file);
        if (!ok || read != FData.size())
            throw Exception::Fmt("Cannot read picture '%s'", {FPath});
        if (FData.empty())
            throw Exception::Fmt("Picture '%s' is empty", {FPath});
    }

    uint8_t At(size_t i) const { return FData[i]; }

    // Walks the file's markers from the start-of-image marker to the end-of-image marker:
    // segments by their lengths, entropy-coded data up to the next marker. A file whose walk
    // runs off the end was cut short. The codec would decode such a file without a word and
    // fill the missing part with grey. The frame header's size and the number of scans are
    // checked on the way, before the codec takes any memory or time for the pixels.
    void CheckStructure() const
    {
        if (FData.size() < 3 || At(0) != 0xFF || At(1) != 0xD8 || At(2) != 0xFF)
            throw Exception::Fmt("Picture '%s' is not a JPEG file", {FPath});
        size_t i = 2;
        int scans = 0;
        for (;;) {
            while (i < FData.size() && At(i) != 0xFF)
                ++i;   // entropy-coded data, or stray bytes that the codec skips as well
            while (i < FData.size() && At(i) == 0xFF)
                ++i;   // fill bytes
            if (i >= FData.size())
                break;
            const uint8_t marker = At(i++);
            if (marker == 0xD9)
                return;
            const bool standalone = marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7);
            if (standalone)
                continue;
            if (marker == 0xDA && ++scans > MaxJpegScans)
                throw Exception::Fmt("Picture '%s' has too many scans", {FPath});
            if (i + 2 > FData.size())
                break;
            const bool frameHeader = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
            if (frameHeader && i + 7 <= FData.size())
                CheckSize(int64_t(At(i + 5)) << 8 | At(i + 6), int64_t(At(i + 3)) << 8 | At(i + 4));
            i += size_t(At(i)) << 8 | At(i + 1);
        }
        throw Exception::Fmt("Picture '%s' is truncated", {FPath});
    }

    void CheckSize(int64_t Width, int64_t Height) const
    {
        if (Width > MaxJpegSide || Height > MaxJpegSide || Width * Height > MaxJpegPixels)
            throw Exception::Fmt("Picture '%s' is too large (%d x %d pixels)",
                                 {FPath, std::to_string(Width), std::to_string(Height)});
    }

    ComPtr<IWICBitmapFrameDecode> FirstFrame(IWICImagingFactory* Factory)
    {
        ComPtr<IWICStream> stream;
        Check(Factory->CreateStream(&stream));
        Check(stream->InitializeFromMemory(FData.data(), DWORD(FData.size())));
        ComPtr<IWICBitmapDecoder> decoder;
        Check(Factory->CreateDecoder(GUID_ContainerFormatJpeg, nullptr, &decoder));
        Check(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand));
        ComPtr<IWICBitmapFrameDecode> frame;
        Check(decoder->GetFrame(0, &frame));
        return frame;
    }

    // CMYK pictures are converted here, since the platform's converters do not all take CMYK;
    // everything else is converted by the codec to 32-bit BGR, which is the bitmap's layout.
    std::vector<TPixel> Pixels(IWICBitmapFrameDecode* Frame, UINT Width, UINT Height)
    {
        std::vector<TPixel> pixels(size_t(Width) * Height);
        const UINT stride = Width * 4;
        const UINT bytes = UINT(pixels.size() * sizeof(TPixel));
        WICPixelFormatGUID format{};
        Check(Frame->GetPixelFormat(&format));
        if (format == GUID_WICPixelFormat32bppCMYK) {
            Check(Frame->CopyPixels(nullptr, stride, bytes, reinterpret_cast<BYTE*>(pixels.data())));
            for (TPixel& p : pixels)
                p = FromCmyk(p);
            return pixels;
        }
        ComPtr<IWICBitmapSource> converted;
        Check(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, Frame, &converted));
        Check(converted->CopyPixels(nullptr, stride, bytes, reinterpret_cast<BYTE*>(pixels.data())));
        for (TPixel& p : pixels)
            p &= 0x00FFFFFFu;
        return pixels;
    }

    // The codec's CMYK bytes in memory order C, M, Y, K, as ink amounts.
    static TPixel FromCmyk(TPixel Inks)
    {
        const auto left = [&](int i) { return 255u - ((Inks >> (8 * i)) & 0xFF); };
        const unsigned k = left(3);
        return ((left(0) * k / 255) << 16) | ((left(1) * k / 255) << 8) | (left(2) * k / 255);
    }

    void Check(HRESULT Result) const
    {
        if (FAILED(Result))
            throw Exception::Fmt("Picture '%s' could not be decoded (error %s)", {FPath, Hex(Result)});
    }

    std::string FPath;
    std::vector<uint8_t> FData;
    bool FInMemory = false;
};

}   // namespace

void TWin32ImageDecoder::LoadJpeg(const std::string& Path, TBitmap& Into)
{
    int32_t width = 0, height = 0;
    std::vector<TPixel> pixels;
    // The file and the pixels may each take up to 128 MiB, which a 32-bit process does not
    // always have in one piece.
    try {
        pixels = TJpegFile(Path).Decode(width, height);
    } catch (const std::bad_alloc&) {
        throw Exception::Fmt("Not enough memory for picture '%s'", {Path});
    }
    Into.SetSize(width, height);
    std::memcpy(Into.Scanline(0), pixels.data(), pixels.size() * sizeof(TPixel));
}

void TWin32ImageDecoder::LoadJpegData(const std::string& Name, const uint8_t* Data, size_t Size, TBitmap& Into)
{
    int32_t width = 0, height = 0;
    std::vector<TPixel> pixels = TJpegFile(Name, Data, Size).Decode(width, height);
    Into.SetSize(width, height);
    std::memcpy(Into.Scanline(0), pixels.data(), pixels.size() * sizeof(TPixel));
}

IImageDecoder* Win32ImageDecoder()
{
    static TWin32ImageDecoder decoder;
    return &decoder;
}
