#include "platform/headless/HeadlessVersionResource.h"

namespace {

class THeadlessVersionBlock : public IVersionBlock {
public:
    THeadlessVersionBlock(std::map<std::string, std::vector<uint8_t>> Values, std::shared_ptr<int> Held)
        : FValues(std::move(Values)), FHeld(std::move(Held))
    {
        ++*FHeld;
    }
    ~THeadlessVersionBlock() override { --*FHeld; }

    std::optional<std::vector<uint8_t>> Value(const std::string& SubBlock) const override
    {
        const auto found = FValues.find(SubBlock);
        if (found == FValues.end())
            return std::nullopt;
        return found->second;
    }

private:
    std::map<std::string, std::vector<uint8_t>> FValues;
    std::shared_ptr<int> FHeld;
};

void PutWord(std::vector<uint8_t>& Bytes, size_t At, uint32_t Value)
{
    for (int i = 0; i < 4; ++i)
        Bytes[At + static_cast<size_t>(i)] = static_cast<uint8_t>(Value >> (8 * i));
}

}  // namespace

std::unique_ptr<IVersionBlock> THeadlessVersionResource::Read() const
{
    if (!FPresent)
        return nullptr;
    ++*FReads;
    return std::make_unique<THeadlessVersionBlock>(FValues, FHeld);
}

void THeadlessVersionResource::SetText(const std::string& SubBlock, const std::string& Text)
{
    std::vector<uint8_t> bytes(Text.begin(), Text.end());
    bytes.push_back(0);
    SetValue(SubBlock, std::move(bytes));
}

void THeadlessVersionResource::SetTranslation(uint16_t Language, uint16_t CodePage)
{
    SetValue("\\VarFileInfo\\Translation", {static_cast<uint8_t>(Language), static_cast<uint8_t>(Language >> 8),
                                             static_cast<uint8_t>(CodePage), static_cast<uint8_t>(CodePage >> 8)});
}

// The fixed file information is 52 bytes: a signature and a structure version, then the file
// version's most and least significant words.
void THeadlessVersionResource::SetFileVersion(uint16_t Major, uint16_t Minor, uint16_t Release, uint16_t Build)
{
    std::vector<uint8_t> fixed(52, 0);
    PutWord(fixed, 0, 0xFEEF04BD);
    PutWord(fixed, 4, 0x00010000);
    PutWord(fixed, 8, (uint32_t{Major} << 16) | Minor);
    PutWord(fixed, 12, (uint32_t{Release} << 16) | Build);
    SetValue("\\", std::move(fixed));
}
