#pragma once
#include "platform/INativeWindows.h"

// Something that owns a native window and takes the events the loop fetches for it.
class INativeEventTarget {
public:
    virtual ~INativeEventTarget() = default;
    virtual void HandleNativeEvent(const TNativeEvent& Event) = 0;
};
