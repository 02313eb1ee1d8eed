#include "platform/headless/HeadlessRegistry.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

std::string Lower(std::string Text)
{
    std::transform(Text.begin(), Text.end(), Text.begin(), [](unsigned char c) { return std::tolower(c); });
    return Text;
}

// The rights that change a key: setting a value or creating a subkey.
constexpr uint32_t WriteRights = 0x0002 | 0x0004;

}  // namespace

class THeadlessRegistry::TKey : public IRegistryKey {
public:
    TKey(THeadlessRegistry& Owner, std::string Id, bool MayWrite) : FOwner(Owner), FId(std::move(Id)), FMayWrite(MayWrite)
    {
        ++FOwner.FOpenKeyCount;
    }
    ~TKey() override { --FOwner.FOpenKeyCount; }

    RegQueryResult QueryValue(const std::string& Name, void* Buffer, uint32_t BufferSize) override
    {
        const Values& values = FOwner.FKeys[FId];
        const auto found = values.find(Lower(Name));
        if (found == values.end())
            return {};
        const Value& value = found->second;
        RegQueryResult result{false, value.Type, static_cast<uint32_t>(value.Data.size())};
        if (value.Data.size() > BufferSize)
            return result;
        if (!value.Data.empty())
            std::memcpy(Buffer, value.Data.data(), value.Data.size());
        result.Ok = true;
        return result;
    }

    bool SetValue(const std::string& Name, RegValueType Type, const void* Data, uint32_t Size) override
    {
        if (!FMayWrite || FOwner.FValueWritesFail)
            return false;
        const auto* bytes = static_cast<const uint8_t*>(Data);
        FOwner.FKeys[FId][Lower(Name)] = Value{Type, std::vector<uint8_t>(bytes, bytes + Size)};
        return true;
    }

private:
    THeadlessRegistry& FOwner;
    std::string FId;
    bool FMayWrite;
};

std::string THeadlessRegistry::KeyId(RegRoot Root, const std::string& Path)
{
    return (Root == RegRoot::LocalMachine ? "HKLM\\" : "HKCU\\") + Lower(Path);
}

std::unique_ptr<IRegistryKey> THeadlessRegistry::OpenKey(RegRoot Root, const std::string& Path, uint32_t Access,
                                                          bool Create)
{
    FOpens.push_back({Root, Path, Access, Create});
    const std::string id = KeyId(Root, Path);
    const bool wantsWrite = Create || (Access & WriteRights) != 0;
    if (wantsWrite && !FWritable)
        return nullptr;
    if (FUnreadable.count(id))
        return nullptr;
    if (!FKeys.count(id)) {
        if (!Create)
            return nullptr;
        FKeys[id];
    }
    return std::make_unique<TKey>(*this, id, (Access & WriteRights) != 0);
}

void THeadlessRegistry::AddKey(RegRoot Root, const std::string& Path)
{
    FKeys[KeyId(Root, Path)];
}

void THeadlessRegistry::SetValue(RegRoot Root, const std::string& Path, const std::string& Name, RegValueType Type,
                                 std::vector<uint8_t> Data)
{
    FKeys[KeyId(Root, Path)][Lower(Name)] = Value{Type, std::move(Data)};
}

void THeadlessRegistry::SetDword(RegRoot Root, const std::string& Path, const std::string& Name, uint32_t Number)
{
    SetValue(Root, Path, Name, RegValueType::Dword,
             {static_cast<uint8_t>(Number), static_cast<uint8_t>(Number >> 8), static_cast<uint8_t>(Number >> 16),
              static_cast<uint8_t>(Number >> 24)});
}

void THeadlessRegistry::SetString(RegRoot Root, const std::string& Path, const std::string& Name,
                                  const std::string& Text)
{
    std::vector<uint8_t> data;
    for (char c : Text) {
        data.push_back(static_cast<uint8_t>(c));
        data.push_back(0);
    }
    data.insert(data.end(), {0, 0});
    SetValue(Root, Path, Name, RegValueType::String, std::move(data));
}

void THeadlessRegistry::SetKeyReadable(RegRoot Root, const std::string& Path, bool Readable)
{
    if (Readable)
        FUnreadable.erase(KeyId(Root, Path));
    else
        FUnreadable.insert(KeyId(Root, Path));
}

std::optional<THeadlessRegistry::Value> THeadlessRegistry::ValueOf(RegRoot Root, const std::string& Path,
                                                                  const std::string& Name) const
{
    const auto key = FKeys.find(KeyId(Root, Path));
    if (key == FKeys.end())
        return std::nullopt;
    const auto value = key->second.find(Lower(Name));
    if (value == key->second.end())
        return std::nullopt;
    return value->second;
}
