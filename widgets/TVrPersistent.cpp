#include "widgets/TVrPersistent.h"

#include "platform/core/Exception.h"

void TVrPersistent::Changed()
{
    if (FUpdateCount != 0 || !FOnChange)
        return;
    // The handler runs from a copy, so a handler that replaces or clears itself does not
    // destroy the function that is running.
    const TVrChangeEvent handler = FOnChange;
    handler(this);
}

void TVrPersistent::EndUpdate()
{
    if (FUpdateCount > 0)
        --FUpdateCount;
    Changed();
}

void TVrPersistent::Assign(const TVrPersistent& Source)
{
    throw Exception::Fmt("Cannot assign a %s to a %s", {Source.ClassName(), ClassName()});
}
