#pragma once
#include <string>

// Facts about the running executable.
class IProcessInfo {
public:
    virtual ~IProcessInfo() = default;
    // The full path of the executable file (UTF-8).
    virtual std::string ExecutablePath() const = 0;
    // The directory of the executable, ending with the path separator.
    virtual std::string ExecutableDirectory() const = 0;
};
