#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/IShell.h"
#include "platform/core/DocumentAddress.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/WideText.h"

namespace {

// Opens addresses with the program the user chose for them, through the shell's "open" verb in
// a normal window. Failures are told to the caller, never shown.
class TWin32Shell : public IShell {
public:
    bool OpenDocument(const std::string& Address) override
    {
        if (!IsOpenableAddress(Address))
            return false;
        const std::wstring file = Widen(Address);
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = SEE_MASK_FLAG_NO_UI;
        info.lpVerb = L"open";
        info.lpFile = file.c_str();
        info.nShow = SW_SHOWNORMAL;
        return ShellExecuteExW(&info) != FALSE;
    }
};

}  // namespace

IShell* Win32Shell()
{
    static TWin32Shell shell;
    return &shell;
}
