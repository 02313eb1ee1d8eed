#include <windows.h>

#include <vector>

#include "platform/IProcessInfo.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Services.h"

namespace {

// The running executable as the system loaded it, independent of the current directory.
class TWin32ProcessInfo : public IProcessInfo {
public:
    std::string ExecutablePath() const override
    {
        // The path may be longer than MAX_PATH; a full buffer means it was cut, so grow it.
        for (DWORD size = MAX_PATH; size <= 32768 * 2; size *= 2) {
            std::vector<wchar_t> buffer(size);
            const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
            if (length == 0)
                return {};
            if (length < size)
                return Narrow(std::wstring(buffer.data(), length));
        }
        return {};
    }

    std::string ExecutableDirectory() const override
    {
        const std::string path = ExecutablePath();
        const size_t separator = path.find_last_of("\\/");
        return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
    }
};

}  // namespace

IProcessInfo* Win32ProcessInfo()
{
    static TWin32ProcessInfo process;
    return &process;
}
