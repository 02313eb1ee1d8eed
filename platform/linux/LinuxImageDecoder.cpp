#include "platform/linux/LinuxImageDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include <sys/stat.h>

#include <jpeglib.h>
#include <jerror.h>

#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "platform/linux/LinuxServices.h"

namespace {

// The library's error manager with a way out: where to jump and what went wrong.
struct TJpegErrors {
    jpeg_error_mgr Base;   // first, so the library's pointer to it is a pointer to the whole
    std::jmp_buf Escape;
    int Code = 0;
    char Text[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void LeaveDecoder(j_common_ptr Info)
{
    auto* errors = reinterpret_cast<TJpegErrors*>(Info->err);
    errors->Code = Info->err->msg_code;
    Info->err->format_message(Info, errors->Text);
    std::longjmp(errors->Escape, 1);
}

constexpr int TooManyScans = -1;   // an error code of our own, beside the library's

void OnProgress(j_common_ptr Info)
{
    auto* picture = reinterpret_cast<j_decompress_ptr>(Info);
    if (picture->input_scan_number <= MaxJpegScans)
        return;
    auto* errors = reinterpret_cast<TJpegErrors*>(Info->err);
    errors->Code = TooManyScans;
    std::longjmp(errors->Escape, 1);
}

// Warnings are mostly about data the library can skip, but running out of data means the file
// was cut short: the library would fill the rest of the picture with grey and call it done.
void OnMessage(j_common_ptr Info, int Level)
{
    if (Level < 0 && Info->err->msg_code == JWRN_JPEG_EOF)
        LeaveDecoder(Info);
}

// Runs one step of library calls; false when the library gave up in it. Nothing in a step may
// own resources, since leaving it by longjmp runs no destructors.
template <class TStep>
bool Guarded(TJpegErrors& Errors, TStep&& Step)
{
    if (setjmp(Errors.Escape))
        return false;
    Step();
    return true;
}

// Adobe's CMYK JPEGs store the inks inverted, so each channel is already "how much light is
// left"; multiplying by what the black ink leaves gives the colour.
TPixel CmykToPixel(const JSAMPLE* Ink, bool Inverted)
{
    const auto left = [&](int i) { return Inverted ? unsigned(Ink[i]) : 255u - Ink[i]; };
    const unsigned k = left(3);
    return ((left(0) * k / 255) << 16) | ((left(1) * k / 255) << 8) | (left(2) * k / 255);
}

class TJpegFile {
public:
    explicit TJpegFile(const std::string& Path) : FPath(Path) {}
    TJpegFile(const std::string& Name, const uint8_t* Data, size_t Size) : FPath(Name), FData(Data), FSize(Size) {}
    ~TJpegFile()
    {
        if (FCreated)
            jpeg_destroy_decompress(&FInfo);
    }

    // The picture's pixels, row after row, in the bitmap's layout.
    std::vector<TPixel> Decode(int32_t& Width, int32_t& Height)
    {
        Open();
        ReadHeader();
        Width = int32_t(FInfo.image_width);
        Height = int32_t(FInfo.image_height);
        if (Width > MaxJpegSide || Height > MaxJpegSide || int64_t(Width) * Height > MaxJpegPixels)
            throw Exception::Fmt("Picture '%s' is too large (%d x %d pixels)",
                                 {FPath, std::to_string(Width), std::to_string(Height)});
        std::vector<TPixel> pixels;
        try {
            pixels.resize(size_t(Width) * Height);
        } catch (const std::bad_alloc&) {
            throw Exception::Fmt("Not enough memory for picture '%s'", {FPath});
        }
        TPixel* out = pixels.data();
        if (!Guarded(FErrors, [&] { ReadPixels(out); }))
            Fail();
        return pixels;
    }

private:
    void Open()
    {
        if (FData) {
            if (FSize == 0)
                throw Exception::Fmt("Picture '%s' is empty", {FPath});
            // The library reads from a stream; one over the bytes in memory serves like a file.
            FFile.reset(fmemopen(const_cast<uint8_t*>(FData), FSize, "rb"));
            if (!FFile)
                throw Exception::Fmt("Cannot open picture '%s'", {FPath});
            return;
        }
        struct stat info;
        if (stat(FPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
            throw Exception::Fmt("Cannot open picture '%s'", {FPath});
        if (info.st_size == 0)
            throw Exception::Fmt("Picture '%s' is empty", {FPath});
        FFile.reset(std::fopen(FPath.c_str(), "rb"));
        if (!FFile)
            throw Exception::Fmt("Cannot open picture '%s'", {FPath});
    }

    void ReadHeader()
    {
        FInfo.err = jpeg_std_error(&FErrors.Base);
        FErrors.Base.error_exit = LeaveDecoder;
        FErrors.Base.emit_message = OnMessage;
        FProgress.progress_monitor = OnProgress;
        const bool read = Guarded(FErrors, [&] {
            jpeg_create_decompress(&FInfo);
            FCreated = true;
            FInfo.progress = &FProgress;
            jpeg_stdio_src(&FInfo, FFile.get());
            jpeg_read_header(&FInfo, TRUE);
        });
        if (!read)
            Fail();
        const bool cmyk = FInfo.jpeg_color_space == JCS_CMYK || FInfo.jpeg_color_space == JCS_YCCK;
        FInfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;
    }

    // BGRX rows land in memory as 0xXXRRGGBB; CMYK rows go through one row of the library's own
    // memory and are converted. Either way the top byte is cleared.
    void ReadPixels(TPixel* Out)
    {
        jpeg_start_decompress(&FInfo);
        const JDIMENSION width = FInfo.output_width;
        const bool cmyk = FInfo.out_color_space == JCS_CMYK;
        JSAMPARRAY inks = cmyk ? (*FInfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&FInfo), JPOOL_IMAGE,
                                                            width * 4, 1)
                               : nullptr;
        while (FInfo.output_scanline < FInfo.output_height) {
            TPixel* row = Out + size_t(FInfo.output_scanline) * width;
            JSAMPROW target = cmyk ? inks[0] : reinterpret_cast<JSAMPROW>(row);
            jpeg_read_scanlines(&FInfo, &target, 1);
            for (JDIMENSION x = 0; x < width; ++x)
                row[x] = cmyk ? CmykToPixel(inks[0] + 4 * x, FInfo.saw_Adobe_marker) : row[x] & 0x00FFFFFFu;
        }
        jpeg_finish_decompress(&FInfo);
    }

    [[noreturn]] void Fail() const
    {
        switch (FErrors.Code) {
        case JWRN_JPEG_EOF:
            throw Exception::Fmt("Picture '%s' is truncated", {FPath});
        case JERR_NO_SOI:
            throw Exception::Fmt("Picture '%s' is not a JPEG file", {FPath});
        case JERR_INPUT_EMPTY:
            throw Exception::Fmt("Picture '%s' is empty", {FPath});
        case JERR_OUT_OF_MEMORY:
            throw Exception::Fmt("Not enough memory for picture '%s'", {FPath});
        case TooManyScans:
            throw Exception::Fmt("Picture '%s' has too many scans", {FPath});
        default:
            throw Exception::Fmt("Picture '%s' is damaged: %s", {FPath, FErrors.Text});
        }
    }

    std::string FPath;
    const uint8_t* FData = nullptr;   // a picture in memory instead of the file at FPath
    size_t FSize = 0;
    std::unique_ptr<FILE, decltype(&std::fclose)> FFile{nullptr, std::fclose};
    jpeg_decompress_struct FInfo{};
    TJpegErrors FErrors;
    jpeg_progress_mgr FProgress{};
    bool FCreated = false;
};

}   // namespace

void TLinuxImageDecoder::LoadJpeg(const std::string& Path, TBitmap& Into)
{
    int32_t width = 0, height = 0;
    std::vector<TPixel> pixels = TJpegFile(Path).Decode(width, height);
    Into.SetSize(width, height);
    std::memcpy(Into.Scanline(0), pixels.data(), pixels.size() * sizeof(TPixel));
}

void TLinuxImageDecoder::LoadJpegData(const std::string& Name, const uint8_t* Data, size_t Size, TBitmap& Into)
{
    int32_t width = 0, height = 0;
    std::vector<TPixel> pixels = TJpegFile(Name, Data, Size).Decode(width, height);
    Into.SetSize(width, height);
    std::memcpy(Into.Scanline(0), pixels.data(), pixels.size() * sizeof(TPixel));
}

IImageDecoder* LinuxImageDecoder()
{
    static TLinuxImageDecoder decoder;
    return &decoder;
}
