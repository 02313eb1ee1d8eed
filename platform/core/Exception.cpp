#include "platform/core/Exception.h"

std::string FormatPlaceholders(const std::string& Pattern, std::initializer_list<std::string> Args)
{
    std::string out;
    auto arg = Args.begin();
    for (size_t i = 0; i < Pattern.size(); ++i) {
        const char c = Pattern[i];
        const char next = i + 1 < Pattern.size() ? Pattern[i + 1] : '\0';
        if (c == '%' && next == '%') {
            out += '%';
            ++i;
        } else if (c == '%' && (next == 's' || next == 'd') && arg != Args.end()) {
            out += *arg++;
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

Exception Exception::Fmt(const std::string& Pattern, std::initializer_list<std::string> Args)
{
    return Exception(FormatPlaceholders(Pattern, Args));
}

std::string ErrorDisplayText(const std::string& Message)
{
    // Characters compare as unsigned bytes, so the lead bytes of UTF-8 sequences sort after ".".
    if (!Message.empty() && static_cast<unsigned char>(Message.back()) > static_cast<unsigned char>('.'))
        return Message + ".";
    return Message;
}
