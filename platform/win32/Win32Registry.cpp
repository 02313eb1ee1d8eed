#include <windows.h>

#include "platform/IRegistry.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Services.h"

namespace {

// An open key of the system registry, closed with the object.
class TWin32RegistryKey : public IRegistryKey {
public:
    explicit TWin32RegistryKey(HKEY Key) : FKey(Key) {}
    ~TWin32RegistryKey() override { RegCloseKey(FKey); }
    TWin32RegistryKey(const TWin32RegistryKey&) = delete;
    TWin32RegistryKey& operator=(const TWin32RegistryKey&) = delete;

    RegQueryResult QueryValue(const std::string& Name, void* Buffer, uint32_t BufferSize) override
    {
        // Without a data pointer the system would report success for a mere size query; a
        // dummy byte with a size of 0 keeps "Ok" meaning "the data was copied".
        BYTE dummy = 0;
        BYTE* data = Buffer ? static_cast<BYTE*>(Buffer) : &dummy;
        DWORD type = REG_NONE;
        DWORD size = Buffer ? BufferSize : 0;
        const LONG status = RegQueryValueExW(FKey, Widen(Name).c_str(), nullptr, &type, data, &size);
        if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA)
            return {};
        return {status == ERROR_SUCCESS, static_cast<RegValueType>(type), size};
    }

    bool SetValue(const std::string& Name, RegValueType Type, const void* Data, uint32_t Size) override
    {
        return RegSetValueExW(FKey, Widen(Name).c_str(), 0, static_cast<DWORD>(Type), static_cast<const BYTE*>(Data),
                              Size) == ERROR_SUCCESS;
    }

private:
    HKEY FKey;
};

class TWin32Registry : public IRegistry {
public:
    std::unique_ptr<IRegistryKey> OpenKey(RegRoot Root, const std::string& Path, uint32_t Access, bool Create) override
    {
        const HKEY root = Root == RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
        const std::wstring path = Widen(Path);
        HKEY key = nullptr;
        const LONG status = Create ? RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, Access,
                                                     nullptr, &key, nullptr)
                                   : RegOpenKeyExW(root, path.c_str(), 0, Access, &key);
        if (status != ERROR_SUCCESS)
            return nullptr;
        return std::make_unique<TWin32RegistryKey>(key);
    }
};

}  // namespace

IRegistry* Win32Registry()
{
    static TWin32Registry registry;
    return &registry;
}
