#include <map>

#include "QuorvelVersion.h"
#include "platform/IVersionResource.h"
#include "platform/linux/LinuxServices.h"

namespace {

std::vector<uint8_t> Text(const char* Value)
{
    std::vector<uint8_t> bytes(Value, Value + std::char_traits<char>::length(Value));
    bytes.push_back(0);
    return bytes;
}

void PutWord(std::vector<uint8_t>& Bytes, size_t At, uint32_t Value)
{
    for (size_t i = 0; i < 4; ++i)
        Bytes[At + i] = static_cast<uint8_t>(Value >> (8 * i));
}

// The fixed file information: signature, structure version, then the file and product versions
// as two words each (most significant first).
std::vector<uint8_t> FixedFileInfo()
{
    std::vector<uint8_t> fixed(52, 0);
    const uint32_t high = (uint32_t{QUORVEL_VERSION_MAJOR} << 16) | QUORVEL_VERSION_MINOR;
    const uint32_t low = (uint32_t{QUORVEL_VERSION_RELEASE} << 16) | QUORVEL_VERSION_BUILD;
    PutWord(fixed, 0, 0xFEEF04BD);
    PutWord(fixed, 4, 0x00010000);
    PutWord(fixed, 8, high);
    PutWord(fixed, 12, low);
    PutWord(fixed, 16, high);
    PutWord(fixed, 20, low);
    return fixed;
}

// Linux executables have no resources: the program's version figures are compiled in and
// answered under the paths a version resource keeps them, US English in code page 1252.
class TLinuxVersionBlock : public IVersionBlock {
public:
    std::optional<std::vector<uint8_t>> Value(const std::string& SubBlock) const override
    {
        static const std::map<std::string, std::vector<uint8_t>> values = {
            {"\\", FixedFileInfo()},
            {"\\VarFileInfo\\Translation", {0x09, 0x04, 0xE4, 0x04}},
            {"\\StringFileInfo\\040904E4\\CompanyName", Text(QUORVEL_COMPANY_NAME)},
            {"\\StringFileInfo\\040904E4\\FileDescription", Text(QUORVEL_FILE_DESCRIPTION)},
            {"\\StringFileInfo\\040904E4\\FileVersion", Text(QUORVEL_VERSION_TEXT)},
            {"\\StringFileInfo\\040904E4\\LegalCopyright", Text(QUORVEL_COPYRIGHT)},
            {"\\StringFileInfo\\040904E4\\LegalTradeMarks", Text(QUORVEL_TRADEMARKS)},
            {"\\StringFileInfo\\040904E4\\ProductName", Text(QUORVEL_PRODUCT_NAME)},
            {"\\StringFileInfo\\040904E4\\ProductVersion", Text(QUORVEL_VERSION_TEXT)},
            {"\\StringFileInfo\\040904E4\\Comments", Text(QUORVEL_COMMENTS)},
        };
        const auto found = values.find(SubBlock);
        if (found == values.end())
            return std::nullopt;
        return found->second;
    }
};

class TLinuxVersionResource : public IVersionResource {
public:
    std::unique_ptr<IVersionBlock> Read() const override { return std::make_unique<TLinuxVersionBlock>(); }
};

}  // namespace

IVersionResource* LinuxVersionResource()
{
    static TLinuxVersionResource resource;
    return &resource;
}
