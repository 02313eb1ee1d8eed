#include "framework/Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* Owner)
{
    if (Owner)
        Owner->InsertComponent(this);
}

TComponent::~TComponent()
{
    MarkDestroying();
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
}

TComponent* TComponent::Components(int Index) const
{
    if (Index < 0 || Index >= ComponentCount())
        return nullptr;
    return FComponents[static_cast<size_t>(Index)];
}

TComponent* TComponent::FindComponent(const std::string& Name) const
{
    if (Name.empty())
        return nullptr;
    for (TComponent* c : FComponents)
        if (c->Name() == Name)
            return c;
    return nullptr;
}

void TComponent::DestroyComponents()
{
    // Each destructor removes its component from the list, so the last entry changes every time.
    while (!FComponents.empty())
        delete FComponents.back();
}

void TComponent::InsertComponent(TComponent* Component)
{
    FComponents.push_back(Component);
    Component->FOwner = this;
}

void TComponent::RemoveComponent(TComponent* Component)
{
    auto it = std::find(FComponents.begin(), FComponents.end(), Component);
    if (it != FComponents.end())
        FComponents.erase(it);
    Component->FOwner = nullptr;
}
