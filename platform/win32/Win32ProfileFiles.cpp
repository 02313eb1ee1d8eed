#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/IProfileFiles.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Services.h"

namespace {

// A drive path ("C:\..." or "C:/...") or a network path ("\\server\..."). The system would
// look for any other path in its own folder, which the settings never mean.
bool IsAbsolute(const std::string& Path)
{
    const auto slash = [](char c) { return c == '\\' || c == '/'; };
    if (Path.size() >= 3 && Path[1] == ':' && slash(Path[2]))
        return true;
    return Path.size() >= 2 && slash(Path[0]) && slash(Path[1]);
}

// The system's private-profile functions, with UTF-8 converted at the boundary.
class TWin32ProfileFiles : public IProfileFiles {
public:
    std::string GetString(const std::string& Path, const std::string& Section, const std::string& Key,
                          const std::string& Default, size_t MaxChars) override
    {
        if (!IsAbsolute(Path))
            return Default.substr(0, MaxChars);
        // The system reads no value longer than its 16-bit counts allow.
        std::vector<wchar_t> buffer(std::min<size_t>(MaxChars, 65534) + 1);
        const DWORD length = GetPrivateProfileStringW(Widen(Section).c_str(), Widen(Key).c_str(), Widen(Default).c_str(),
                                                      buffer.data(), static_cast<DWORD>(buffer.size()),
                                                      Widen(Path).c_str());
        return Narrow(std::wstring(buffer.data(), length));
    }

    bool WriteString(const std::string& Path, const std::string& Section, const std::string& Key,
                     const std::string& Value) override
    {
        if (!IsAbsolute(Path))
            return false;
        return WritePrivateProfileStringW(Widen(Section).c_str(), Widen(Key).c_str(), Widen(Value).c_str(),
                                          Widen(Path).c_str()) != 0;
    }
};

}  // namespace

IProfileFiles* Win32ProfileFiles()
{
    static TWin32ProfileFiles files;
    return &files;
}
