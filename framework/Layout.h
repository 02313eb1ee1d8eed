#pragma once
#include <functional>
#include <string>
#include <vector>

#include "framework/Control.h"
#include "framework/WinControl.h"
#include "platform/core/Exception.h"

// A stored layout: the elements of a window with their property values, applied in the
// table's order. Each row creates one element owned by the window (or names the window itself),
// gives it its name and parent, and then runs its property setters in order while the element
// is loading, so setters store their values without repainting. When every row is in, each
// element's Loaded runs once in table order, and the window's own Loaded last.
template <class TOwner>
struct TLayoutElement {
    std::string Name;
    std::string ParentName;   // empty: the window itself; ignored for non-visual components
    std::function<TComponent*(TOwner&)> Create;
    std::vector<std::function<void(TComponent&)>> Properties;
};

template <class TOwner>
using TLayout = std::vector<TLayoutElement<TOwner>>;

// A setter with its stored value, as a layout row lists it: Set(&TControl::SetLeft, 8).
template <class TClass, class TParam, class TValue>
auto Set(void (TClass::*Setter)(TParam), TValue Value)
{
    return [Setter, Value](TClass& Object) { (Object.*Setter)(Value); };
}

// A row that creates an element of type TElement, stores it in the window's Field and names it.
template <class TOwner, class TElement>
TLayoutElement<TOwner> Element(TElement* TOwner::*Field, std::string Name, std::string ParentName,
                               std::vector<std::function<void(TElement&)>> Properties)
{
    TLayoutElement<TOwner> row;
    row.Name = std::move(Name);
    row.ParentName = std::move(ParentName);
    row.Create = [Field](TOwner& Owner) {
        auto* element = new TElement(&Owner);
        Owner.*Field = element;
        return static_cast<TComponent*>(element);
    };
    for (auto& p : Properties)
        row.Properties.push_back([p](TComponent& c) { p(static_cast<TElement&>(c)); });
    return row;
}

// A row with the window's own stored properties.
template <class TOwner>
TLayoutElement<TOwner> Self(std::vector<std::function<void(TOwner&)>> Properties)
{
    TLayoutElement<TOwner> row;
    row.Create = [](TOwner& Owner) { return static_cast<TComponent*>(&Owner); };
    for (auto& p : Properties)
        row.Properties.push_back([p](TComponent& c) { p(static_cast<TOwner&>(c)); });
    return row;
}

// Applies Layout to Owner; called at the start of the window's constructor body. An error in
// a row escapes, and the window's destruction then frees the elements made so far.
template <class TOwner>
void LoadLayout(TOwner& Owner, const TLayout<TOwner>& Layout)
{
    Owner.BeginLoading();
    std::vector<TComponent*> elements;
    for (const auto& row : Layout) {
        TComponent* c = row.Create(Owner);
        c->BeginLoading();
        if (c != &Owner) {
            c->SetName(row.Name);
            elements.push_back(c);
            if (auto* control = dynamic_cast<TControl*>(c)) {
                TComponent* parent = row.ParentName.empty() ? &Owner : Owner.FindComponent(row.ParentName);
                auto* windowed = dynamic_cast<TWinControl*>(parent);
                if (!windowed)
                    throw Exception::Fmt("Control '%s' has no parent window", {row.Name});
                control->SetParent(windowed);
            }
        }
        for (const auto& p : row.Properties)
            p(*c);
    }
    for (TComponent* c : elements)
        c->Loaded();
    Owner.Loaded();
}
