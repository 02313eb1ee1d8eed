#include "config/TLMDColorComboBox.h"

TLMDColorComboBox::TLMDColorComboBox(TComponent* Owner) : TLMDCustomColorComboBox(Owner) {}
