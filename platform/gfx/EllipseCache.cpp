#include "platform/gfx/EllipseCache.h"

const std::vector<TEllipseSpan>& TEllipseCache::Spans(int64_t Width, int64_t Height, int64_t PenWidth)
{
    for (const TEntry& entry : FEntries)
        if (entry.Width == Width && entry.Height == Height && entry.PenWidth == PenWidth)
            return entry.Rows;
    // The entries are replaced in turn, so a picture that alternates between a few sizes keeps
    // all of them.
    TEntry& entry = FEntries[FNextToReplace];
    FNextToReplace = (FNextToReplace + 1) % EntryCount;
    EllipseSpans(Width, Height, PenWidth, entry.Rows);
    entry.Width = Width;
    entry.Height = Height;
    entry.PenWidth = PenWidth;
    return entry.Rows;
}
