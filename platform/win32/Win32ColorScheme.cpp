#include <windows.h>

#include "platform/core/Color.h"
#include "platform/win32/Win32Services.h"

namespace {

// The user's current system colours. The system has a brush for every colour number it
// knows, so a number without one names no colour.
class TWin32ColorScheme : public IColorScheme {
public:
    std::optional<TColor> SystemColor(int Index) const override
    {
        if (Index < 0 || GetSysColorBrush(Index) == nullptr)
            return std::nullopt;
        return static_cast<TColor>(GetSysColor(Index));
    }
};

}  // namespace

IColorScheme* Win32ColorScheme()
{
    static TWin32ColorScheme scheme;
    return &scheme;
}
