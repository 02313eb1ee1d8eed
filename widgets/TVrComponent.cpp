#include "widgets/TVrComponent.h"

TVrComponent::TVrComponent(TComponent* Owner) : TComponent(Owner), FVersion("1.3") {}
