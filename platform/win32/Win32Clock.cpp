#include <windows.h>

#include "platform/IClock.h"
#include "platform/win32/Win32Services.h"

namespace {

class TWin32Clock : public IClock {
public:
    TSystemTime LocalTime() const override
    {
        SYSTEMTIME st{};
        GetLocalTime(&st);
        return {st.wYear, st.wMonth, st.wDayOfWeek, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds};
    }

    uint32_t TickCount() const override { return GetTickCount(); }
    void Sleep(uint32_t Milliseconds) override { ::Sleep(Milliseconds); }
};

}  // namespace

IClock* Win32Clock()
{
    static TWin32Clock clock;
    return &clock;
}
