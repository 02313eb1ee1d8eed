#pragma once
#include <string>

#include "platform/core/Rect.h"
#include "platform/gfx/FontSpec.h"

class TBitmap;

struct TSize {
    int32_t Width = 0;
    int32_t Height = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// Draws text onto a bitmap's own pixels. Each backend brings one (Pango/cairo on Linux, GDI on
// Windows). When the face a font names is not installed, the engine falls back to League
// Spartan, then to the default sans face.
class IFontEngine {
public:
    virtual ~IFontEngine() = default;
    // Draws Text (UTF-8) with its line cell's top-left corner at (X, Y) in the font's colour with
    // a transparent background, touching no pixel outside Clip (cut to the bitmap first). Bytes
    // that are not UTF-8 are drawn as replacement characters; line breaks do not start a new
    // line.
    virtual void DrawText(TBitmap& Target, const TRect& Clip, int32_t X, int32_t Y, const std::string& Text,
                          const TFontSpec& Font) = 0;
    // Width of the text and height of its line cell, in pixels. An empty text has width 0 and
    // the height of one line.
    virtual TSize TextExtent(const std::string& Text, const TFontSpec& Font) = 0;
    // Which rasteriser draws ("linux", "win32"). The same text comes out with slightly different
    // pixels from each, so pictures of text are kept per rasteriser.
    virtual std::string RasterizerName() const { return {}; }
};
