#include "platform/linux/LinuxFontEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

#include <fontconfig/fontconfig.h>
#include <hb-ot.h>

#include "platform/gfx/Bitmap.h"
#include "platform/linux/LinuxServices.h"

namespace {

constexpr const char* FallbackFace = "League Spartan";
constexpr const char* DefaultFace = "Sans";

// Whether fontconfig knows a face of this family. Its family comparison ignores case and
// blanks, as the system's font mapper does with face names.
bool IsInstalled(const std::string& Family)
{
    if (Family.empty())
        return false;
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(Family.c_str()));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    const bool found = fonts && fonts->nfont > 0;
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    return found;
}

// Text as Pango takes it: valid UTF-8 without NUL bytes. Anything else becomes U+FFFD, so a
// stray byte shows as one replacement mark instead of ending or garbling the line.
std::string ValidUtf8(const std::string& Text)
{
    if (g_utf8_validate_len(Text.data(), Text.size(), nullptr))
        return Text;
    std::unique_ptr<gchar, decltype(&g_free)> valid(g_utf8_make_valid(Text.data(), Text.size()), g_free);
    return valid.get();
}

int32_t ClampedHeight(int32_t Height) { return std::clamp(Height, MinFontHeight, MaxFontHeight); }

// Grayscale smoothing with whole-pixel advances, as the system's own text output uses at small
// sizes; fixing the options here keeps the pixels the same whatever the desktop settings are.
cairo_font_options_t* TextRenderingOptions()
{
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    return options;
}

// cairo may set the unused top byte of RGB24 pixels it composites; bitmaps keep it zero so that
// pixel values compare as colours.
void ClearUnusedByte(TBitmap& Target, const TRect& Area)
{
    for (int32_t y = Area.Top; y < Area.Bottom; ++y) {
        TPixel* row = Target.Scanline(y);
        for (int32_t x = Area.Left; x < Area.Right; ++x)
            row[x] &= 0x00FFFFFFu;
    }
}

}   // namespace

TLinuxFontEngine::TLinuxFontEngine()
{
    FFontMap = pango_cairo_font_map_new();
    FContext = pango_font_map_create_context(FFontMap);
    cairo_font_options_t* options = TextRenderingOptions();
    pango_cairo_context_set_font_options(FContext, options);
    cairo_font_options_destroy(options);
    FLayout = pango_layout_new(FContext);
    // A label is one line: a line break in its text shows as a mark, as with the system's
    // TextOut, instead of starting a second line below the cell.
    pango_layout_set_single_paragraph_mode(FLayout, TRUE);
}

TLinuxFontEngine::~TLinuxFontEngine()
{
    for (auto& [key, face] : FFaces)
        pango_font_description_free(face.Description);
    g_object_unref(FLayout);
    g_object_unref(FContext);
    g_object_unref(FFontMap);
}

void TLinuxFontEngine::DrawText(TBitmap& Target, const TRect& Clip, int32_t X, int32_t Y, const std::string& Text,
                                const TFontSpec& Font)
{
    const TRect clip = Clip.Intersected(BitmapRect(Target));
    if (clip.IsEmpty() || Text.empty())
        return;
    std::lock_guard lock(FMutex);
    const TFace& face = FaceFor(Font);
    PangoLayout* layout = LayoutFor(Text, Font, face);
    // Pango puts the top of its own line box at the current point; the cell's top lies Ascent
    // above the baseline, so the layout moves by the difference.
    const int32_t top = int32_t(std::clamp<int64_t>(int64_t(Y) + face.Ascent - PANGO_PIXELS(pango_layout_get_baseline(layout)),
                                                    INT32_MIN, INT32_MAX));
    const TRect touched = InkBounds(layout, X, top).Intersected(clip);
    if (touched.IsEmpty())
        return;

    cairo_surface_t* surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(Target.Scanline(0)),
                                                                   CAIRO_FORMAT_RGB24, Target.Width(), Target.Height(),
                                                                   Target.Width() * int(sizeof(TPixel)));
    cairo_t* cr = cairo_create(surface);
    cairo_rectangle(cr, clip.Left, clip.Top, clip.Width(), clip.Height());
    cairo_clip(cr);
    const TPixel colour = ColorToPixel(Font.Color);
    cairo_set_source_rgb(cr, ((colour >> 16) & 0xFF) / 255.0, ((colour >> 8) & 0xFF) / 255.0, (colour & 0xFF) / 255.0);
    cairo_move_to(cr, X, top);
    pango_cairo_show_layout(cr, layout);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
    ClearUnusedByte(Target, touched);
}

// The advance width of the text, and the height of the face's line cell whatever the text
// holds, even when some characters come from another face with taller lines.
TSize TLinuxFontEngine::TextExtent(const std::string& Text, const TFontSpec& Font)
{
    std::lock_guard lock(FMutex);
    const TFace& face = FaceFor(Font);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(LayoutFor(Text, Font, face), nullptr, &logical);
    return {logical.width, face.Ascent + face.Descent};
}

// The shared layout, set up for this text and face. Underline and strike-out are attributes
// of the text rather than of the face, so they are set here.
PangoLayout* TLinuxFontEngine::LayoutFor(const std::string& Text, const TFontSpec& Font, const TFace& Face)
{
    const std::string text = ValidUtf8(Text);
    pango_layout_set_text(FLayout, text.data(), int(text.size()));
    pango_layout_set_font_description(FLayout, Face.Description);
    PangoAttrList* attributes = pango_attr_list_new();
    if (Font.Style & fsUnderline)
        pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (Font.Style & fsStrikeOut)
        pango_attr_list_insert(attributes, pango_attr_strikethrough_new(TRUE));
    pango_layout_set_attributes(FLayout, attributes);
    pango_attr_list_unref(attributes);
    return FLayout;
}

const TLinuxFontEngine::TFace& TLinuxFontEngine::FaceFor(const TFontSpec& Font)
{
    const uint8_t faceStyle = Font.Style & (fsBold | fsItalic);
    const int32_t height = ClampedHeight(Font.Height);
    const TFaceKey key{Font.Name, height, faceStyle};
    auto found = FFaces.find(key);
    if (found != FFaces.end())
        return found->second;

    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, FamilyFor(Font.Name).c_str());
    // An absolute size is in device units, which are the bitmap's pixels here: the em size.
    pango_font_description_set_absolute_size(description, double(height) * PANGO_SCALE);
    pango_font_description_set_weight(description, (faceStyle & fsBold) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
    pango_font_description_set_style(description, (faceStyle & fsItalic) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    return FFaces.emplace(key, CellOf(description, height)).first->second;
}

// The line cell as the system's text output measures it: from the font's clipping ascent and
// descent (the Windows metrics of its OS/2 table), each rounded to whole pixels. Pango's own
// line box comes from other metrics that are often much shorter, which would place text higher
// and make labels shorter than on the font's home system. Fonts without those metrics use
// Pango's.
TLinuxFontEngine::TFace TLinuxFontEngine::CellOf(PangoFontDescription* Description, int32_t Height)
{
    TFace face{Description};
    PangoFont* font = pango_font_map_load_font(FFontMap, FContext, Description);
    if (!font)
        return face;
    hb_font_t* shaper = pango_font_get_hb_font(font);
    hb_face_t* shape = shaper ? hb_font_get_face(shaper) : hb_face_get_empty();
    const unsigned unitsPerEm = hb_face_get_upem(shape);
    hb_font_t* unscaled = hb_font_create(shape);
    hb_font_set_scale(unscaled, int(unitsPerEm), int(unitsPerEm));
    hb_position_t ascent = 0, descent = 0;
    if (unitsPerEm > 0 && hb_ot_metrics_get_position(unscaled, HB_OT_METRICS_TAG_HORIZONTAL_CLIPPING_ASCENT, &ascent) &&
        hb_ot_metrics_get_position(unscaled, HB_OT_METRICS_TAG_HORIZONTAL_CLIPPING_DESCENT, &descent)) {
        face.Ascent = int32_t(std::lround(double(std::abs(ascent)) * Height / unitsPerEm));
        face.Descent = int32_t(std::lround(double(std::abs(descent)) * Height / unitsPerEm));
    } else {
        PangoFontMetrics* metrics = pango_font_get_metrics(font, nullptr);
        face.Ascent = PANGO_PIXELS(pango_font_metrics_get_ascent(metrics));
        face.Descent = PANGO_PIXELS(pango_font_metrics_get_descent(metrics));
        pango_font_metrics_unref(metrics);
    }
    hb_font_destroy(unscaled);
    g_object_unref(font);
    return face;
}

// The family to draw a face name with: the face itself when installed, else League Spartan
// (the open face closest to the program's label face), else the default sans face.
const std::string& TLinuxFontEngine::FamilyFor(const std::string& Name)
{
    auto found = FFamilies.find(Name);
    if (found != FFamilies.end())
        return found->second;
    std::string family = IsInstalled(Name) ? Name : IsInstalled(FallbackFace) ? FallbackFace : DefaultFace;
    return FFamilies.emplace(Name, std::move(family)).first->second;
}

// The pixels the layout may touch when drawn at (X, Y): its line cell and its ink, which leaves
// the cell with italic overhangs and some accents. Two pixels are added around for smoothing,
// which may reach a little beyond the ink Pango reports.
// Sums are taken in 64 bits and saturated so that far-off positions simply miss the clip.
TRect TLinuxFontEngine::InkBounds(PangoLayout* Layout, int32_t X, int32_t Y) const
{
    PangoRectangle ink, logical;
    pango_layout_get_pixel_extents(Layout, &ink, &logical);
    const auto at = [](int64_t origin, int64_t offset) {
        return int32_t(std::clamp<int64_t>(origin + offset, INT32_MIN, INT32_MAX));
    };
    const int32_t left = std::min(ink.x, logical.x) - 2;
    const int32_t top = std::min(ink.y, logical.y) - 2;
    const int32_t right = std::max(ink.x + ink.width, logical.x + logical.width) + 2;
    const int32_t bottom = std::max(ink.y + ink.height, logical.y + logical.height) + 2;
    return {at(X, left), at(Y, top), at(X, right), at(Y, bottom)};
}

IFontEngine* LinuxFontEngine()
{
    static TLinuxFontEngine engine;
    return &engine;
}
