#pragma once
#include <functional>
#include <string>

class TLMDObject;

// The handler an owner installs to hear about changes of one of its sub-objects.
using TLMDChangeEvent = std::function<void(TLMDObject* Sender)>;

// A persistent sub-object (a renderer, a frame, a fill) that tells its owner when it changed.
// Owners keep their own instance and copy values into it with Assign, never share one.
class TLMDObject {
public:
    TLMDObject() = default;
    virtual ~TLMDObject() = default;
    TLMDObject(const TLMDObject&) = delete;
    TLMDObject& operator=(const TLMDObject&) = delete;

    const TLMDChangeEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TLMDChangeEvent Handler) { FOnChange = std::move(Handler); }

    // Calls OnChange with this object, unless an update is in progress or no handler is set.
    void Change();

    // While an update is in progress, Change notifies nobody. EndUpdate ends it and notifies
    // once when Notify is true, so a series of changes costs the owner one repaint.
    void BeginUpdate() { FUpdating = true; }
    void EndUpdate(bool Notify);
    bool Updating() const { return FUpdating; }

    // Copies the values of Source into this object. A derived class handles the sources it
    // knows and passes the rest here, where every source is refused with an Exception.
    virtual void Assign(const TLMDObject& Source);

    // The class name used in messages.
    virtual std::string ClassName() const { return "TLMDObject"; }

private:
    TLMDChangeEvent FOnChange;
    bool FUpdating = false;
};
