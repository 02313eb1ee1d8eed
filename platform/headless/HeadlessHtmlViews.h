#pragma once
#include <string>
#include <vector>

#include "platform/IHtmlView.h"

// HTML views that only record what they were asked, for tests: every navigation, and where the
// view lies. A test says how many looks at Busy answer true after each navigation, whether a
// navigation fails, and whether a view can be made at all.
class THeadlessHtmlViews : public IHtmlViews {
public:
    std::unique_ptr<IHtmlView> Create(TNativeWindow Parent) override;

    // Set by the test.
    bool Available = true;
    int BusyLooks = 0;
    bool NavigationsFail = false;

    // Read by the test.
    std::vector<std::string> Navigations;
    int Views = 0;
    int BusyQuestions = 0;
    TRect LastBounds;
    bool LastVisible = false;
};
