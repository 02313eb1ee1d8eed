#include "saver/SaverSettings.h"

TSaverSettings& SaverSettings()
{
    static TSaverSettings settings;
    return settings;
}
