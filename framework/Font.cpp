#include "framework/Font.h"

namespace {

template <class T>
bool Store(T& Field, const T& Value)
{
    if (Field == Value)
        return false;
    Field = Value;
    return true;
}

}  // namespace

void TFont::SetName(const std::string& Value)
{
    if (Store(FSpec.Name, Value))
        Changed();
}

void TFont::SetHeight(int32_t Value)
{
    if (Store(FSpec.Height, Value))
        Changed();
}

void TFont::SetCharset(uint8_t Value)
{
    if (Store(FSpec.Charset, Value))
        Changed();
}

void TFont::SetStyle(uint8_t Value)
{
    if (Store(FSpec.Style, Value))
        Changed();
}

void TFont::SetColor(TColor Value)
{
    if (Store(FSpec.Color, Value))
        Changed();
}

void TFont::Assign(const TFont& Source)
{
    if (Store(FSpec, Source.FSpec))
        Changed();
}

void TFont::Changed()
{
    if (OnChange)
        OnChange(this);
}
