#pragma once
#include <string>

// Facts about the running executable.
class IProcessInfo {
public:
    virtual ~IProcessInfo() = default;
    // The full path of the executable file (UTF-8); empty when the system cannot tell it.
    virtual std::string ExecutablePath() const = 0;
    // The directory of the executable, ending with the path separator; empty when the system
    // cannot tell it.
    virtual std::string ExecutableDirectory() const = 0;
};
