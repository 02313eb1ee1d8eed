#include "platform/headless/HeadlessHtmlViews.h"

namespace {

class THeadlessHtmlView : public IHtmlView {
public:
    explicit THeadlessHtmlView(THeadlessHtmlViews& Views) : FViews(Views) {}

    void SetBounds(const TRect& Area) override { FViews.LastBounds = Area; }
    void Show(bool Visible) override { FViews.LastVisible = Visible; }
    uintptr_t SystemHandle() const override { return 0; }
    bool Navigate(const std::string& Location) override
    {
        FViews.Navigations.push_back(Location);
        FBusyLeft = FViews.BusyLooks;
        FFailed = FViews.NavigationsFail;
        return true;
    }
    bool Busy() const override
    {
        ++FViews.BusyQuestions;
        if (FBusyLeft < 0)
            return true;   // never finishes
        return FBusyLeft > 0 && FBusyLeft-- > 0;
    }
    bool Failed() const override { return FFailed && !Busy(); }

private:
    THeadlessHtmlViews& FViews;
    mutable int FBusyLeft = 0;
    bool FFailed = false;
};

}  // namespace

std::unique_ptr<IHtmlView> THeadlessHtmlViews::Create(TNativeWindow)
{
    if (!Available)
        return nullptr;
    ++Views;
    return std::make_unique<THeadlessHtmlView>(*this);
}
