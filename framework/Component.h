#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Object.h"

// Component-state flags.
using TComponentState = uint8_t;
constexpr TComponentState csLoading = 0x01;
constexpr TComponentState csDesigning = 0x02;
constexpr TComponentState csDestroying = 0x04;

// An object with an owner, a name and a loading state. An owner frees what it owns, the most
// recently added first; a component freed on its own leaves its owner's list.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* Owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return FOwner; }
    const std::string& Name() const { return FName; }
    void SetName(const std::string& Value) { FName = Value; }

    TComponentState ComponentState() const { return FComponentState; }
    bool Loading() const { return (FComponentState & csLoading) != 0; }
    bool Designing() const { return (FComponentState & csDesigning) != 0; }
    bool Destroying() const { return (FComponentState & csDestroying) != 0; }

    // Enters the loading state in which setters store their values without repainting.
    void BeginLoading() { FComponentState |= csLoading; }
    // Runs once when every stored value of a layout is in: leaves the loading state. Derived
    // components act on their complete settings here and call this first.
    virtual void Loaded() { FComponentState &= ~csLoading; }

    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int Index) const;
    TComponent* FindComponent(const std::string& Name) const;

protected:
    // Frees every owned component now, the most recently added first. Classes whose owned
    // components refer back to them call this at the start of their destructor, while they
    // are still whole.
    void DestroyComponents();
    void MarkDestroying() { FComponentState |= csDestroying; }

private:
    void InsertComponent(TComponent* Component);
    void RemoveComponent(TComponent* Component);

    TComponent* FOwner = nullptr;
    std::string FName;
    TComponentState FComponentState = 0;
    std::vector<TComponent*> FComponents;
};
