#include "widgets/TVrGraphicControl.h"

#include <limits>

TVrGraphicControl::TVrGraphicControl(TComponent* Owner) : TControl(Owner) {}

void TVrGraphicControl::EndUpdate()
{
    // The count may go below 0, but never wraps round to a positive value.
    if (FUpdateCount > std::numeric_limits<int32_t>::min())
        --FUpdateCount;
    UpdateControlCanvas();
}

void TVrGraphicControl::UpdateControlCanvas()
{
    if (!Loading() && FUpdateCount == 0)
        Repaint();
}

void TVrGraphicControl::UpdateControlBounds()
{
    if (Loading())
        return;
    AdjustControlSize();
    UpdateControlCanvas();
}
