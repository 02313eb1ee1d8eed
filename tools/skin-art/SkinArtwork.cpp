#include "tools/skin-art/SkinArtwork.h"

#include <array>

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/Canvas.h"

namespace {

constexpr TColor Rgb(int r, int g, int b) { return static_cast<TColor>(r | (g << 8) | (b << 16)); }

// The palette: flat light greys with one calm blue accent, matching the frame's grey border
// (0x7F7F7F) and its face (0xE7E7E7).
constexpr TColor Key = Rgb(0xFF, 0x00, 0xFF);
constexpr TColor Edge = Rgb(0x9A, 0x9A, 0x9A);
constexpr TColor EdgeDisabled = Rgb(0xC4, 0xC4, 0xC4);
constexpr TColor Accent = Rgb(0x3A, 0x6E, 0xA5);
constexpr TColor AccentDark = Rgb(0x2B, 0x58, 0x8A);
constexpr TColor AccentLight = Rgb(0x7F, 0xA9, 0xD6);
constexpr TColor Glyph = Rgb(0x34, 0x46, 0x5A);
constexpr TColor GlyphDisabled = Rgb(0xA0, 0xA0, 0xA0);

struct TGradient {
    TColor Top;
    TColor Bottom;
};

int Channel(TColor c, int shift) { return (c >> shift) & 0xFF; }

TColor Mix(TColor a, TColor b, int Step, int Steps)
{
    if (Steps <= 1)
        return a;
    auto mix = [&](int shift) { return Channel(a, shift) + (Channel(b, shift) - Channel(a, shift)) * Step / (Steps - 1); };
    return Rgb(mix(0), mix(8), mix(16));
}

void Fill(TCanvas& c, const TRect& r, TColor Color)
{
    c.Brush().Style = bsSolid;
    c.Brush().Color = Color;
    c.FillRect(r);
}

// A vertical gradient over r, one row at a time.
void Gradient(TCanvas& c, const TRect& r, TGradient g)
{
    for (int32_t y = r.Top; y < r.Bottom; ++y)
        Fill(c, {r.Left, y, r.Right, y + 1}, Mix(g.Top, g.Bottom, y - r.Top, r.Height()));
}

void Outline(TCanvas& c, const TRect& r, TColor Color)
{
    Fill(c, {r.Left, r.Top, r.Right, r.Top + 1}, Color);
    Fill(c, {r.Left, r.Bottom - 1, r.Right, r.Bottom}, Color);
    Fill(c, {r.Left, r.Top, r.Left + 1, r.Bottom}, Color);
    Fill(c, {r.Right - 1, r.Top, r.Right, r.Bottom}, Color);
}

// Cuts the corner pixels of r as holes, so the box reads as slightly rounded.
void RoundCorners(TBitmap& p, const TRect& r, bool Bottom = true)
{
    const TPixel key = ColorToPixel(Key);
    p.SetPixel(r.Left, r.Top, key);
    p.SetPixel(r.Right - 1, r.Top, key);
    if (Bottom) {
        p.SetPixel(r.Left, r.Bottom - 1, key);
        p.SetPixel(r.Right - 1, r.Bottom - 1, key);
    }
}

void Start(TBitmap& p, int32_t Width, int32_t Height)
{
    p.SetSize(Width, Height);
    Fill(p.Canvas(), p.BoundsRect(), Key);
}

// A push-button face: an outline, a gradient inside and a light line under the top edge.
void ButtonFace(TBitmap& p, TColor Border, TGradient Inside, TColor Inner = clNone)
{
    Start(p, 12, 20);
    TCanvas& c = p.Canvas();
    const TRect all = p.BoundsRect();
    Gradient(c, all.Shrunk(1), Inside);
    Outline(c, all, Border);
    if (Inner != clNone)
        Outline(c, all.Shrunk(1), Inner);
    RoundCorners(p, all);
}

void RadioMark(TBitmap& p, TColor Border, TColor Inside, TColor Dot)
{
    Start(p, 13, 13);
    TCanvas& c = p.Canvas();
    c.Pen().Color = Border;
    c.Brush().Color = Inside;
    c.Brush().Style = bsSolid;
    c.Ellipse({0, 0, 13, 13});
    if (Dot != clNone) {
        c.Pen().Color = Dot;
        c.Brush().Color = Dot;
        c.Ellipse({4, 4, 9, 9});
    }
}

// A tab: rounded at the top, open at the bottom when it is the active one.
void Tab(TBitmap& p, TGradient Inside, TColor TopLine, bool Active)
{
    Start(p, 20, 24);
    TCanvas& c = p.Canvas();
    const TRect all = p.BoundsRect();
    Gradient(c, {1, 1, 19, 24}, Inside);
    Fill(c, {0, 0, 20, 1}, Edge);
    Fill(c, {0, 0, 1, 24}, Edge);
    Fill(c, {19, 0, 20, 24}, Edge);
    if (TopLine != clNone)
        Fill(c, {1, 1, 19, 3}, TopLine);
    if (!Active)
        Fill(c, {0, 23, 20, 24}, Edge);
    RoundCorners(p, all, false);
}

void TitleButton(TBitmap& p, TColor Inside)
{
    Start(p, 24, 18);
    Fill(p.Canvas(), p.BoundsRect(), Inside);
    RoundCorners(p, p.BoundsRect());
}

void GlyphPicture(TBitmap& p, TSkinPiece Piece, TColor Color)
{
    Start(p, 10, 10);
    TCanvas& c = p.Canvas();
    switch (Piece) {
    case TSkinPiece::GlyphMinimize:
        Fill(c, {1, 7, 9, 9}, Color);
        break;
    case TSkinPiece::GlyphMaximize:
        Outline(c, {1, 1, 9, 9}, Color);
        Fill(c, {1, 2, 9, 3}, Color);
        break;
    default:
        // Two strokes two pixels wide from corner to corner.
        for (int32_t i = 0; i < 8; ++i) {
            Fill(c, {1 + i, 1 + i, 3 + i, 2 + i}, Color);
            Fill(c, {7 - i, 1 + i, 9 - i, 2 + i}, Color);
        }
    }
}

void DropArrow(TBitmap& p, TColor Color)
{
    Start(p, 7, 4);
    for (int32_t row = 0; row < 4; ++row)
        Fill(p.Canvas(), {row, row, 7 - row, row + 1}, Color);
}

// The program's small icon: a dark round face with a ring of green LED dots and two hands.
void FormIcon(TBitmap& p)
{
    Start(p, 16, 16);
    TCanvas& c = p.Canvas();
    c.Pen().Color = Rgb(0x1B, 0x25, 0x30);
    c.Brush().Color = Rgb(0x22, 0x2E, 0x3A);
    c.Brush().Style = bsSolid;
    c.Ellipse({0, 0, 16, 16});
    const TColor led = Rgb(0x3C, 0xE0, 0x5A);
    const TPoint dots[] = {{7, 2}, {11, 3}, {13, 7}, {11, 11}, {7, 13}, {3, 11}, {2, 7}, {3, 3}};
    for (TPoint d : dots)
        Fill(c, {d.X, d.Y, d.X + 2, d.Y + 2}, led);
    Fill(c, {7, 5, 9, 9}, led);
    Fill(c, {9, 7, 11, 9}, led);
}

}  // namespace

const char* SkinArtworkName(TSkinPiece Piece)
{
    static const std::array<const char*, SkinPieceCount> names = {
        "ButtonNormal", "ButtonHot", "ButtonPressed", "ButtonFocused", "ButtonDisabled",
        "RadioOff", "RadioOn", "RadioOffHot", "RadioOnHot", "RadioOffDisabled", "RadioOnDisabled",
        "TabActive", "TabInactive", "TabHot", "TitleBar", "TitleButtonHot", "TitleButtonPressed",
        "CloseButtonHot", "CloseButtonPressed", "GlyphMinimize", "GlyphMaximize", "GlyphClose",
        "GlyphCloseLight", "PanelCaption", "DropArrow", "DropArrowDisabled", "FormIcon",
    };
    return names[static_cast<size_t>(Piece)];
}

void DrawSkinArtwork(TSkinPiece Piece, TBitmap& p, TRect& Margins)
{
    Margins = {};
    const TColor white = Rgb(0xFF, 0xFF, 0xFF);
    switch (Piece) {
    case TSkinPiece::ButtonNormal:
        ButtonFace(p, Edge, {Rgb(0xFB, 0xFB, 0xFB), Rgb(0xE4, 0xE4, 0xE4)});
        break;
    case TSkinPiece::ButtonHot:
        ButtonFace(p, AccentLight, {Rgb(0xF4, 0xF8, 0xFD), Rgb(0xDA, 0xE7, 0xF5)});
        break;
    case TSkinPiece::ButtonPressed:
        ButtonFace(p, Accent, {Rgb(0xC6, 0xD9, 0xEE), Rgb(0xDC, 0xE8, 0xF5)});
        break;
    case TSkinPiece::ButtonFocused:
        ButtonFace(p, Accent, {Rgb(0xFB, 0xFB, 0xFB), Rgb(0xE4, 0xE4, 0xE4)}, Rgb(0xC9, 0xDC, 0xF0));
        break;
    case TSkinPiece::ButtonDisabled:
        ButtonFace(p, EdgeDisabled, {Rgb(0xF2, 0xF2, 0xF2), Rgb(0xF2, 0xF2, 0xF2)});
        break;
    case TSkinPiece::RadioOff:
        RadioMark(p, Rgb(0x80, 0x80, 0x80), white, clNone);
        break;
    case TSkinPiece::RadioOn:
        RadioMark(p, Rgb(0x80, 0x80, 0x80), white, Accent);
        break;
    case TSkinPiece::RadioOffHot:
        RadioMark(p, Accent, Rgb(0xEE, 0xF4, 0xFB), clNone);
        break;
    case TSkinPiece::RadioOnHot:
        RadioMark(p, Accent, Rgb(0xEE, 0xF4, 0xFB), AccentDark);
        break;
    case TSkinPiece::RadioOffDisabled:
        RadioMark(p, EdgeDisabled, Rgb(0xF2, 0xF2, 0xF2), clNone);
        break;
    case TSkinPiece::RadioOnDisabled:
        RadioMark(p, EdgeDisabled, Rgb(0xF2, 0xF2, 0xF2), GlyphDisabled);
        break;
    case TSkinPiece::TabActive:
        // The inside is a hole: the page control fills it with the active page's colour.
        Tab(p, {Key, Key}, Accent, true);
        Margins = {4, 4, 4, 1};
        return;
    case TSkinPiece::TabInactive:
        Tab(p, {Rgb(0xF3, 0xF3, 0xF3), Rgb(0xD9, 0xD9, 0xD9)}, clNone, false);
        Margins = {4, 4, 4, 1};
        return;
    case TSkinPiece::TabHot:
        Tab(p, {Rgb(0xFA, 0xFC, 0xFE), Rgb(0xDE, 0xE8, 0xF3)}, AccentLight, false);
        Margins = {4, 4, 4, 1};
        return;
    case TSkinPiece::TitleBar:
        Start(p, 4, 26);
        Gradient(p.Canvas(), {0, 0, 4, 25}, {Rgb(0xF8, 0xFA, 0xFC), Rgb(0xDB, 0xE2, 0xEB)});
        Fill(p.Canvas(), {0, 25, 4, 26}, Rgb(0xB8, 0xC3, 0xCF));
        return;
    case TSkinPiece::TitleButtonHot:
        TitleButton(p, Rgb(0xC9, 0xD6, 0xE5));
        break;
    case TSkinPiece::TitleButtonPressed:
        TitleButton(p, Rgb(0xAE, 0xC1, 0xD6));
        break;
    case TSkinPiece::CloseButtonHot:
        TitleButton(p, Rgb(0xD9, 0x3F, 0x3F));
        break;
    case TSkinPiece::CloseButtonPressed:
        TitleButton(p, Rgb(0xA8, 0x2B, 0x2B));
        break;
    case TSkinPiece::GlyphMinimize:
    case TSkinPiece::GlyphMaximize:
    case TSkinPiece::GlyphClose:
        GlyphPicture(p, Piece, Glyph);
        break;
    case TSkinPiece::GlyphCloseLight:
        GlyphPicture(p, TSkinPiece::GlyphClose, white);
        break;
    case TSkinPiece::PanelCaption:
        Start(p, 4, 20);
        Gradient(p.Canvas(), {0, 0, 4, 19}, {Rgb(0x66, 0x97, 0xCB), Accent});
        Fill(p.Canvas(), {0, 19, 4, 20}, AccentDark);
        return;
    case TSkinPiece::DropArrow:
        DropArrow(p, Glyph);
        break;
    case TSkinPiece::DropArrowDisabled:
        DropArrow(p, GlyphDisabled);
        break;
    case TSkinPiece::FormIcon:
        FormIcon(p);
        break;
    case TSkinPiece::Count:
        break;
    }
    if (Piece <= TSkinPiece::ButtonDisabled)
        Margins = {3, 3, 3, 3};
}
