#include "platform/headless/HeadlessProfileFiles.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Lower(std::string Text)
{
    std::transform(Text.begin(), Text.end(), Text.begin(), [](unsigned char c) { return std::tolower(c); });
    return Text;
}

}  // namespace

std::string THeadlessProfileFiles::GetString(const std::string& Path, const std::string& Section,
                                             const std::string& Key, const std::string& Default, size_t MaxChars)
{
    FPathsUsed.push_back(Path);
    const std::optional<std::string> value = String(Path, Section, Key);
    return value.value_or(Default).substr(0, MaxChars);
}

bool THeadlessProfileFiles::WriteString(const std::string& Path, const std::string& Section,
                                        const std::string& Key, const std::string& Value)
{
    FPathsUsed.push_back(Path);
    if (!FWritable)
        return false;
    SetString(Path, Section, Key, Value);
    return true;
}

void THeadlessProfileFiles::SetString(const std::string& Path, const std::string& Section, const std::string& Key,
                                      const std::string& Value)
{
    FFiles[Path][Lower(Section)][Lower(Key)] = Value;
}

std::optional<std::string> THeadlessProfileFiles::String(const std::string& Path, const std::string& Section,
                                                         const std::string& Key) const
{
    const auto file = FFiles.find(Path);
    if (file == FFiles.end())
        return std::nullopt;
    const auto section = file->second.find(Lower(Section));
    if (section == file->second.end())
        return std::nullopt;
    const auto key = section->second.find(Lower(Key));
    if (key == section->second.end())
        return std::nullopt;
    return key->second;
}
