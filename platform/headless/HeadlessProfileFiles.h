#pragma once
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/IProfileFiles.h"

// Profile files kept in memory: each path holds sections of keys, compared without regard to
// case. The test fills in values, reads back what the code wrote and can make every write
// fail, as a folder without write access would. A value is returned exactly as it was set.
class THeadlessProfileFiles : public IProfileFiles {
public:
    std::string GetString(const std::string& Path, const std::string& Section, const std::string& Key,
                          const std::string& Default, size_t MaxChars) override;
    bool WriteString(const std::string& Path, const std::string& Section, const std::string& Key,
                     const std::string& Value) override;

    // Scripting and inspection.
    void SetString(const std::string& Path, const std::string& Section, const std::string& Key, const std::string& Value);
    std::optional<std::string> String(const std::string& Path, const std::string& Section, const std::string& Key) const;
    bool HasFile(const std::string& Path) const { return FFiles.count(Path) != 0; }
    void RemoveFile(const std::string& Path) { FFiles.erase(Path); }
    void SetWritable(bool Writable) { FWritable = Writable; }
    // Every path asked for, in order, reads and writes alike.
    const std::vector<std::string>& PathsUsed() const { return FPathsUsed; }

private:
    using Keys = std::map<std::string, std::string>;   // lower-case key -> value
    using Sections = std::map<std::string, Keys>;     // lower-case section -> keys

    std::map<std::string, Sections> FFiles;
    std::vector<std::string> FPathsUsed;
    bool FWritable = true;
};
