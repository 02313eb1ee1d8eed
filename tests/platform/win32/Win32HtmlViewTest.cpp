#include <chrono>
#include <fstream>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "platform/win32/Win32HtmlView.h"
#include "tests/support/TempDir.h"

namespace {

using Clock = std::chrono::steady_clock;

HWND MakeParent()
{
    return CreateWindowExW(0, L"STATIC", L"parent", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 320, 240,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void PumpFor(std::chrono::milliseconds For)
{
    const auto end = Clock::now() + For;
    MSG message;
    while (Clock::now() < end) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
}

TEST(Win32HtmlView, NoViewWithoutAParentWindow)
{
    EXPECT_EQ(TWin32HtmlView::Create(nullptr), nullptr);
    EXPECT_EQ(TWin32HtmlView::Create(reinterpret_cast<HWND>(uintptr_t(0x7FFF1234))), nullptr);
}

// Where the system has a browser with its engine, a page loads and the view's window lies where
// it was placed, inside the parent; where the engine is missing (a bare Wine) the view is made
// but its navigation ends as failed, and the caller shows its fallback. Either way nothing
// crashes and nothing waits for ever.
TEST(Win32HtmlView, APageLoadsOrTheNavigationEndsAsFailed)
{
    HWND parent = MakeParent();
    ASSERT_NE(parent, nullptr);
    std::unique_ptr<TWin32HtmlView> view = TWin32HtmlView::Create(parent);
    if (view) {
        TTempDir dir;
        dir.Write("page.htm", "<html><body style='background:#00ff00'></body></html>");
        view->SetBounds({10, 20, 110, 120});
        view->Show(true);
        if (view->Navigate(dir.File("page.htm"))) {
            const auto end = Clock::now() + std::chrono::seconds(10);
            while (view->Busy() && Clock::now() < end)
                PumpFor(std::chrono::milliseconds(20));
        }
        EXPECT_FALSE(view->Busy()) << "the navigation ends, shown or failed";
        const HWND child = reinterpret_cast<HWND>(view->SystemHandle());
        if (!view->Failed()) {
            ASSERT_NE(child, nullptr);
            RECT r;
            GetWindowRect(child, &r);
            POINT origin{0, 0};
            ClientToScreen(parent, &origin);
            EXPECT_EQ(r.left - origin.x, 10);
            EXPECT_EQ(r.top - origin.y, 20);
            EXPECT_TRUE(IsChild(parent, child));
        }
        view.reset();
    }
    DestroyWindow(parent);
}

}  // namespace
