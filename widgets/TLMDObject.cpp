#include "widgets/TLMDObject.h"

#include "platform/core/Exception.h"

void TLMDObject::Change()
{
    if (FUpdating || !FOnChange)
        return;
    // The handler runs from a copy, so a handler that installs another handler (or clears
    // this one) does not destroy the function that is running.
    const TLMDChangeEvent handler = FOnChange;
    handler(this);
}

void TLMDObject::EndUpdate(bool Notify)
{
    FUpdating = false;
    if (Notify)
        Change();
}

void TLMDObject::Assign(const TLMDObject& Source)
{
    throw Exception::Fmt("Cannot assign a %s to a %s", {Source.ClassName(), ClassName()});
}
