#pragma once
#include "skin/TsuiWinControl.h"

class TsuiPageControl;

// One page of a page control: its caption is the text of its tab. The page control places it,
// shows the active page and hides and disables the others.
class TsuiTabSheet : public TsuiWinControl {
public:
    explicit TsuiTabSheet(TComponent* Owner);

    TsuiPageControl* PageControl() const;
    // Makes Value the page's parent; the page goes after the pages it has already.
    void SetPageControl(TsuiPageControl* Value);
    int PageIndex() const;

protected:
    void CaptionChanged() override;
};
