#include "config/ProgramArguments.h"

std::vector<std::string>& ProgramArguments()
{
    static std::vector<std::string> arguments;
    return arguments;
}

std::string ParamStr(size_t Index)
{
    const std::vector<std::string>& a = ProgramArguments();
    return Index >= 1 && Index <= a.size() ? a[Index - 1] : std::string();
}
