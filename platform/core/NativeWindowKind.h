#pragma once
#include "platform/INativeWindows.h"

// The window a backend makes for Params: the kind and full-screen flag as the framework said
// them, with the older Border, TitleBar and MessageOnly fields read the same way where the
// framework did not say a kind of its own. The result is consistent: Kind decides, and the
// older fields agree with it.
//
// Screen is the primary screen's rectangle, needed only by LegacyFullScreenGuess.
TNativeWindowParams ResolvedWindowParams(const TNativeWindowParams& Params, const TRect& Screen);

// TEMPORARY: a frameless window that covers the screen is taken to be the full-screen saver
// while the framework does not yet set FullScreen itself. Remove the one call in
// ResolvedWindowParams once it does.
bool LegacyFullScreenGuess(const TNativeWindowParams& Params, const TRect& Screen);
