#include "platform/linux/LinuxKeyStore.h"

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <vector>

#include "platform/linux/LinuxFiles.h"
#include "platform/linux/RegFileText.h"
#include "platform/linux/SettingsText.h"

namespace fs = std::filesystem;

namespace {

// The rights that change a key: setting a value or creating a subkey.
constexpr uint32_t WriteRights = 0x0002 | 0x0004;

// The "\"-separated parts of a key path; nothing when a part is empty or could name something
// outside the store ("." and ".." or a "/").
std::optional<std::vector<std::string>> PathParts(const std::string& Path)
{
    std::vector<std::string> parts;
    size_t begin = 0;
    for (;;) {
        const size_t end = Path.find('\\', begin);
        std::string part = Path.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
        if (part.empty() || part == "." || part == ".." || part.find_first_of(std::string("/\0", 2)) != std::string::npos)
            return std::nullopt;
        parts.push_back(std::move(part));
        if (end == std::string::npos)
            return parts;
        begin = end + 1;
    }
}

// The entry of Folder named Name: the exact spelling when it is there, else one that differs
// only in case, else the exact spelling (for an entry still to be created).
fs::path EntryNamed(const fs::path& Folder, const std::string& Name)
{
    std::error_code error;
    if (fs::symlink_status(Folder / Name, error).type() != fs::file_type::not_found)
        return Folder / Name;
    for (fs::directory_iterator it(Folder, error), end; !error && it != end; it.increment(error))
        if (SameName(it->path().filename().string(), Name))
            return it->path();
    return Folder / Name;
}

bool Exists(const fs::path& Path)
{
    std::error_code error;
    return fs::symlink_status(Path, error).type() != fs::file_type::not_found;
}

class TLinuxKey : public IRegistryKey {
public:
    TLinuxKey(std::string File, std::string Name, bool MayWrite)
        : FFile(std::move(File)), FName(std::move(Name)), FMayWrite(MayWrite) {}

    RegQueryResult QueryValue(const std::string& Name, void* Buffer, uint32_t BufferSize) override
    {
        const FileReadResult file = ReadWholeFile(FFile, MaxSettingsFileBytes);
        if (file.Status != FileReadStatus::Ok)
            return {};
        const auto value = TRegFileText(file.Bytes).Find(Name);
        if (!value)
            return {};
        RegQueryResult result{false, value->Type, static_cast<uint32_t>(value->Data.size())};
        if (value->Data.size() > BufferSize)
            return result;
        std::copy(value->Data.begin(), value->Data.end(), static_cast<char*>(Buffer));
        result.Ok = true;
        return result;
    }

    bool SetValue(const std::string& Name, RegValueType Type, const void* Data, uint32_t Size) override
    {
        if (!FMayWrite)
            return false;
        // A key with subkeys only has no file yet.
        const FileReadResult file = ReadWholeFile(FFile, MaxSettingsFileBytes);
        if (file.Status == FileReadStatus::Unreadable)
            return false;
        TRegFileText text(file.Status == FileReadStatus::Ok ? file.Bytes : TRegFileText::EmptyKey(FName));
        const auto* bytes = static_cast<const char*>(Data);
        text.Set(Name, {Type, std::string(bytes, bytes + Size)});
        return ReplaceFileAtomically(FFile, text.Text());
    }

private:
    std::string FFile;
    std::string FName;
    bool FMayWrite;
};

}  // namespace

TLinuxKeyStore::TLinuxKeyStore(std::string LocalMachineFolder, std::string CurrentUserFolder)
    : FLocalMachine(std::move(LocalMachineFolder)), FCurrentUser(std::move(CurrentUserFolder))
{
}

std::unique_ptr<IRegistryKey> TLinuxKeyStore::OpenKey(RegRoot Root, const std::string& Path, uint32_t Access, bool Create)
{
    const std::string& rootFolder = Root == RegRoot::LocalMachine ? FLocalMachine : FCurrentUser;
    const auto parts = PathParts(Path);
    if (rootFolder.empty() || !parts)
        return nullptr;
    fs::path folder = rootFolder;
    for (size_t i = 0; i + 1 < parts->size(); ++i)
        folder = EntryNamed(folder, (*parts)[i]);
    const fs::path file = EntryNamed(folder, parts->back() + ".reg");
    const fs::path subkeys = EntryNamed(folder, parts->back());
    const std::string rootName = Root == RegRoot::LocalMachine ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\";
    const bool wantsWrite = Create || (Access & WriteRights) != 0;

    if (!Exists(file) && !Exists(subkeys)) {
        if (!Create)
            return nullptr;
        std::error_code error;
        fs::create_directories(folder, error);
        if (error || !ReplaceFileAtomically(file.string(), TRegFileText::EmptyKey(rootName + Path)))
            return nullptr;
    }
    if (Exists(file) && ::access(file.c_str(), R_OK) != 0)
        return nullptr;
    if (!Exists(file) && ::access(subkeys.c_str(), R_OK | X_OK) != 0)
        return nullptr;
    if (wantsWrite && ::access(folder.c_str(), W_OK | X_OK) != 0)
        return nullptr;
    return std::make_unique<TLinuxKey>(file.string(), rootName + Path, (Access & WriteRights) != 0);
}
