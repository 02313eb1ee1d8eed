#pragma once
#include "platform/IProfileFiles.h"

// Profile files on disk, read with TProfileText and replaced atomically, so that a crash
// during a write leaves either the old file or the new one. Only absolute paths are served: a
// relative one would depend on the current directory, which the settings never do.
class TLinuxProfileFiles : public IProfileFiles {
public:
    std::string GetString(const std::string& Path, const std::string& Section, const std::string& Key,
                          const std::string& Default, size_t MaxChars) override;
    bool WriteString(const std::string& Path, const std::string& Section, const std::string& Key,
                     const std::string& Value) override;
};
