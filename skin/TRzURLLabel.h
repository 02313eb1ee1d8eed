#pragma once
#include <string>

#include "framework/Label.h"

// A hyperlink: an underlined blue label with the hand pointer. A click asks the desktop to open
// the label's address (its caption when the address is empty); once that succeeds the text
// takes the visited colour. A failed open, or a platform without a desktop opener, changes
// nothing.
class TRzURLLabel : public TLabel {
public:
    explicit TRzURLLabel(TComponent* Owner);

    const std::string& URL() const { return FURL; }
    void SetURL(const std::string& Value) { FURL = Value; }
    TColor VisitedColor() const { return FVisitedColor; }
    void SetVisitedColor(TColor Value) { FVisitedColor = Value; }
    bool Visited() const { return FVisited; }

protected:
    void Click() override;

private:
    std::string FURL;
    TColor FVisitedColor = clPurple;
    bool FVisited = false;
};
