#pragma once
#include <functional>

// The root of every framework object: what an event handler is told as its sender.
class TObject {
public:
    virtual ~TObject() = default;
};

using TNotifyEvent = std::function<void(TObject* Sender)>;
