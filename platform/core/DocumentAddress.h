#pragma once
#include <string>

// Whether the desktop may be asked to open Address: its scheme is http, https, mailto or file
// (in any case), something follows the scheme, and no character of it is a control character.
// Anything else (another scheme, a bare path, a program's name) is refused, so an address
// never starts a program of its own choosing.
bool IsOpenableAddress(const std::string& Address);
