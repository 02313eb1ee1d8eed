#pragma once
#include <string>
#include <vector>

// The program's command-line arguments (the program path left out), as the entry point hands
// them over before it creates a window; the preview reads its host from them.
std::vector<std::string>& ProgramArguments();

// Argument Index counted from 1, as a command line numbers them; empty when there is none.
std::string ParamStr(size_t Index);
