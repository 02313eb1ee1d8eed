#include "platform/win32/Win32ChildView.h"

#include <algorithm>

namespace {

const wchar_t ViewClass[] = L"QuorvelChildView";

}  // namespace

// The view paints itself with the brush it keeps with its window.
LRESULT CALLBACK TWin32ChildView::ViewProc(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    if (Msg == WM_ERASEBKGND)
        return 1;
    if (Msg != WM_PAINT)
        return DefWindowProcW(Window, Msg, WParam, LParam);
    PAINTSTRUCT ps;
    if (HDC dc = BeginPaint(Window, &ps)) {
        FillRect(dc, &ps.rcPaint, reinterpret_cast<HBRUSH>(GetWindowLongPtrW(Window, GWLP_USERDATA)));
        EndPaint(Window, &ps);
    }
    return 0;
}

std::unique_ptr<TWin32ChildView> TWin32ChildView::Create(HINSTANCE Instance, HWND Parent, uint32_t Colour)
{
    static const ATOM atom = [Instance] {
        WNDCLASSEXW c{};
        c.cbSize = sizeof(c);
        c.lpfnWndProc = ViewProc;
        c.hInstance = Instance;
        c.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        c.lpszClassName = ViewClass;
        return RegisterClassExW(&c);
    }();
    if (!atom)
        return nullptr;
    HBRUSH brush = CreateSolidBrush(RGB((Colour >> 16) & 0xFF, (Colour >> 8) & 0xFF, Colour & 0xFF));
    HWND window = CreateWindowExW(0, MAKEINTATOM(atom), L"", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, Parent, nullptr,
                                  Instance, nullptr);
    if (!window) {
        DeleteObject(brush);
        return nullptr;
    }
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(brush));
    return std::unique_ptr<TWin32ChildView>(new TWin32ChildView(window, brush));
}

TWin32ChildView::~TWin32ChildView()
{
    if (IsWindow(FWindow) && GetWindowLongPtrW(FWindow, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(FBrush))
        DestroyWindow(FWindow);
    DeleteObject(FBrush);
}

void TWin32ChildView::SetBounds(const TRect& Area)
{
    FArea = Area;
    Apply();
}

void TWin32ChildView::Show(bool Visible)
{
    FVisible = Visible;
    Apply();
}

// An empty area hides the view. It lies above its siblings, and the system paints it at once.
void TWin32ChildView::Apply()
{
    if (!IsWindow(FWindow))
        return;
    const bool shown = FVisible && !FArea.IsEmpty();
    SetWindowPos(FWindow, HWND_TOP, FArea.Left, FArea.Top, std::max(FArea.Width(), 0), std::max(FArea.Height(), 0),
                 SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    if (shown)
        UpdateWindow(FWindow);
}
