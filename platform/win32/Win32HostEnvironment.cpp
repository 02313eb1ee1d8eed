#include <windows.h>

#include <cwctype>

#include "platform/IHostEnvironment.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Services.h"

namespace {

// The process environment, its current directory, temporary files and the drive letters,
// through the system's wide calls; texts are handed on as UTF-8.
class TWin32HostEnvironment : public IHostEnvironment {
public:
    std::vector<std::string> EnvironmentBlock() const override
    {
        std::vector<std::string> block;
        wchar_t* strings = GetEnvironmentStringsW();
        if (!strings)
            return block;
        for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1)
            block.push_back(Narrow(entry));
        FreeEnvironmentStringsW(strings);
        return block;
    }

    // The buffer grows until the expansion fits, however long it is.
    std::string ExpandEnvironment(const std::string& Text) const override
    {
        const std::wstring text = Widen(Text);
        std::wstring buffer(256, L'\0');
        for (;;) {
            const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
            if (needed == 0)
                return {};
            if (needed <= buffer.size())
                return Narrow(std::wstring(buffer.c_str()));
            buffer.assign(needed, L'\0');
        }
    }

    bool SetVariable(const std::string& Name, const std::string& Value) override
    {
        return !Name.empty() && SetEnvironmentVariableW(Widen(Name).c_str(), Widen(Value).c_str()) != 0;
    }

    std::string CurrentDirectory() const override
    {
        const DWORD needed = GetCurrentDirectoryW(0, nullptr);
        if (needed == 0)
            return {};
        std::wstring buffer(needed, L'\0');
        const DWORD length = GetCurrentDirectoryW(needed, buffer.data());
        return length > 0 && length < needed ? Narrow(buffer.substr(0, length)) : std::string();
    }

    std::optional<std::string> CreateTempFile(const std::string& Folder, const std::string& Prefix) override
    {
        wchar_t name[MAX_PATH + 1] = {};
        if (Folder.empty() || GetTempFileNameW(Widen(Folder).c_str(), Widen(Prefix).c_str(), 0, name) == 0)
            return std::nullopt;
        return Narrow(name);
    }

    std::string LogicalDriveStrings(uint32_t Limit) const override
    {
        std::wstring buffer(Limit + 1, L'\0');
        const DWORD length = GetLogicalDriveStringsW(Limit, buffer.data());
        if (length == 0 || length > Limit)
            return {};
        buffer.resize(length + 1);
        std::string list;
        for (wchar_t c : buffer)
            list += c == 0 ? '\0' : static_cast<char>(c < 0x80 ? c : '?');
        return list;
    }

    // The drive letter's root: the first three characters, upper-cased.
    std::string DriveRootOf(const std::string& Path) const override
    {
        std::string root = Path.substr(0, 3);
        for (char& c : root)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        return root;
    }

    uint32_t DriveType(const std::string& Root) const override { return GetDriveTypeW(Widen(Root).c_str()); }

    std::optional<TDiskSpace> DiskSpace(const std::string& Root) const override
    {
        ULARGE_INTEGER available{}, total{}, free{};
        if (Root.empty() || !GetDiskFreeSpaceExW(Widen(Root).c_str(), &available, &total, &free))
            return std::nullopt;
        return TDiskSpace{static_cast<int64_t>(total.QuadPart), static_cast<int64_t>(available.QuadPart)};
    }

    std::optional<TClusterFigures> ClusterFigures(const std::string& Root) const override
    {
        DWORD sectors = 0, bytes = 0, freeClusters = 0, clusters = 0;
        if (Root.empty() || !GetDiskFreeSpaceW(Widen(Root).c_str(), &sectors, &bytes, &freeClusters, &clusters))
            return std::nullopt;
        return TClusterFigures{sectors, bytes};
    }
};

}  // namespace

IHostEnvironment* Win32HostEnvironment()
{
    static TWin32HostEnvironment environment;
    return &environment;
}
