#include "platform/core/Rect.h"

std::ostream& operator<<(std::ostream& os, const TPoint& p)
{
    return os << '(' << p.X << ',' << p.Y << ')';
}

std::ostream& operator<<(std::ostream& os, const TRect& r)
{
    return os << '(' << r.Left << ',' << r.Top << ")-(" << r.Right << ',' << r.Bottom << ')';
}
