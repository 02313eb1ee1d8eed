#include "app/DaemonRequest.h"

namespace {

std::optional<uint32_t> ParseDigits(std::string_view Digits, uint32_t Base)
{
    if (Digits.empty())
        return std::nullopt;
    uint64_t value = 0;
    for (const char c : Digits) {
        uint32_t digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<uint32_t>(c - '0');
        else if (Base == 16 && c >= 'a' && c <= 'f')
            digit = static_cast<uint32_t>(c - 'a' + 10);
        else if (Base == 16 && c >= 'A' && c <= 'F')
            digit = static_cast<uint32_t>(c - 'A' + 10);
        else
            return std::nullopt;
        if (digit >= Base)
            return std::nullopt;
        value = value * Base + digit;
        if (value > UINT32_MAX)
            return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

TDaemonRequest Malformed(std::string Message)
{
    TDaemonRequest r;
    r.Error = std::move(Message);
    return r;
}

TDaemonRequest WindowRequest(TDaemonRequest::TKind Kind, std::string_view Text, const std::string& Source)
{
    const std::optional<uint32_t> id = ParseWindowId(Text);
    if (!id)
        return Malformed(Source + " '" + std::string(Text) + "' is not an X window id (decimal, or hexadecimal after 0x)");
    TDaemonRequest r;
    r.Kind = Kind;
    r.Window = *id;
    return r;
}

}  // namespace

std::optional<uint32_t> ParseWindowId(std::string_view Text)
{
    const bool hex = Text.size() > 2 && Text[0] == '0' && (Text[1] == 'x' || Text[1] == 'X');
    const std::optional<uint32_t> value = hex ? ParseDigits(Text.substr(2), 16) : ParseDigits(Text, 10);
    if (!value || *value == 0)
        return std::nullopt;
    return value;
}

TDaemonRequest DaemonRequestFromArguments(const std::vector<std::string>& Arguments, const char* XScreensaverWindow)
{
    for (size_t i = 0; i < Arguments.size(); ++i) {
        const std::string& a = Arguments[i];
        if (a == "-window-id" || a == "--window-id") {
            if (i + 1 >= Arguments.size())
                return Malformed(a + " needs the id of the window to draw in");
            return WindowRequest(TDaemonRequest::TKind::WindowId, Arguments[i + 1], a);
        }
        if (a == "-root") {
            // A daemon names its own window in the environment; without it the saver draws on
            // the screen's root window, as savers started by hand with -root always have.
            if (!XScreensaverWindow) {
                TDaemonRequest r;
                r.Kind = TDaemonRequest::TKind::Root;
                return r;
            }
            return WindowRequest(TDaemonRequest::TKind::Root, XScreensaverWindow, "XSCREENSAVER_WINDOW");
        }
        if (a == "-window") {
            TDaemonRequest r;
            r.Kind = TDaemonRequest::TKind::OwnWindow;
            return r;
        }
    }
    return {};
}
