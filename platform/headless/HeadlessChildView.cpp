#include "platform/headless/HeadlessChildView.h"

void THeadlessChildView::SetBounds(const TRect& Area)
{
    if (Area == FBounds)
        return;
    FBounds = Area;
    ++FBoundsChanges;
}
