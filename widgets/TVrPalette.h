#pragma once
#include "platform/core/Color.h"
#include "widgets/TVrPersistent.h"

// A pair of colours for one part of a widget: Low for an unlit element, High for a lit one.
class TVrPalette : public TVrPersistent {
public:
    TColor Low() const { return FLow; }
    TColor High() const { return FHigh; }
    void SetLow(TColor Value);
    void SetHigh(TColor Value);

    // The colour for Index: Low for 0 or less (unlit), High for anything above (lit).
    virtual TColor GetColors(int Index) const;

    void Assign(const TVrPersistent& Source) override;
    std::string ClassName() const override { return "TVrPalette"; }

private:
    TColor FLow = clGreen;
    TColor FHigh = clLime;
};
