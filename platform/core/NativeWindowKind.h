#pragma once
#include "platform/INativeWindows.h"

// The window a backend makes for Params: the kind and full-screen flag as the framework said
// them, with the older Border, TitleBar and MessageOnly fields read the same way where the
// framework did not say a kind of its own. The result is consistent: Kind decides, and the
// older fields agree with it.
TNativeWindowParams ResolvedWindowParams(const TNativeWindowParams& Params);
