#include "config/DialogSettings.h"

TDialogSettings& DialogSettings()
{
    static TDialogSettings settings;
    return settings;
}
