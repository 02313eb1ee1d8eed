#include "skin/TRzURLLabel.h"

#include "platform/IShell.h"
#include "platform/Platform.h"

TRzURLLabel::TRzURLLabel(TComponent* Owner) : TLabel(Owner)
{
    Font().SetColor(clBlue);
    Font().SetStyle(fsUnderline);
    SetTransparent(true);
    SetCursor(crHandPoint);
}

void TRzURLLabel::Click()
{
    TLabel::Click();
    IShell* shell = CurrentPlatform().Shell;
    const std::string& address = FURL.empty() ? Caption() : FURL;
    if (!shell || address.empty() || !shell->OpenDocument(address))
        return;
    FVisited = true;
    Font().SetColor(FVisitedColor);
}
