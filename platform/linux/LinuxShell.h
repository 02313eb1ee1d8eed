#pragma once
#include "platform/IShell.h"

// Opens addresses with the desktop's opener, xdg-open, found on the PATH. The address is the
// opener's one argument, never seen by a command interpreter. The opener runs on its own: it is
// not waited for, only reaped when it ends, so no finished child lingers.
class TLinuxShell : public IShell {
public:
    bool OpenDocument(const std::string& Address) override;
};
