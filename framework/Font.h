#pragma once
#include <functional>
#include <string>

#include "framework/Object.h"
#include "platform/gfx/FontSpec.h"

// The font of a control: a face, a character height in pixels, a character set, a style and a
// colour. Its owner installs OnChange and is told after every change.
class TFont : public TObject {
public:
    const TFontSpec& Description() const { return FSpec; }

    const std::string& Name() const { return FSpec.Name; }
    void SetName(const std::string& Value);
    int32_t Height() const { return FSpec.Height; }
    void SetHeight(int32_t Value);
    uint8_t Charset() const { return FSpec.Charset; }
    void SetCharset(uint8_t Value);
    uint8_t Style() const { return FSpec.Style; }
    void SetStyle(uint8_t Value);
    TColor Color() const { return FSpec.Color; }
    void SetColor(TColor Value);
    // Copies every value of Source, with one notification.
    void Assign(const TFont& Source);

    TNotifyEvent OnChange;

private:
    void Changed();
    TFontSpec FSpec;
};
