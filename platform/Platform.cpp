#include "platform/Platform.h"

Platform& CurrentPlatform()
{
    static Platform current = BackendPlatform();
    return current;
}
