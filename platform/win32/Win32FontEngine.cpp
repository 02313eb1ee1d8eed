#include "platform/win32/Win32FontEngine.h"

#include <algorithm>
#include <vector>

#include "platform/core/Exception.h"
#include "platform/gfx/Bitmap.h"
#include "platform/win32/Win32Services.h"

namespace {

constexpr const wchar_t* FallbackFace = L"League Spartan";
constexpr const wchar_t* FallbackFile = L"LeagueSpartan-Regular.otf";

// UTF-8 to UTF-16; bytes that are not UTF-8 become U+FFFD.
std::wstring Widened(const std::string& Text)
{
    if (Text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, Text.data(), int(Text.size()), nullptr, 0);
    std::wstring wide(size_t(std::max(length, 0)), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, Text.data(), int(Text.size()), wide.data(), length);
    return wide;
}

// The folder of the running executable, with a trailing backslash.
std::wstring ExecutableFolder()
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            std::wstring full(path.data(), length);
            return full.substr(0, full.find_last_of(L"\\/") + 1);
        }
        path.resize(path.size() * 2);
    }
}

// League Spartan ships beside the executable and is made known to this process only, so that
// nothing needs installing and no other program sees it.
void LoadFallbackFace()
{
    const std::wstring file = ExecutableFolder() + FallbackFile;
    AddFontResourceExW(file.c_str(), FR_PRIVATE, nullptr);
}

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM Found)
{
    *reinterpret_cast<bool*>(Found) = true;
    return 0;
}

int32_t ClampedHeight(int32_t Height) { return std::clamp(Height, MinFontHeight, MaxFontHeight); }

}   // namespace

TWin32FontEngine::TWin32FontEngine()
{
    LoadFallbackFace();
    FDC = CreateCompatibleDC(nullptr);
    if (!FDC)
        throw Exception("Cannot create a device context for text");
    FInitialFont = GetCurrentObject(FDC, OBJ_FONT);
    SetBkMode(FDC, TRANSPARENT);
    SetTextAlign(FDC, TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

TWin32FontEngine::~TWin32FontEngine()
{
    SelectObject(FDC, FInitialFont);
    if (FCanvas) {
        SelectObject(FDC, FInitialBitmap);
        DeleteObject(FCanvas);
    }
    for (auto& [key, font] : FFonts)
        DeleteObject(font);
    DeleteDC(FDC);
}

void TWin32FontEngine::DrawText(TBitmap& Target, const TRect& Clip, int32_t X, int32_t Y, const std::string& Text,
                                const TFontSpec& Font)
{
    const TRect clip = Clip.Intersected(BitmapRect(Target));
    if (clip.IsEmpty() || Text.empty())
        return;
    std::lock_guard lock(FMutex);
    const std::wstring text = Widened(Text);
    // Only the text's box, widened by one font height on each side for overhangs and accents,
    // goes through GDI; a label on a large surface then costs its own size, not the surface's.
    // Sums are taken in 64 bits so that far-off positions cannot wrap around.
    const TSize size = Measure(text, Font);
    const int64_t margin = ClampedHeight(Font.Height);
    const auto bounded = [](int64_t v) { return int32_t(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); };
    const TRect area = TRect(bounded(X - margin), bounded(Y - margin), bounded(X + size.Width + margin),
                             bounded(Y + size.Height + margin)).Intersected(clip);
    if (area.IsEmpty())
        return;

    EnsureCanvas(area.Width(), area.Height());
    for (int32_t y = area.Top; y < area.Bottom; ++y)
        std::copy_n(Target.Scanline(y) + area.Left, area.Width(), FCanvasPixels + size_t(y - area.Top) * FCanvasWidth);

    SelectObject(FDC, FontFor(Font));
    SetTextColor(FDC, COLORREF(ColorToRGB(Font.Color) & 0xFFFFFF));
    TextOutW(FDC, X - area.Left, Y - area.Top, text.data(), int(text.size()));
    GdiFlush();

    // GDI may leave the unused top byte of the pixels it drew set; bitmaps keep it zero.
    for (int32_t y = area.Top; y < area.Bottom; ++y) {
        const TPixel* from = FCanvasPixels + size_t(y - area.Top) * FCanvasWidth;
        std::transform(from, from + area.Width(), Target.Scanline(y) + area.Left,
                       [](TPixel p) { return p & 0x00FFFFFFu; });
    }
}

TSize TWin32FontEngine::TextExtent(const std::string& Text, const TFontSpec& Font)
{
    std::lock_guard lock(FMutex);
    return Measure(Widened(Text), Font);
}

// The width of the advance of the text and the height of the font's line cell, which GDI
// reports for an empty text as well.
TSize TWin32FontEngine::Measure(const std::wstring& Text, const TFontSpec& Font)
{
    SelectObject(FDC, FontFor(Font));
    SIZE size{};
    GetTextExtentPoint32W(FDC, Text.data(), int(Text.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(FDC, &metrics);
    return {size.cx, metrics.tmHeight};
}

// A top-down 32-bit DIB section at least this large; its pixel layout is the bitmap's own.
void TWin32FontEngine::EnsureCanvas(int32_t Width, int32_t Height)
{
    if (FCanvas && Width <= FCanvasWidth && Height <= FCanvasHeight)
        return;
    const int32_t width = std::max(Width, FCanvasWidth);
    const int32_t height = std::max(Height, FCanvasHeight);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP canvas = CreateDIBSection(FDC, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!canvas)
        throw Exception::Fmt("Cannot create a %d x %d drawing surface for text",
                             {std::to_string(width), std::to_string(height)});
    HGDIOBJ previous = SelectObject(FDC, canvas);
    if (FCanvas)
        DeleteObject(FCanvas);
    else
        FInitialBitmap = previous;
    FCanvas = canvas;
    FCanvasPixels = static_cast<TPixel*>(pixels);
    FCanvasWidth = width;
    FCanvasHeight = height;
}

HFONT TWin32FontEngine::FontFor(const TFontSpec& Font)
{
    const TFontKey key{Font.Name, ClampedHeight(Font.Height), Font.Style, Font.Charset};
    auto found = FFonts.find(key);
    if (found != FFonts.end())
        return found->second;

    LOGFONTW logFont{};
    // A negative height asks the font mapper for this em size, without the internal leading.
    logFont.lfHeight = -ClampedHeight(Font.Height);
    logFont.lfWeight = (Font.Style & fsBold) ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = (Font.Style & fsItalic) ? TRUE : FALSE;
    logFont.lfUnderline = (Font.Style & fsUnderline) ? TRUE : FALSE;
    logFont.lfStrikeOut = (Font.Style & fsStrikeOut) ? TRUE : FALSE;
    logFont.lfCharSet = Font.Charset;
    logFont.lfOutPrecision = OUT_DEFAULT_PRECIS;
    logFont.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    // Grayscale smoothing whatever the desktop's setting, so that labels look alike everywhere.
    logFont.lfQuality = ANTIALIASED_QUALITY;
    // With no face name the mapper picks the default face of the sans family.
    logFont.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    const std::wstring& face = FaceFor(Font.Name);
    face.copy(logFont.lfFaceName, LF_FACESIZE - 1);

    HFONT font = CreateFontIndirectW(&logFont);
    if (!font)
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    else
        FFonts.emplace(key, font);
    return font;
}

// The face to draw a font name with: the face itself when installed, else League Spartan, else
// no name, which leaves the choice of a sans face to the font mapper. Without this the mapper
// would substitute any face it finds similar for a missing one.
const std::wstring& TWin32FontEngine::FaceFor(const std::string& Name)
{
    auto found = FFaces.find(Name);
    if (found != FFaces.end())
        return found->second;
    const std::wstring wanted = Widened(Name);
    std::wstring face = IsInstalled(wanted) ? wanted : IsInstalled(FallbackFace) ? FallbackFace : L"";
    return FFaces.emplace(Name, std::move(face)).first->second;
}

bool TWin32FontEngine::IsInstalled(const std::wstring& Face) const
{
    if (Face.empty() || Face.size() >= LF_FACESIZE)
        return false;
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    Face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    EnumFontFamiliesExW(FDC, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

IFontEngine* Win32FontEngine()
{
    static TWin32FontEngine engine;
    return &engine;
}
