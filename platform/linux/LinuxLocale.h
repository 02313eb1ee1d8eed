#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "platform/ILocale.h"

// The date conventions of the C library locale Name (for example "de_DE.UTF-8"; "" is the
// user's LC_TIME from the environment); nullptr when that locale is not installed.
std::unique_ptr<ILocale> LinuxLocaleNamed(const std::string& Name);

// The short date pattern of ILocale for a strftime date format such as "%d.%m.%Y".
std::string LinuxShortDatePattern(std::string_view StrftimeFormat);
