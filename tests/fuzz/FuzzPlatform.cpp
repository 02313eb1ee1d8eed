#include "platform/Platform.h"

// The fuzz targets exercise pure parsers: no service of the machine is there, so any code that
// reached for one would find null and fail loudly under the sanitizers.
Platform BackendPlatform() { return {}; }

Platform BackendTimingServices() { return {}; }
