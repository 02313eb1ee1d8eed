#include "platform/headless/HeadlessHostEnvironment.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

std::string Upper(std::string Text)
{
    for (char& c : Text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return Text;
}

}  // namespace

THeadlessHostEnvironment::THeadlessHostEnvironment()
{
    TDrive c;
    c.Space = {int64_t{100} << 30, int64_t{40} << 30};
    c.Clusters = {8, 512};
    FDrives["C:\\"] = c;
}

std::vector<std::string> THeadlessHostEnvironment::EnvironmentBlock() const
{
    std::vector<std::string> block;
    for (const auto& [name, value] : FVariables)
        block.push_back(name + "=" + value);
    return block;
}

// Names compare without regard to case, as the system's do; a name that is not defined stays
// as written, percent signs and all.
std::string THeadlessHostEnvironment::ExpandEnvironment(const std::string& Text) const
{
    std::string out;
    size_t pos = 0;
    while (pos < Text.size()) {
        const size_t open = Text.find('%', pos);
        const size_t close = open == std::string::npos ? std::string::npos : Text.find('%', open + 1);
        if (close == std::string::npos) {
            out += Text.substr(pos);
            break;
        }
        out += Text.substr(pos, open - pos);
        const std::string name = Upper(Text.substr(open + 1, close - open - 1));
        const auto found = std::find_if(FVariables.begin(), FVariables.end(), [&](const auto& v) { return Upper(v.first) == name; });
        if (found != FVariables.end()) {
            out += found->second;
            pos = close + 1;
        } else {
            out += Text.substr(open, close - open);
            pos = close;
        }
    }
    return out;
}

bool THeadlessHostEnvironment::SetVariable(const std::string& Name, const std::string& Value)
{
    if (Name.empty() || Name.find('=') != std::string::npos)
        return false;
    const auto found = std::find_if(FVariables.begin(), FVariables.end(), [&](const auto& v) { return Upper(v.first) == Upper(Name); });
    if (found != FVariables.end())
        found->second = Value;
    else
        FVariables.emplace_back(Name, Value);
    return true;
}

std::optional<std::string> THeadlessHostEnvironment::CreateTempFile(const std::string& Folder, const std::string& Prefix)
{
    if (FTempFilesFail || Folder.empty())
        return std::nullopt;
    char unique[16];
    std::snprintf(unique, sizeof unique, "%X.tmp", static_cast<unsigned>(FTempFiles.size() + 1));
    FTempFiles.push_back(Folder + Prefix + unique);
    return FTempFiles.back();
}

std::string THeadlessHostEnvironment::LogicalDriveStrings(uint32_t Limit) const
{
    std::string list;
    for (const auto& drive : FDrives) {
        list += drive.first;
        list += '\0';
    }
    list += '\0';
    return list.size() > Limit ? std::string() : list;
}

std::string THeadlessHostEnvironment::DriveRootOf(const std::string& Path) const { return Upper(Path.substr(0, 3)); }

uint32_t THeadlessHostEnvironment::DriveType(const std::string& Root) const
{
    const auto found = FDrives.find(Root);
    return found == FDrives.end() ? DRIVE_TYPE_NO_ROOT_DIR : found->second.Type;
}

std::optional<TDiskSpace> THeadlessHostEnvironment::DiskSpace(const std::string& Root) const
{
    const auto found = FDrives.find(Root);
    if (found == FDrives.end() || !found->second.SpaceKnown)
        return std::nullopt;
    return found->second.Space;
}

std::optional<TClusterFigures> THeadlessHostEnvironment::ClusterFigures(const std::string& Root) const
{
    const auto found = FDrives.find(Root);
    if (found == FDrives.end() || !found->second.SpaceKnown)
        return std::nullopt;
    return found->second.Clusters;
}
