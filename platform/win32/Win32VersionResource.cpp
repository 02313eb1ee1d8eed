#include <windows.h>


#include "platform/IVersionResource.h"
#include "platform/win32/WideText.h"
#include "platform/win32/Win32Services.h"

namespace {

// A copy of the executable's version resource. String values are handed on as UTF-8 with a
// terminating NUL, every other value as the bytes the resource holds.
class TWin32VersionBlock : public IVersionBlock {
public:
    explicit TWin32VersionBlock(std::vector<uint8_t> Data) : FData(std::move(Data)) {}

    std::optional<std::vector<uint8_t>> Value(const std::string& SubBlock) const override
    {
        void* value = nullptr;
        UINT length = 0;
        std::vector<uint8_t> copy = FData;   // the query may write into the block it reads
        if (!VerQueryValueW(copy.data(), Widen(SubBlock).c_str(), &value, &length) || !value)
            return std::nullopt;
        if (SubBlock.rfind("\\StringFileInfo\\", 0) == 0) {
            const auto* text = static_cast<const wchar_t*>(value);
            const std::string narrow = Narrow(std::wstring(text, wcsnlen(text, length)));
            std::vector<uint8_t> bytes(narrow.begin(), narrow.end());
            bytes.push_back(0);
            return bytes;
        }
        const auto* bytes = static_cast<const uint8_t*>(value);
        return std::vector<uint8_t>(bytes, bytes + length);
    }

private:
    std::vector<uint8_t> FData;
};

class TWin32VersionResource : public IVersionResource {
public:
    std::unique_ptr<IVersionBlock> Read() const override
    {
        wchar_t path[MAX_PATH + 1] = {};
        const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return nullptr;
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeW(path, &handle);
        if (size == 0)
            return nullptr;
        std::vector<uint8_t> data(size);
        if (!GetFileVersionInfoW(path, 0, size, data.data()))
            return nullptr;
        return std::make_unique<TWin32VersionBlock>(std::move(data));
    }
};

}  // namespace

IVersionResource* Win32VersionResource()
{
    static TWin32VersionResource resource;
    return &resource;
}
