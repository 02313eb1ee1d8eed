#pragma once
#include "platform/IProcessInfo.h"

// The running executable as the kernel names it (the link /proc/self/exe), so the answer does
// not depend on the current directory or on how the program was started.
class TLinuxProcessInfo : public IProcessInfo {
public:
    std::string ExecutablePath() const override;
    std::string ExecutableDirectory() const override;
};
