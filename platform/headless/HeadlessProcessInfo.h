#pragma once
#include <string>

#include "platform/IProcessInfo.h"

// An executable that lies wherever the test says. The directory is the path up to and
// including its last "/" or "\"; a path without one has no directory.
class THeadlessProcessInfo : public IProcessInfo {
public:
    explicit THeadlessProcessInfo(std::string ExecutablePath = "/headless/bin/quorvel") : FPath(std::move(ExecutablePath)) {}

    std::string ExecutablePath() const override { return FPath; }
    std::string ExecutableDirectory() const override;

    void SetExecutablePath(const std::string& Path) { FPath = Path; }

private:
    std::string FPath;
};
