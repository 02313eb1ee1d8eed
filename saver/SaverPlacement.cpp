#include "saver/SaverPlacement.h"

TSaverPlacement& SaverPlacement()
{
    static TSaverPlacement placement;
    return placement;
}
