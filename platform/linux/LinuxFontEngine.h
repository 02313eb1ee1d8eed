#pragma once
#include <map>
#include <mutex>
#include <string>
#include <tuple>

#include <pango/pangocairo.h>

#include "platform/gfx/IFontEngine.h"

// Text through Pango and cairo, drawn straight onto the bitmap's pixels: the bitmap's memory
// has cairo's RGB24 layout, so a cairo image surface wraps it without a copy. One Pango
// context, one layout and a font description per font are kept, so drawing a label costs a
// layout pass and the glyphs.
class TLinuxFontEngine : public IFontEngine {
public:
    TLinuxFontEngine();
    ~TLinuxFontEngine() override;
    TLinuxFontEngine(const TLinuxFontEngine&) = delete;
    TLinuxFontEngine& operator=(const TLinuxFontEngine&) = delete;

    void DrawText(TBitmap& Target, const TRect& Clip, int32_t X, int32_t Y, const std::string& Text,
                  const TFontSpec& Font) override;
    TSize TextExtent(const std::string& Text, const TFontSpec& Font) override;
    std::string RasterizerName() const override { return "linux"; }

private:
    using TFaceKey = std::tuple<std::string, int32_t, uint8_t>;

    // A face at one size and its line cell: the cell reaches Ascent pixels above the baseline
    // and Descent below it.
    struct TFace {
        PangoFontDescription* Description = nullptr;
        int32_t Ascent = 0;
        int32_t Descent = 0;
    };

    PangoLayout* LayoutFor(const std::string& Text, const TFontSpec& Font, const TFace& Face);
    const TFace& FaceFor(const TFontSpec& Font);
    TFace CellOf(PangoFontDescription* Description, int32_t Height);
    const std::string& FamilyFor(const std::string& Name);
    TRect InkBounds(PangoLayout* Layout, int32_t X, int32_t Y) const;

    PangoFontMap* FFontMap = nullptr;
    PangoContext* FContext = nullptr;
    PangoLayout* FLayout = nullptr;
    std::map<TFaceKey, TFace> FFaces;
    std::map<std::string, std::string> FFamilies;
    std::mutex FMutex;
};
