#pragma once
#include <exception>
#include <initializer_list>
#include <string>

// The program's one exception type: a message text, shown to the user as it stands (see
// ErrorDisplayText). Messages with placeholders are filled with Exception::Fmt.
class Exception : public std::exception {
public:
    explicit Exception(std::string Message) : FMessage(std::move(Message)) {}

    // A message made from a pattern whose "%s" and "%d" placeholders take Args in order
    // ("%%" is a percent sign), e.g. Fmt("Failed to get data for '%s'", {"Style"}).
    static Exception Fmt(const std::string& Pattern, std::initializer_list<std::string> Args);

    const std::string& Message() const { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

std::string FormatPlaceholders(const std::string& Pattern, std::initializer_list<std::string> Args);

// The text of the standard error display: the message with a full stop appended when it is
// not empty and its last character sorts after "." (so a message ending in a letter or a digit
// gets one, and one ending in a quote, a bracket or a full stop does not).
std::string ErrorDisplayText(const std::string& Message);
