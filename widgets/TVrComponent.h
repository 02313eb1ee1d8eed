#pragma once
#include <string>

#include "framework/Component.h"

// The base of the instrument widgets' non-visual components. It only adds the version text
// the components publish.
class TVrComponent : public TComponent {
public:
    explicit TVrComponent(TComponent* Owner);

    const std::string& Version() const { return FVersion; }
    void SetVersion(const std::string& Value) { FVersion = Value; }

private:
    std::string FVersion;
};
