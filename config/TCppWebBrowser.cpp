#include "config/TCppWebBrowser.h"

#include "framework/Form.h"
#include "platform/IHtmlView.h"
#include "platform/Platform.h"

TCppWebBrowser::TCppWebBrowser(TComponent* Owner) : TNativeViewHost(Owner)
{
    SetTabStop(true);
}

void TCppWebBrowser::Navigate(const std::string& Location)
{
    if (!FTried) {
        FTried = true;
        TForm* form = ParentForm();
        IHtmlViews* views = CurrentPlatform().HtmlViews;
        if (form && views)
            if (std::unique_ptr<IHtmlView> view = views->Create(form->Handle())) {
                FHtml = view.get();
                SetView(std::move(view));
            }
    }
    if (FHtml)
        FHtml->Navigate(Location);
}

bool TCppWebBrowser::Busy() const { return FHtml && FHtml->Busy(); }

bool TCppWebBrowser::Failed() const { return !FHtml || FHtml->Failed(); }
