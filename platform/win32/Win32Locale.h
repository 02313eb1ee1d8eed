#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ILocale.h"

// The date conventions of the Windows locale Lcid (LOCALE_USER_DEFAULT for the user's own).
std::unique_ptr<ILocale> Win32LocaleFor(uint32_t Lcid);

// The short date pattern of ILocale for a Windows date picture such as "dd.MM.yyyy".
std::string Win32ShortDatePattern(std::string_view Picture);
