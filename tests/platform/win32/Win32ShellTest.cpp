#include <gtest/gtest.h>

#include "platform/IShell.h"
#include "platform/win32/Win32Services.h"

// Only addresses the desktop may open reach the shell; the rest start nothing. (An accepted
// address would start the browser, so none is opened here.)
TEST(Win32Shell, RefusedAddressesStartNothing)
{
    IShell* shell = Win32Shell();
    ASSERT_NE(shell, nullptr);
    for (const char* address : {"", "C:\\Windows\\notepad.exe", "notepad", "javascript:alert(1)", "ftp://example.org",
                                "http://a\nb", "cmd:/c calc"})
        EXPECT_FALSE(shell->OpenDocument(address)) << address;
}
