#pragma once
#include <string>

// The desktop's way of opening a document or address with the program the user chose for it:
// the hyperlink label opens its address through it.
class IShell {
public:
    virtual ~IShell() = default;
    // Opens Address (http, https, mailto or file) with the desktop's handler, never through a
    // command interpreter. False when the address is refused or nothing could be started.
    virtual bool OpenDocument(const std::string& Address) = 0;
};
