#pragma once
#include <cstdint>
#include <functional>
#include <string>

class TVrPersistent;

// The handler an owning widget installs to hear that one of its sub-objects changed.
using TVrChangeEvent = std::function<void(TVrPersistent* Sender)>;

// A sub-object of a widget (a colour pair, a frame) that tells its owner when it changed.
// The owner creates it, installs OnChange at once and frees it with itself; other objects give
// it new values through Assign, never by sharing one instance.
class TVrPersistent {
public:
    TVrPersistent() = default;
    virtual ~TVrPersistent() = default;
    TVrPersistent(const TVrPersistent&) = delete;
    TVrPersistent& operator=(const TVrPersistent&) = delete;

    const TVrChangeEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TVrChangeEvent Handler) { FOnChange = std::move(Handler); }
    int32_t UpdateCount() const { return FUpdateCount; }

    // Tells the owner, unless an update bracket is open or nobody listens.
    void Changed();
    void BeginUpdate() { ++FUpdateCount; }
    // Closes one bracket (never below 0) and notifies, so a bracket always ends in exactly one
    // notification, even when nothing inside it changed.
    void EndUpdate();

    // Copies the values of Source. A derived class takes sources of its own class (or derived
    // from it) and passes every other source here, where it is refused with an Exception.
    virtual void Assign(const TVrPersistent& Source);

    // The class name used in messages.
    virtual std::string ClassName() const { return "TVrPersistent"; }

private:
    TVrChangeEvent FOnChange;
    int32_t FUpdateCount = 0;
};
