// Finds the message boxes on the screen and prints, for each, a line "caption|text". With
// "--ok" it also presses OK on them. Exit code 0 when at least one was found, 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Narrow(const wchar_t* text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
    return out;
}

std::string TextOf(HWND window)
{
    wchar_t text[4096] = {};
    GetWindowTextW(window, text, 4096);
    return Narrow(text);
}

// The message of a box is its static control that holds text (the icon is a static without).
BOOL CALLBACK FindMessage(HWND child, LPARAM out)
{
    wchar_t cls[64] = {};
    GetClassNameW(child, cls, 64);
    if (_wcsicmp(cls, L"Static") == 0 && GetWindowTextLengthW(child) > 0) {
        *reinterpret_cast<std::string*>(out) = TextOf(child);
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindBoxes(HWND window, LPARAM out)
{
    wchar_t cls[64] = {};
    GetClassNameW(window, cls, 64);
    if (std::wcscmp(cls, L"#32770") == 0 && IsWindowVisible(window))
        reinterpret_cast<std::vector<HWND>*>(out)->push_back(window);
    return TRUE;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool pressOk = argc > 1 && std::strcmp(argv[1], "--ok") == 0;
    std::vector<HWND> boxes;
    EnumWindows(FindBoxes, reinterpret_cast<LPARAM>(&boxes));
    for (HWND box : boxes) {
        std::string message;
        EnumChildWindows(box, FindMessage, reinterpret_cast<LPARAM>(&message));
        std::printf("%s|%s\n", TextOf(box).c_str(), message.c_str());
        if (pressOk)
            PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    std::fflush(stdout);
    return boxes.empty() ? 1 : 0;
}
