#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/IRegistry.h"

// A registry kept in memory. Keys and value names compare without regard to case. The test
// puts keys and values in, reads back what the code wrote, and can take away the right to
// write (as for a user without administrator rights), make a key unreadable or make every
// value write fail. It also records every open and counts the keys still open, so a test can
// tell that a key is released on every way out.
class THeadlessRegistry : public IRegistry {
public:
    struct Value {
        RegValueType Type = RegValueType::None;
        std::vector<uint8_t> Data;
    };
    struct OpenRequest {
        RegRoot Root;
        std::string Path;
        uint32_t Access;
        bool Create;
    };

    std::unique_ptr<IRegistryKey> OpenKey(RegRoot Root, const std::string& Path, uint32_t Access, bool Create) override;

    // Scripting. SetValue creates the key when missing; SetString stores the text as the
    // registry keeps strings (UTF-16LE with a terminating null; the text is taken as ASCII).
    void AddKey(RegRoot Root, const std::string& Path);
    void SetValue(RegRoot Root, const std::string& Path, const std::string& Name, RegValueType Type,
                  std::vector<uint8_t> Data);
    void SetDword(RegRoot Root, const std::string& Path, const std::string& Name, uint32_t Number);
    void SetString(RegRoot Root, const std::string& Path, const std::string& Name, const std::string& Text);
    void SetKeyReadable(RegRoot Root, const std::string& Path, bool Readable);
    void SetWritable(bool Writable) { FWritable = Writable; }
    void SetValueWritesFail(bool Fail) { FValueWritesFail = Fail; }

    // Inspection.
    bool HasKey(RegRoot Root, const std::string& Path) const { return FKeys.count(KeyId(Root, Path)) != 0; }
    std::optional<Value> ValueOf(RegRoot Root, const std::string& Path, const std::string& Name) const;
    const std::vector<OpenRequest>& Opens() const { return FOpens; }
    int OpenKeyCount() const { return FOpenKeyCount; }

private:
    class TKey;
    using Values = std::map<std::string, Value>;   // lower-case name -> value

    static std::string KeyId(RegRoot Root, const std::string& Path);

    std::map<std::string, Values> FKeys;   // root and lower-case path -> values
    std::set<std::string> FUnreadable;
    std::vector<OpenRequest> FOpens;
    int FOpenKeyCount = 0;
    bool FWritable = true;
    bool FValueWritesFail = false;
};
