#include "platform/Platform.h"

Platform BackendPlatform()
{
    return Platform{};
}
