#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What one start of the executable does; the system starts it with "/s", "/p HANDLE" or "/c".
enum class RunMode : uint8_t { Saver = 0, Preview = 1, Settings = 2 };

// The mode the first command-line argument asks for. Anything the system does not send runs
// the saver, which is the safe thing for a screen saver to do.
RunMode ModeFromArgument(std::string_view Argument);

// The mode of a whole argument list (the program path left out); only the first counts.
RunMode ModeFromArguments(const std::vector<std::string>& Arguments);
