#pragma once
#include <string>

#include "framework/Control.h"
#include "framework/Font.h"

// A windowless line of text, left-aligned at the label's top-left corner. With AutoSize (the
// default) the label takes the size of its text. A transparent label draws only its text over
// what lies beneath; otherwise it fills its rectangle with Color first and is opaque.
class TLabel : public TControl {
public:
    explicit TLabel(TComponent* Owner);

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& Value);
    TFont& Font() { return FFont; }
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);

    void Loaded() override;

protected:
    void Paint() override;

private:
    void FontChanged();
    void AdjustSize();

    std::string FCaption;
    TFont FFont;
    bool FTransparent = false;
    bool FAutoSize = true;
};
