#pragma once
#include <map>
#include <mutex>
#include <string>
#include <tuple>

#include <windows.h>

#include "platform/gfx/IFontEngine.h"

// Text through GDI. The part of the bitmap under the text and inside the clip is copied into a
// DIB section, the text is drawn there with TextOutW on a transparent background and the part is
// copied back, so GDI never writes outside the clip. The memory DC, the DIB section (grown as needed) and one font
// per face, height and style are kept for the life of the engine.
class TWin32FontEngine : public IFontEngine {
public:
    TWin32FontEngine();
    ~TWin32FontEngine() override;
    TWin32FontEngine(const TWin32FontEngine&) = delete;
    TWin32FontEngine& operator=(const TWin32FontEngine&) = delete;

    void DrawText(TBitmap& Target, const TRect& Clip, int32_t X, int32_t Y, const std::string& Text,
                  const TFontSpec& Font) override;
    TSize TextExtent(const std::string& Text, const TFontSpec& Font) override;
    std::string RasterizerName() const override { return "win32"; }

private:
    using TFontKey = std::tuple<std::string, int32_t, uint8_t, uint8_t>;

    HFONT FontFor(const TFontSpec& Font);
    const std::wstring& FaceFor(const std::string& Name);
    bool IsInstalled(const std::wstring& Face) const;
    TSize Measure(const std::wstring& Text, const TFontSpec& Font);
    void EnsureCanvas(int32_t Width, int32_t Height);

    HDC FDC = nullptr;
    HBITMAP FCanvas = nullptr;
    HGDIOBJ FInitialBitmap = nullptr;
    HGDIOBJ FInitialFont = nullptr;
    TPixel* FCanvasPixels = nullptr;
    int32_t FCanvasWidth = 0;
    int32_t FCanvasHeight = 0;
    std::map<TFontKey, HFONT> FFonts;
    std::map<std::string, std::wstring> FFaces;
    std::mutex FMutex;
};
