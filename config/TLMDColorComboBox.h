#pragma once
#include "config/TLMDCustomColorComboBox.h"

// The colour chooser as dialogs place it: a colour combo box with the class's defaults (the
// sixteen standard colours and any colour allowed, sorted, swatch and name).
class TLMDColorComboBox : public TLMDCustomColorComboBox {
public:
    explicit TLMDColorComboBox(TComponent* Owner);
};
