#pragma once
#include <string>

// Conversions between the program's UTF-8 text and the UTF-16 text of the system's wide
// functions. Invalid sequences become the replacement character rather than being dropped.
std::wstring Widen(const std::string& Text);
std::string Narrow(const std::wstring& Text);
